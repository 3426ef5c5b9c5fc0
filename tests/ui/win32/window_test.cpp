#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which they need.
#include <oleacc.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32/win32_text.h"
#include "tests/support/designed_window.h"
#include "tests/support/expected_text.h"
#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "tests/ui/scripted_file_dialog.h"
#include "ui/form_handlers.h"
#include "ui/win32/frmcnvt.h"
#include "ui/win32/message_loop.h"
#include "zone/map_file.h"

namespace zonora::test {
namespace {

constexpr LONG kChild = WS_CHILD | WS_VISIBLE;

// The window class, the style and the role of each kind of control.
struct Win32Kind {
    const char* kind;
    const wchar_t* windowClass;
    LONG typeMask;  // the kind's bits within the style...
    LONG type;      // ...and their value
    LONG flags;     // style bits that must be set
    LONG absent;    // style bits that must be clear
    LONG exFlags;
    LONG role;  // where Wine tells it: for the rest it says ROLE_SYSTEM_CLIENT
};
constexpr Win32Kind kWin32Kinds[] = {
    {"frame", L"Button", BS_TYPEMASK, BS_GROUPBOX, kChild, WS_TABSTOP, WS_EX_CONTROLPARENT, 0},
    {"option", L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, kChild | WS_TABSTOP, 0, 0, 0},
    // A label ends the run of direction buttons the arrow keys move in.
    {"label", L"Static", SS_TYPEMASK, SS_CENTER, kChild | WS_GROUP, WS_TABSTOP | SS_NOTIFY, 0, 0},
    {"button", L"Button", BS_TYPEMASK, BS_PUSHBUTTON, kChild | WS_TABSTOP, 0, 0, 0},
    {"field", L"Edit", 0, 0, kChild | WS_TABSTOP | ES_AUTOHSCROLL, ES_MULTILINE | ES_READONLY,
     WS_EX_ACCEPTFILES, ROLE_SYSTEM_TEXT},
};

// The controls that are windows: the panels are painted.
const std::vector<DesignedControl>& windowed() {
    static const std::vector<DesignedControl> controls = [] {
        std::vector<DesignedControl> all = designedControls();
        std::erase_if(all, [](const DesignedControl& c) { return c.kind == "shape"; });
        return all;
    }();
    return controls;
}

// The first direction button in Tab order starts the run the arrow keys move
// in; the others must not start one of their own.
Win32Kind win32KindOf(const DesignedControl& c) {
    const auto kind = std::ranges::find(kWin32Kinds, c.kind, &Win32Kind::kind);
    if (kind == std::end(kWin32Kinds)) throw std::out_of_range("no Win32 kind for " + c.kind);
    Win32Kind result = *kind;
    if (c.kind == "option") {
        const bool first = std::ranges::none_of(windowed(), [&c](const DesignedControl& other) {
            return other.kind == "option" && other.container == c.container && other.tab < c.tab;
        });
        (first ? result.flags : result.absent) |= WS_GROUP;
    }
    return result;
}

// The reviewed place at dpi, as the system gives a window's place.
RECT expectedPlace(const std::string& name, int dpi) {
    const Rectangle r = expectedRectangle(name, dpi);
    return {r.left, r.top, r.left + r.width, r.top + r.height};
}

// Makes the window lay itself out for dpi, as the system tells it when the
// window moves to a screen of another dpi.
void changeDpi(HWND window, int dpi) {
    const RECT client = expectedPlace("frmcnvt", dpi);
    RECT suggested{10, 20, 10 + client.right + 20, 20 + client.bottom + 40};
    ::SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi),
                   reinterpret_cast<LPARAM>(&suggested));
}

bool named(const char* name, std::string_view wanted) { return name && wanted == name; }

int systemDpi() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

std::string textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), int(text.size()))));
    return narrow(text);
}

// Place within the parent's client area.
RECT placeOf(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LOGFONTW fontOf(HWND window) {
    LOGFONTW font{};
    const auto handle = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
    ::GetObjectW(handle, sizeof font, &font);
    return font;
}

// The face the system actually draws with for a font.
std::wstring realisedFace(HFONT font) {
    HDC dc = ::GetDC(nullptr);
    const HGDIOBJ previous = ::SelectObject(dc, font);
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, face);
    ::SelectObject(dc, previous);
    ::ReleaseDC(nullptr, dc);
    return face;
}

