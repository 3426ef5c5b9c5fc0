#include "ui/cli/console.h"

#include <windows.h>

#include <cstdlib>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "platform/win32/win32_services.h"
#include "platform/win32/win32_text.h"
#include "ui/cli/command_line.h"

namespace zonora {
namespace {

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
        if (pending_.empty() || handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) {
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
    if (inherited != nullptr && inherited != INVALID_HANDLE_VALUE) return inherited;
    if (!attached) return nullptr;
    return ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
}

}  // namespace

std::optional<int> runConsoleCommand() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.push_back(narrow(__wargv[i]));
    if (!isCommand(arguments)) return std::nullopt;

    // A program built for the window gets no console of its own; it borrows
    // the one it was started from. No question is asked there (see Terminal).
    const bool attached = ::AttachConsole(ATTACH_PARENT_PROCESS) != 0;
    HandleBuffer outBuffer(outputHandle(STD_OUTPUT_HANDLE, attached));
    HandleBuffer errBuffer(outputHandle(STD_ERROR_HANDLE, attached));
    std::ostream out(&outBuffer);
    std::ostream err(&errBuffer);

    Win32SystemServices system;
    CommandLineServices services{system.files, system.clock, system.templates, system.installTool};
    Console console{out, err, nullptr};
    const int status = runCommandLine(arguments, services, console);
    out.flush();
    err.flush();
    return status;
}

}  // namespace zonora
