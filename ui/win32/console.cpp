#include "ui/win32/console.h"

#include <windows.h>

#include <ostream>
#include <streambuf>
#include <string>

#include "platform/win32/win32_data_output.h"
#include "platform/win32/win32_message_box.h"
#include "platform/win32/win32_standard_input.h"
#include "platform/win32/win32_text.h"
#include "ui/cli/command_line.h"

namespace zonora {
namespace {

bool usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// Writes UTF-8 text whole lines at a time: as UTF-16 to a console, whatever
// its code page, and as the bytes themselves to a file or a pipe.
class HandleBuffer : public std::streambuf {
  public:
    explicit HandleBuffer(HANDLE handle) : handle_(handle) {}
    ~HandleBuffer() override { sync(); }

  protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            pending_.push_back(traits_type::to_char_type(c));
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        pending_.append(text, static_cast<std::size_t>(count));
        return count;
    }
    int sync() override {
        if (pending_.empty() || !usable(handle_)) {
            pending_.clear();
            return 0;
        }
        DWORD mode = 0;
        DWORD written = 0;
        if (::GetConsoleMode(handle_, &mode)) {
            const std::wstring wide = widen(pending_);
            ::WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &written,
                            nullptr);
        } else {
            ::WriteFile(handle_, pending_.data(), static_cast<DWORD>(pending_.size()), &written,
                        nullptr);
        }
        pending_.clear();
        return 0;
    }

  private:
    HANDLE handle_;
    std::string pending_;
};

// The handle the program inherited, or else the attached console's screen.
HANDLE outputHandle(DWORD which, bool attached) {
    const HANDLE inherited = ::GetStdHandle(which);
    if (usable(inherited)) return inherited;
    if (!attached) return nullptr;
    return ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

int runOnConsole(const ProgramStart& start, const SystemServices& services) {
    // A program built for the window gets no console of its own; it borrows
    // the one it was started from. No question is asked there (see Terminal).
    const bool attached = ::AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    const HANDLE errorHandle = outputHandle(STD_ERROR_HANDLE, attached);
    if (start.action == ProgramStart::Action::UsageError && !usable(errorHandle)) {
        // Started from Explorer or a shortcut: nowhere to write to.
        Message message;
        message.prompt = usageReport(start.problem);
        Win32MessageBox(nullptr).show(message);
        return kUsageError;
    }
    const HANDLE outHandle = outputHandle(STD_OUTPUT_HANDLE, attached);
    HandleBuffer outBuffer(outHandle);
    HandleBuffer errBuffer(errorHandle);
    Win32DataOutput data(outHandle);
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);

    int status = kUsageError;
    if (start.action == ProgramStart::Action::UsageError) {
        err << usageReport(start.problem);
    } else {
        Win32StandardInput input;
        Console console{out, err, nullptr, &data, &input};
        status = runCommandLine(start.arguments, services, console);
    }
    out.flush();
    err.flush();
    return status;
}

}  // namespace zonora