// Whether the caption is whole on one line in the font, inside the control.
bool captionFits(HWND window, HFONT font, const DesignedControl& c) {
    RECT client;
    ::GetClientRect(window, &client);
    const std::wstring caption = widen(c.caption);
    HDC dc = ::GetDC(window);
    const HGDIOBJ previous = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, previous);
    ::ReleaseDC(window, dc);
    return extent.cx <= client.right && metrics.tmHeight <= client.bottom;
}

LONG designedHeight(double points, int dpi) {
    return -::MulDiv(static_cast<int>(std::lround(points * 10)), dpi, 720);
}

// The keyboard focus and the mouse belong to the active window of the whole
// screen: test programs running side by side take turns with it.
class ScreenTurn {
  public:
    ScreenTurn() : turn_(::CreateMutexW(nullptr, FALSE, L"ZonoraTestScreen")) {
        ::WaitForSingleObject(turn_, 120000);
    }
    ~ScreenTurn() {
        ::ReleaseMutex(turn_);
        ::CloseHandle(turn_);
    }
    ScreenTurn(const ScreenTurn&) = delete;
    ScreenTurn& operator=(const ScreenTurn&) = delete;

  private:
    HANDLE turn_;
};

// The real window with its handlers, the dialog and the message boxes faked.
struct Harness {
    explicit Harness(std::function<void()> endProgram = {}) {
        if (!endProgram) endProgram = [this] { ++ends; };
        handlers.emplace(window, fakes.services, cd, std::move(endProgram));
        window.forwardTo(*handlers);
        window.show();
        ::SetForegroundWindow(window.hwnd());
        pump();
    }

    HWND get(std::string_view name) { return window.control(name); }

    void pump() {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) deliver(window, message);
    }

    // A key pressed and released on the focused control, through the
    // window's keyboard handling.
    void key(WPARAM virtualKey, bool shift = false) {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(state);
        MSG down{::GetFocus(), WM_KEYDOWN, virtualKey, 1, 0, {}};
        deliver(window, down);
        MSG up{::GetFocus(), WM_KEYUP, virtualKey, LPARAM(0xC0000001), 0, {}};
        deliver(window, up);
        state[VK_SHIFT] = 0;
        ::SetKeyboardState(state);
        pump();
    }

    // A real left click at the middle of the control, hit-tested by the system.
    void mouseClick(HWND target) {
        RECT rect;
        ::GetWindowRect(target, &rect);
        ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(2, input, sizeof(INPUT));
        for (int i = 0; i < 20; ++i) {
            ::Sleep(10);
            pump();
        }
    }

    std::string focused() {
        HWND focus = ::GetFocus();
        for (const DesignedControl& c : windowed()) {
            if (get(c.name) == focus) return c.name;
        }
        return "?";
    }

    ScreenTurn turn;
    frmcnvt window;
    FakeServices fakes;
    ScriptedFileDialog cd{window};
    int ends = 0;
    std::optional<FormHandlers> handlers;
};

void expectControlsAt(Harness& h, int dpi) {
    for (const DesignedControl& c : windowed()) {
        SCOPED_TRACE(c.name);
        HWND window = h.get(c.name);
        ASSERT_NE(window, nullptr);
        const RECT place = placeOf(window);
        const RECT expected = expectedPlace(c.name, dpi);
        EXPECT_TRUE(::EqualRect(&place, &expected))
            << place.left << "," << place.top << " " << place.right - place.left << "x"
            << place.bottom - place.top;

        const LOGFONTW font = fontOf(window);
        EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
        EXPECT_EQ(font.lfWeight, c.bold ? FW_BOLD : FW_NORMAL);
        // A wider face standing in for MS Sans Serif may need a smaller size
        // for a caption to be whole: never larger than designed, and the
        // designed size with the designed face.
        const LONG designed = designedHeight(c.points, dpi);
        if (c.caption.empty()) {
            EXPECT_EQ(font.lfHeight, designed);
            continue;
        }
        const auto shown = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
        EXPECT_TRUE(captionFits(window, shown, c));
        EXPECT_GE(font.lfHeight, designed);  // fewer pixels: both are negative
        if (realisedFace(shown) == L"MS Sans Serif") {
            EXPECT_EQ(font.lfHeight, designed);
        }
    }
}

