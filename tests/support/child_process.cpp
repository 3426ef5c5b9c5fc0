#include "tests/support/child_process.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace zonora::test {
namespace {
constexpr uid_t kNobody = 65534;
}

int runInChild(const std::function<int()>& body, bool dropRoot) {
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        // A file size limit must give an error, not end the process.
        std::signal(SIGXFSZ, SIG_IGN);
        if (dropRoot && ::geteuid() == 0) {
            if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(120);
        }
        int status = 121;
        try {
            status = body();
        } catch (...) {
            status = 122;
        }
        ::_exit(status);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}

void openToEveryone(const std::string& folder) { ::chmod(folder.c_str(), 0777); }

}  // namespace zonora::test
