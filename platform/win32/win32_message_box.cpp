#include "platform/win32/win32_message_box.h"

#include <algorithm>
#include <cctype>
#include <cstddef>

#include "platform/win32/system_library.h"
#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

// The box calls back without a context of its own, so the help of the box
// being shown on this thread is kept here (a box inside a help viewer's
// message loop saves and restores the outer one).
struct HelpRequest {
    const HelpViewer* viewer;
    const std::string* file;
    int context;
};
thread_local const HelpRequest* activeHelp = nullptr;

void CALLBACK onHelpKey(LPHELPINFO info) {
    const HelpRequest* request = activeHelp;
    if (request == nullptr || request->file->empty() || !*request->viewer) return;
    HWND box = info != nullptr && info->hItemHandle != nullptr
                   ? ::GetAncestor(static_cast<HWND>(info->hItemHandle), GA_ROOT)
                   : ::GetActiveWindow();
    // Nothing may cross back into the system's code.
    try {
        (*request->viewer)(box, *request->file, request->context);
    } catch (...) {
    }
}

bool endsWithIgnoringCase(const std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return std::equal(suffix.begin(), suffix.end(),
                      text.end() - static_cast<std::ptrdiff_t>(suffix.size()), [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

constexpr UINT kHtmlHelpContext = 0x000F;  // HH_HELP_CONTEXT
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

// HTML Help is an optional part of the system; it stays loaded once found,
// since its window outlives the call.
HtmlHelpFunction htmlHelp() { return systemFunction<HtmlHelpFunction>(L"hhctrl.ocx", "HtmlHelpW"); }

// The buttons and the default button; no icon.
UINT messageBoxStyle(const Message& message) {
    UINT style = MB_APPLMODAL;
    if (message.buttons == Buttons::YesNo) {
        style |= MB_YESNO;
        style |= message.defaultButton == DefaultButton::Second ? MB_DEFBUTTON2 : MB_DEFBUTTON1;
    } else {
        style |= MB_OK | MB_DEFBUTTON1;
    }
    return style;
}

}  // namespace

void openHelpTopic(HWND box, const std::string& helpFile, int helpContext) {
    const std::wstring file = widen(helpFile);
    if (endsWithIgnoringCase(helpFile, ".chm")) {
        if (HtmlHelpFunction function = htmlHelp()) {
            function(box, file.c_str(), kHtmlHelpContext, static_cast<DWORD_PTR>(helpContext));
        }
    } else if (endsWithIgnoringCase(helpFile, ".hlp")) {
        ::WinHelpW(box, file.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(helpContext));
    }
}

std::wstring messageBoxText(std::string_view prompt) {
    const std::wstring wide = widen(prompt);
    std::wstring text;
    text.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        text += wide[i];
        if (wide[i] == L'\r' && (i + 1 == wide.size() || wide[i + 1] != L'\n')) text += L'\n';
    }
    return text;
}

Answer Win32MessageBox::show(const Message& message) {
    const std::wstring text = messageBoxText(message.prompt);
    const std::wstring title = widen(message.title);

    MSGBOXPARAMSW params{};
    params.cbSize = sizeof(params);
    params.hwndOwner = owner_;
    params.hInstance = ::GetModuleHandleW(nullptr);
    params.lpszText = text.c_str();
    params.lpszCaption = title.c_str();
    params.dwStyle = messageBoxStyle(message);
    params.dwContextHelpId = static_cast<DWORD_PTR>(message.helpContext);
    // Always ours, so that without a help file F1 does nothing rather than
    // reach the owner window.
    params.lpfnMsgBoxCallback = onHelpKey;
    params.dwLanguageId = LANG_NEUTRAL;

    const HelpRequest request{&viewer_, &message.helpFile, message.helpContext};
    const HelpRequest* outer = activeHelp;
    activeHelp = &request;
    const int result = ::MessageBoxIndirectW(&params);
    activeHelp = outer;

    switch (result) {
        case IDOK:
            return Answer::Ok;
        case IDYES:
            return Answer::Yes;
        case IDNO:
            return Answer::No;
        default:
            // A box that could not be shown: a question counts as declined.
            return message.buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
}

}  // namespace zonora