TEST(Win32Window, CaptionFrameAndClientSize) {
    Harness h;
    const HWND w = h.window.hwnd();
    EXPECT_EQ(textOf(w), ZONORA_PROJECT_CAPTION);
    const LONG style = ::GetWindowLongW(w, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);  // resizable, min and max
    EXPECT_EQ(::GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_ACCEPTFILES, WS_EX_ACCEPTFILES);
    EXPECT_EQ(::GetParent(w), nullptr);
    const int dpi = systemDpi();
    EXPECT_EQ(h.window.dpi(), dpi);
    RECT client;
    ::GetClientRect(w, &client);
    const RECT expected = expectedPlace("frmcnvt", dpi);
    EXPECT_TRUE(::EqualRect(&client, &expected));
}

// Callbacks the system calls, so in its calling convention (which a lambda's
// is not in a 32-bit program).
BOOL CALLBACK countWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

void CALLBACK quitWith99(HWND, UINT, UINT_PTR, DWORD) { ::PostQuitMessage(99); }

// The IID spelled out: the one in liboleacc stands for an import, and every
// call made with it fails.
const IID kIAccessible = {
    0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

struct Heard {
    std::string name;
    LONG role = 0;
};

// What a screen reader hears of each control through the system's
// accessibility interface. It asks from a thread of its own, as from its own
// process, while the window's thread goes on with its messages.
std::vector<Heard> hear(const frmcnvt& window) {
    std::vector<HWND> controls;
    for (const DesignedControl& c : windowed()) controls.push_back(window.control(c.name));
    std::vector<Heard> heard;
    std::atomic<bool> done = false;
    std::thread reader([&] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        const auto objectFromWindow =
            reinterpret_cast<decltype(&::AccessibleObjectFromWindow)>(reinterpret_cast<void (*)()>(
                ::GetProcAddress(::LoadLibraryW(L"oleacc.dll"), "AccessibleObjectFromWindow")));
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        for (HWND control : controls) {
            Heard one;
            IAccessible* object = nullptr;
            if (objectFromWindow) {
                objectFromWindow(control, OBJID_CLIENT, kIAccessible,
                                 reinterpret_cast<void**>(&object));
            }
            if (object) {
                BSTR name = nullptr;
                if (object->get_accName(self, &name) == S_OK && name) one.name = narrow(name);
                ::SysFreeString(name);
                VARIANT role{};
                if (object->get_accRole(self, &role) == S_OK && role.vt == VT_I4) {
                    one.role = role.lVal;
                }
                object->Release();
            }
            heard.push_back(one);
        }
        ::CoUninitialize();
        done = true;
    });
    while (!done) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        ::Sleep(1);
    }
    reader.join();
    return heard;
}

// A control whose caption is a separate label is named by that label. The
// window loads oleacc only when first asked. Asked before it is ever shown:
// under Wine, showing a window puts its thread in COM, which the window must
// otherwise join itself to hand its answers over.
TEST(Win32Window, EveryControlHasItsAccessibleName) {
    frmcnvt window;
    EXPECT_EQ(::GetModuleHandleW(L"oleacc.dll"), nullptr);
    const std::vector<Heard> heard = hear(window);
    ASSERT_EQ(heard.size(), windowed().size());
    for (std::size_t i = 0; i < heard.size(); ++i) {
        const DesignedControl& c = windowed()[i];
        SCOPED_TRACE(c.name);
        EXPECT_EQ(heard[i].name, c.spoken);
        if (const LONG role = win32KindOf(c).role) {
            EXPECT_EQ(heard[i].role, role);
        }
        // Only the client object is named anew; the window's own is the system's.
        EXPECT_EQ(::SendMessageW(window.control(c.name), WM_GETOBJECT, 0, OBJID_WINDOW), 0);
    }
}

