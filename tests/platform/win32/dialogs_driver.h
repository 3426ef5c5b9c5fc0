#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace zonora::test {

// A visible top-level window on the calling thread, to own the dialogs.
class OwnerWindow {
  public:
    OwnerWindow();
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    HWND handle() const { return handle_; }

  private:
    HWND handle_;
};

// The visible dialog window (class #32770) that the thread shows, other than
// `except`; null when there is none, or none within the timeout.
HWND findDialog(DWORD thread, HWND except = nullptr);
HWND waitForDialog(DWORD thread, HWND except = nullptr, int timeoutMs = 10000);
// Whether the window is gone within the timeout.
bool waitUntilClosed(HWND window, int timeoutMs = 5000);

// What a second thread can read off a dialog. Texts are UTF-8 without the
// '&' of keyboard shortcuts.
struct DialogView {
    HWND owner = nullptr;
    bool ownerEnabled = true;
    std::string title;
    std::string text;  // the message box's prompt (its static text control)
    std::vector<std::string> buttons;
    std::string defaultButton;  // the one drawn as default (BS_DEFPUSHBUTTON)
    bool icon = false;
};
DialogView readDialog(HWND dialog);

std::string controlText(HWND dialog, int id);
// The selected entry of a combo box.
std::string selectedItem(HWND dialog, int id);
void setControlText(HWND dialog, int id, const std::string& text);
// A button press as the dialog sees it, posted so that a box it opens in
// turn does not block the caller.
void pressButton(HWND dialog, int id);
// A real key press through the system's input queue, to the focused window.
void pressKey(WORD virtualKey);

// Runs a script on a second thread while the calling thread sits in a modal
// dialog. Whatever is still open three seconds after the script has ended is
// cancelled (and noted), so that a failing script cannot hang the tests.
class DialogScript {
  public:
    explicit DialogScript(std::function<void(DWORD uiThread)> script);
    ~DialogScript() { finish(); }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;
    // Call once the modal call has returned.
    void finish();
    bool leftOpen() const { return leftOpen_; }

  private:
    std::atomic<bool> done_{false};
    std::atomic<bool> leftOpen_{false};
    std::thread thread_;
};

}  // namespace zonora::test
