#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "platform/message_box.h"

namespace zonora {

// Opens a help topic for the help key; box is the message box asking.
using HelpViewer = std::function<void(HWND box, const std::string& helpFile, int helpContext)>;

// A .chm through HTML Help (loaded when needed), a .hlp through WinHelp; any
// other file, or a system without the viewer, gets nothing.
void openHelpTopic(HWND box, const std::string& helpFile, int helpContext);

// The system's message box, modal over the owner window (which may be null).
// There is no Help button: a help file, when given, opens with the help key.
class Win32MessageBox : public MessageBox {
  public:
    explicit Win32MessageBox(HWND owner, HelpViewer viewer = openHelpTopic)
        : owner_(owner), viewer_(std::move(viewer)) {}
    Answer show(const Message& message) override;

  private:
    HWND owner_;
    HelpViewer viewer_;
};

// The prompt as the box shows it: a lone carriage return becomes CR LF, so
// that it starts a new line.
std::wstring messageBoxText(std::string_view prompt);

}  // namespace zonora