TEST(Win32Window, EveryControlHasItsClassCaptionStyleAndContainer) {
    Harness h;
    for (const DesignedControl& c : windowed()) {
        SCOPED_TRACE(c.name);
        HWND window = h.get(c.name);
        ASSERT_NE(window, nullptr);
        const Win32Kind kind = win32KindOf(c);
        wchar_t windowClass[32];
        ::GetClassNameW(window, windowClass, 32);
        EXPECT_EQ(::lstrcmpiW(windowClass, kind.windowClass), 0) << narrow(windowClass);
        EXPECT_EQ(textOf(window), c.caption);
        const LONG style = ::GetWindowLongW(window, GWL_STYLE);
        EXPECT_EQ(style & kind.typeMask, kind.type);
        EXPECT_EQ(style & kind.flags, kind.flags);
        EXPECT_EQ(style & kind.absent, 0);
        EXPECT_EQ(::GetWindowLongW(window, GWL_EXSTYLE) & kind.exFlags, kind.exFlags);
        const HWND container = c.container == "Frd" ? h.get("Frd") : h.window.hwnd();
        EXPECT_EQ(::GetParent(window), container);
    }
    // Nothing else: the panels are painted, the dialog is not a window.
    int windows = 0;
    ::EnumChildWindows(h.window.hwnd(), countWindow, reinterpret_cast<LPARAM>(&windows));
    EXPECT_EQ(windows, int(windowed().size()));
    EXPECT_EQ(h.get("Shape1"), nullptr);
    EXPECT_EQ(h.get("cd"), nullptr);
}

// Places and fonts for the DPI the window starts at, then again each time the
// system tells it the DPI has changed.
TEST(Win32Window, PlacesAndFontsFollowTheDpi) {
    Harness h;
    expectControlsAt(h, systemDpi());
    for (int dpi : {144, 96}) {
        SCOPED_TRACE(dpi);
        changeDpi(h.window.hwnd(), dpi);
        EXPECT_EQ(h.window.dpi(), dpi);
        expectControlsAt(h, dpi);
        RECT client;
        ::GetClientRect(h.window.hwnd(), &client);
        const RECT expected = expectedPlace("frmcnvt", dpi);
        EXPECT_TRUE(::EqualRect(&client, &expected));
    }
}

