#include "tests/support/child_process.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <stdexcept>

namespace zonora::test {
namespace {
constexpr uid_t kNobody = 65534;
}

ChildEnd runInChild(const std::function<int()>& body, bool dropRoot) {
    std::fflush(nullptr);  // no buffered output is written twice
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        if (dropRoot && ::geteuid() == 0) {
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(98);
        }
        int code = 99;
        try {
            code = body();
        } catch (...) {
        }
        std::fflush(nullptr);
        ::_exit(code);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
    }
    ChildEnd end;
    end.exited = WIFEXITED(status);
    end.exitCode = end.exited ? WEXITSTATUS(status) : 0;
    end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return end;
}

std::string describe(const ChildEnd& end) {
    return end.exited ? "exited with " + std::to_string(end.exitCode)
                      : "ended by signal " + std::to_string(end.signal);
}

bool addressSanitizerRuns() { return ::dlsym(RTLD_DEFAULT, "__asan_init") != nullptr; }

void openToEveryone(const std::string& folder) { ::chmod(folder.c_str(), 0777); }

}  // namespace zonora::test
