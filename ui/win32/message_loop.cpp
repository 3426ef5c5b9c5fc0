#include "ui/win32/message_loop.h"

#include "ui/win32/frmcnvt.h"

namespace zonora {

void deliver(frmcnvt& window, MSG& message) {
    if (!::IsDialogMessageW(window.hwnd(), &message)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    window.rethrowPending();
}

int runMessageLoop(frmcnvt& window) {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) deliver(window, message);
    return static_cast<int>(message.wParam);
}

}  // namespace zonora