TEST(Win32Window, PathFieldsStartEmptyAndHoldLongAndWideText) {
    Harness h;
    EXPECT_FALSE(h.window.mapToPdbSelected());
    EXPECT_FALSE(h.window.pdbToMapSelected());
    EXPECT_EQ(h.window.mapPath(), "");
    EXPECT_EQ(h.window.pdbPath(), "");
    for (const char* field : {"tbm", "tbp"}) {
        // No limit on what can be typed or pasted.
        EXPECT_EQ(::SendMessageW(h.get(field), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE) << field;
    }
    const std::string longPath = "C:\\" + std::string(70000, 'x') + ".map";
    h.window.setMap(longPath);
    EXPECT_EQ(h.window.mapPath(), longPath);
    h.window.setPdb("C:\\z\\Zonen \xc3\xbc\xe6\x97\xa5.pdb");
    EXPECT_EQ(h.window.pdbPath(), "C:\\z\\Zonen \xc3\xbc\xe6\x97\xa5.pdb");
    EXPECT_EQ(textOf(h.get("tbp")), "C:\\z\\Zonen \xc3\xbc\xe6\x97\xa5.pdb");
    h.window.clearMap();
    h.window.clearPdb();
    EXPECT_EQ(h.window.mapPath(), "");
    EXPECT_EQ(h.window.pdbPath(), "");

    ::SetFocus(h.get("tbm"));
    for (wchar_t ch : std::wstring(L"C:\\a.map")) {
        MSG typed{h.get("tbm"), WM_CHAR, ch, 1, 0, {}};
        deliver(h.window, typed);
    }
    EXPECT_EQ(h.window.mapPath(), "C:\\a.map");
}

// Tab and Shift+Tab visit each control that takes the focus, both direction
// buttons included whichever of them is selected.
TEST(Win32Window, TabVisitsTheControlsInOrder) {
    struct Case {
        const char* selected;  // clicked first, or none
        bool backwards;
    };
    for (const Case& c :
         {Case{nullptr, false}, Case{nullptr, true}, Case{"Optm2p", false}, Case{"Optp2m", true}}) {
        SCOPED_TRACE(std::string(c.selected ? c.selected : "none") + (c.backwards ? " <" : " >"));
        Harness h;
        if (c.selected) ::SendMessageW(h.get(c.selected), BM_CLICK, 0, 0);
        ::SetFocus(h.get("tbm"));
        const std::vector<std::string> order = designedTabOrder();
        ASSERT_EQ(order.front(), "tbm");
        std::vector<std::string> visited{h.focused()};
        for (std::size_t i = 0; i < order.size(); ++i) {
            h.key(VK_TAB, c.backwards);
            visited.push_back(h.focused());
        }
        std::vector<std::string> expected{"tbm"};
        for (std::size_t i = 1; i <= order.size(); ++i) {
            expected.push_back(c.backwards ? order[(order.size() - i) % order.size()]
                                           : order[i % order.size()]);
        }
        EXPECT_EQ(visited, expected);
        // Moving the focus selects nothing.
        EXPECT_EQ(h.window.mapToPdbSelected(), named(c.selected, "Optm2p"));
        EXPECT_EQ(h.window.pdbToMapSelected(), named(c.selected, "Optp2m"));
    }
}

TEST(Win32Window, FocusStartsInTheMapField) {
    Harness h;
    EXPECT_EQ(h.focused(), "tbm");
}

// Selecting a direction, by mouse or keyboard, clears both fields; the
// caption labels and a button already selected do not.
TEST(Win32Window, ChoosingADirectionClearsBothFields) {
    using Action = std::function<void(Harness&)>;
    const auto click = [](const char* name) {
        return Action([name](Harness& h) { h.mouseClick(h.get(name)); });
    };
    const auto press = [](const char* name, WPARAM key) {
        return Action([name, key](Harness& h) {
            ::SetFocus(h.get(name));
            h.key(key);
        });
    };
    struct Case {
        const char* what;
        const char* before;  // selected first, or none
        Action action;
        bool mapToPdb;
        bool pdbToMap;
        bool cleared;
    };
    const Case cases[] = {
        {"click Label5", nullptr, click("Label5"), false, false, false},
        {"click Label6", nullptr, click("Label6"), false, false, false},
        {"click Optm2p", nullptr, click("Optm2p"), true, false, true},
        {"click Optp2m", "Optm2p", click("Optp2m"), false, true, true},
        {"click the selected one", "Optp2m", click("Optp2m"), false, true, false},
        {"Space on Optm2p", nullptr, press("Optm2p", VK_SPACE), true, false, true},
        {"Space on Optp2m", "Optm2p", press("Optp2m", VK_SPACE), false, true, true},
        {"Down from Optm2p", "Optm2p", press("Optm2p", VK_DOWN), false, true, true},
        {"Up from Optp2m", "Optp2m", press("Optp2m", VK_UP), true, false, true},
        {"Tab onto Optm2p", nullptr, press("tbp", VK_TAB), false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Harness h;
        if (c.before) ::SendMessageW(h.get(c.before), BM_CLICK, 0, 0);
        h.window.setMap("C:\\a.map");
        h.window.setPdb("C:\\b.pdb");
        c.action(h);
        EXPECT_EQ(h.window.mapToPdbSelected(), c.mapToPdb);
        EXPECT_EQ(h.window.pdbToMapSelected(), c.pdbToMap);
        EXPECT_EQ(h.window.mapPath(), c.cleared ? "" : "C:\\a.map");
        EXPECT_EQ(h.window.pdbPath(), c.cleared ? "" : "C:\\b.pdb");
    }
}

TEST(Win32Window, EveryButtonReachesItsHandler) {
    struct Case {
        const char* what;
        std::function<void(Harness&)> action;
        std::function<void(Harness&)> check;
    };
    const Case cases[] = {
        {"Cmdbrm opens the dialog and fills tbm",
         [](Harness& h) {
             ::SendMessageW(h.get("Optm2p"), BM_CLICK, 0, 0);
             h.cd.choice = "C:\\z\\zones.map";
             ::SendMessageW(h.get("Cmdbrm"), BM_CLICK, 0, 0);
         },
         [](Harness& h) {
             ASSERT_EQ(h.cd.shown.size(), 1u);
             EXPECT_EQ(h.cd.shown[0].title, "Select a Tesk map file to convert");
             EXPECT_EQ(h.window.mapPath(), "C:\\z\\zones.map");
         }},
        {"cmdbrp opens the dialog and fills tbp",
         [](Harness& h) {
             ::SendMessageW(h.get("Optp2m"), BM_CLICK, 0, 0);
             h.cd.choice = "C:\\z\\zones.pdb";
             ::SendMessageW(h.get("cmdbrp"), BM_CLICK, 0, 0);
         },
         [](Harness& h) {
             ASSERT_EQ(h.cd.shown.size(), 1u);
             EXPECT_EQ(h.cd.shown[0].title, "Select a Druma PDB file to convert");
             EXPECT_EQ(h.window.pdbPath(), "C:\\z\\zones.pdb");
         }},
        {"cmdcvt at start asks for files",
         [](Harness& h) { ::SendMessageW(h.get("cmdcvt"), BM_CLICK, 0, 0); },
         [](Harness& h) {
             EXPECT_EQ(h.fakes.box.prompts(),
                       std::vector<std::string>{
                           "Please select source and destination files to continue"});
             EXPECT_EQ(h.ends, 0);
         }},
        {"Enter on the focused Convert presses it",
         [](Harness& h) {
             ::SetFocus(h.get("cmdcvt"));
             h.key(VK_RETURN);
         },
         [](Harness& h) { EXPECT_EQ(h.fakes.box.shown.size(), 1u); }},
        {"Cmdexit ends the program",
         [](Harness& h) { ::SendMessageW(h.get("Cmdexit"), BM_CLICK, 0, 0); },
         [](Harness& h) { EXPECT_EQ(h.ends, 1); }},
        {"closing the window ends the program",
         [](Harness& h) { ::SendMessageW(h.window.hwnd(), WM_CLOSE, 0, 0); },
         [](Harness& h) {
             EXPECT_EQ(h.ends, 1);
             EXPECT_TRUE(h.fakes.box.shown.empty());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Harness h;
        c.action(h);
        h.pump();
        c.check(h);
    }
}

TEST(Win32Window, ExitEndsTheMessageLoop) {
    Harness h([] { ::PostQuitMessage(0); });
    ::PostMessageW(h.get("Cmdexit"), BM_CLICK, 0, 0);
    // Should Exit not end it, the loop still ends, with another code.
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 5000, quitWith99);
    EXPECT_EQ(runMessageLoop(h.window), 0);
    ::KillTimer(nullptr, timer);
}

// A handler's exception is not lost in the system's frames.
TEST(Win32Window, AHandlersExceptionReachesTheMessageLoop) {
    Harness h([] { throw std::runtime_error("end"); });
    ::PostMessageW(h.get("Cmdexit"), BM_CLICK, 0, 0);
    EXPECT_THROW(h.pump(), std::runtime_error);
    h.pump();  // thrown once
}

TEST(Win32Window, GrowingLeavesEveryControlInPlace) {
    Harness h;
    std::vector<RECT> before;
    for (const DesignedControl& c : windowed()) before.push_back(placeOf(h.get(c.name)));
    ::SetWindowPos(h.window.hwnd(), nullptr, 0, 0, 900, 700, SWP_NOZORDER | SWP_NOMOVE);
    h.pump();
    ::ShowWindow(h.window.hwnd(), SW_MAXIMIZE);
    h.pump();
    RECT client;
    ::GetClientRect(h.window.hwnd(), &client);
    EXPECT_GT(client.right, expectedPlace("frmcnvt", h.window.dpi()).right);
    for (std::size_t i = 0; i < windowed().size(); ++i) {
        const RECT after = placeOf(h.get(windowed()[i].name));
        EXPECT_TRUE(::EqualRect(&after, &before[i])) << windowed()[i].name;
    }
}

// What the window tells the system to draw the labels and the frame with.
TEST(Win32Window, LabelsHaveTheirColours) {
    const COLORREF text = ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF yellow = RGB(255, 255, 128);
    struct Case {
        const char* name;
        COLORREF background;
        COLORREF text;
    };
    const Case cases[] = {
        {"Label1", yellow, text},
        {"Label2", RGB(224, 224, 224), RGB(0, 0, 0)},
        {"Label3", yellow, text},
        {"Label4", face, text},
        {"Label5", ::GetSysColor(COLOR_WINDOW), text},
        {"Label6", ::GetSysColor(COLOR_WINDOW), text},
        {"Frd", face, text},
    };
    Harness h;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND label = h.get(c.name);
        HDC dc = ::CreateCompatibleDC(nullptr);
        ::SetTextColor(dc, RGB(1, 2, 3));
        // Asked of the label's own parent, as the label asks when it paints.
        const auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessageW(::GetParent(label), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(label)));
        LOGBRUSH fill{};
        ASSERT_NE(::GetObjectW(brush, sizeof fill, &fill), 0);
        EXPECT_EQ(fill.lbColor, c.background);
        EXPECT_EQ(::GetTextColor(dc), c.text);
        ::DeleteDC(dc);
    }
}

TEST(Win32Window, PanelsArePaintedWithTheirBorder) {
    Harness h;
    for (int dpi : {96, 144}) {
        SCOPED_TRACE(dpi);
        changeDpi(h.window.hwnd(), dpi);
        const RECT client = expectedPlace("frmcnvt", dpi);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = client.right;
        info.bmiHeader.biHeight = -client.bottom;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC dc = ::CreateCompatibleDC(nullptr);
        HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        const HGDIOBJ previous = ::SelectObject(dc, bitmap);
        ::SendMessageW(h.window.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                       PRF_CLIENT | PRF_ERASEBKGND);
        const COLORREF border = ::GetSysColor(COLOR_WINDOWTEXT);
        const COLORREF silver = RGB(192, 192, 192);
        for (const char* shape : {"Shape1", "Shape2"}) {
            const RECT place = expectedPlace(shape, dpi);
            const int y = (place.top + place.bottom) / 2;
            SCOPED_TRACE(shape);
            EXPECT_EQ(::GetPixel(dc, place.left - 1, y), ::GetSysColor(COLOR_BTNFACE));
            EXPECT_EQ(::GetPixel(dc, place.left, y), border);
            EXPECT_EQ(::GetPixel(dc, place.left + 1, y), border);
            EXPECT_EQ(::GetPixel(dc, place.left + 2, y), silver);
            EXPECT_EQ(::GetPixel(dc, place.right - 3, y), silver);
            EXPECT_EQ(::GetPixel(dc, place.right - 1, y), border);
            EXPECT_EQ(::GetPixel(dc, place.right, y), ::GetSysColor(COLOR_BTNFACE));
            EXPECT_EQ(::GetPixel(dc, place.left + 10, place.bottom - 2), border);
            EXPECT_EQ(::GetPixel(dc, place.left + 10, place.bottom - 3), silver);
        }
        ::SelectObject(dc, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
}

const std::string kMapHeader = "Druma zones.PDB convert on 4/12/2002 2:00:33 PM";

struct OpenCase {
    const char* name;
    enum { Pdb, Map, Other } content;
    bool mapToPdb;
    const char* proposed;  // the other field's name, in the same folder
};

const OpenCase kOpenCases[] = {
    {"zones.pdb", OpenCase::Pdb, false, "zones.MAP"},
    {"zones.map", OpenCase::Pdb, true, "zones.PDB"},  // a Map file by its name
    {"ZONES.MAP", OpenCase::Other, true, "ZONES.PDB"},
    {"zones.txt", OpenCase::Map, true, "zones.PDB"},       // ...or by its first line
    {"backup.bin", OpenCase::Other, false, "backup.MAP"},  // anything else is taken for a PDB
    {"Zonen \xc3\xbc\xe6\x97\xa5.pdb", OpenCase::Pdb, false, "Zonen \xc3\xbc\xe6\x97\xa5.MAP"},
};

void writeCase(const TempFolder& folder, const OpenCase& c) {
    const std::string path = folder.file(c.name);
    switch (c.content) {
        case OpenCase::Pdb:
            return writeBytes(path, makeZoneDatabase(sampleZones()));
        case OpenCase::Map:
            return writeText(path, formatMapFile(sampleZones(), kMapHeader));
        case OpenCase::Other:
            return writeText(path, "anything\r\n");
    }
}

// A drop of the given files as the shell hands it over; the window frees it.
HGLOBAL dropOf(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) list += widen(path) + L'\0';
    list += L'\0';
    if (paths.empty()) list += L'\0';
    const std::size_t bytes = list.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + bytes);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES), list.data(), bytes);
    ::GlobalUnlock(memory);
    return memory;
}

