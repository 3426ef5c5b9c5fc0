#include "tests/reliability/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <stdexcept>

namespace zonora::test {

ChildEnd runInChild(const std::function<int()>& body) {
    std::fflush(nullptr);  // no buffered output is written twice
    const pid_t child = ::fork();
    if (child < 0) throw std::runtime_error("fork failed");
    if (child == 0) {
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

}  // namespace zonora::test