void drop(HWND target, const std::vector<std::string>& paths) {
    ::SendMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(dropOf(paths)), 0);
}

// Named at start, or dropped on the window or on either field: the same
// direction and fields, and nothing converted until Convert is pressed.
TEST(Win32Window, OpeningAFileSetsTheDirectionAndFields) {
    using Open = std::function<void(Harness&, const std::string&)>;
    struct Way {
        const char* what;
        Open open;
    };
    const auto dropOn = [](const char* target) {
        return Open([target](Harness& h, const std::string& path) {
            drop(target ? h.get(target) : h.window.hwnd(), {path});
        });
    };
    const Way ways[] = {
        {"openFile", [](Harness& h, const std::string& path) { h.handlers->openFile(path); }},
        {"drop on the window", dropOn(nullptr)},
        {"drop on tbm", dropOn("tbm")},
        {"drop on tbp", dropOn("tbp")},
    };
    for (const Way& way : ways) {
        for (const OpenCase& c : kOpenCases) {
            for (const char* before : {"Optm2p", "Optp2m"}) {
                SCOPED_TRACE(std::string(way.what) + ", " + c.name + ", " + before + " before");
                TempFolder folder;
                writeCase(folder, c);
                Harness h;
                ::SendMessageW(h.get(before), BM_CLICK, 0, 0);
                h.window.setMap("old map");
                h.window.setPdb("old pdb");
                way.open(h, folder.file(c.name));
                h.pump();
                const std::string file = folder.file(c.name);
                const std::string proposed = folder.file(c.proposed);
                EXPECT_EQ(h.window.mapToPdbSelected(), c.mapToPdb);
                EXPECT_EQ(h.window.pdbToMapSelected(), !c.mapToPdb);
                EXPECT_EQ(h.window.mapPath(), c.mapToPdb ? file : proposed);
                EXPECT_EQ(h.window.pdbPath(), c.mapToPdb ? proposed : file);
                EXPECT_TRUE(h.fakes.box.shown.empty());
                EXPECT_EQ(folder.entries(), std::vector<std::string>{c.name});
                // Selected as a click selects: clicking it again clears nothing.
                ::SendMessageW(h.get(c.mapToPdb ? "Optm2p" : "Optp2m"), BM_CLICK, 0, 0);
                EXPECT_EQ(h.window.mapPath(), c.mapToPdb ? file : proposed);
            }
        }
    }
}

TEST(Win32Window, DropsOfOtherThanOneFileAreIgnored) {
    TempFolder folder;
    const OpenCase& pdb = kOpenCases[0];
    writeCase(folder, pdb);
    const std::vector<std::string> refused[] = {
        {folder.file(pdb.name), folder.file("other.pdb")},
        {},
    };
    for (const auto& paths : refused) {
        for (const char* target : {"tbm", "tbp"}) {
            SCOPED_TRACE(std::to_string(paths.size()) + " files on " + target);
            Harness h;
            h.window.setMap("kept");
            drop(h.get(target), paths);
            drop(h.window.hwnd(), paths);
            h.pump();
            EXPECT_EQ(h.window.mapPath(), "kept");
            EXPECT_FALSE(h.window.mapToPdbSelected() || h.window.pdbToMapSelected());
        }
    }
}

// Convert then runs the conversion of the direction the file chose.
TEST(Win32Window, ConvertAfterOpeningRunsTheChosenConversion) {
    for (const OpenCase& c : {kOpenCases[0], kOpenCases[3]}) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        writeCase(folder, c);
        Harness h;
        h.fakes.templates.path = folder.file("template.pdb");
        writeBytes(h.fakes.templates.path, makeZoneDatabase(ZoneTable{}));
        h.handlers->openFile(folder.file(c.name));
        ::SendMessageW(h.get("cmdcvt"), BM_CLICK, 0, 0);
        h.pump();
        ASSERT_FALSE(h.fakes.box.shown.empty());
        EXPECT_EQ(h.fakes.box.shown[0].prompt, c.mapToPdb ? kPdbCreated : kMapCreated);
        EXPECT_FALSE(readBytes(folder.file(c.proposed)).empty());
        EXPECT_EQ(h.window.mapPath(), "");
        EXPECT_EQ(h.window.pdbPath(), "");
    }
}

}  // namespace
}  // namespace zonora::test
