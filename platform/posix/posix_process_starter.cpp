#include "platform/posix/posix_process_starter.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/environment.h"
#include "platform/file_error.h"
#include "platform/posix/unique_fd.h"

extern char** environ;

namespace zonora {
namespace {

// argv and envp for exec, built before any fork: a child of a threaded
// program may only make async-signal-safe calls.
class ExecArguments {
  public:
    explicit ExecArguments(const ProgramCall& call) : call_(call) {
        for (std::string& argument : call_.arguments) argv_.push_back(argument.data());
        argv_.push_back(nullptr);
        for (std::string& entry : call_.environment) envp_.push_back(entry.data());
        envp_.push_back(nullptr);
    }
    const char* program() const { return argv_[0]; }
    char* const* argv() const { return argv_.data(); }
    char* const* envp() const { return envp_.data(); }

  private:
    ProgramCall call_;
    std::vector<char*> argv_;
    std::vector<char*> envp_;
};

[[noreturn]] void notStarted(int error, const std::string& shownAs) {
    throw FileError(std::error_code(error, std::generic_category()), shownAs);
}

int reap(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// A program started with its standard output and error each into a pipe of
// ours, and its standard input from /dev/null.
struct PipedChild {
    pid_t child = -1;
    UniqueFd out;
    UniqueFd err;
};

std::optional<PipedChild> spawnWithPipes(const ProgramCall& call, std::string& errors) {
    int outFds[2];
    int errFds[2];
    if (::pipe2(outFds, O_CLOEXEC) != 0) return std::nullopt;
    PipedChild started{-1, UniqueFd(outFds[0]), UniqueFd()};
    UniqueFd outWriter(outFds[1]);
    if (::pipe2(errFds, O_CLOEXEC) != 0) return std::nullopt;
    started.err = UniqueFd(errFds[0]);
    UniqueFd errWriter(errFds[1]);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, outWriter.get(), 1);
    ::posix_spawn_file_actions_adddup2(&actions, errWriter.get(), 2);
    const ExecArguments exec(call);
    const int spawned =
        ::posix_spawn(&started.child, exec.program(), &actions, nullptr, exec.argv(), exec.envp());
    ::posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        errors = std::strerror(spawned);
        return std::nullopt;
    }
    return started;
}

// Reads both pipes as they fill, so that neither blocks the program, until
// both end; false when the time runs out first.
bool readBoth(PipedChild& started, std::string& output, std::string& errors,
              std::chrono::steady_clock::time_point end) {
    UniqueFd* readers[] = {&started.out, &started.err};
    std::string* texts[] = {&output, &errors};
    while (started.out.valid() || started.err.valid()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd waits[2];
        for (int i = 0; i < 2; ++i)
            waits[i] = {readers[i]->valid() ? readers[i]->get() : -1, POLLIN, 0};
        if (::poll(waits, 2, static_cast<int>(left.count())) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (waits[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t n = ::read(readers[i]->get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                readers[i]->reset();
                continue;
            }
            texts[i]->append(buffer, static_cast<std::size_t>(n));
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> environmentWith(const std::string& name, const std::string& value) {
    const std::string assignment = name + "=";
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (!std::string_view(*entry).starts_with(assignment)) result.emplace_back(*entry);
    }
    result.push_back(assignment + value);
    return result;
}

std::optional<std::string> PosixProcessStarter::find(const std::string& name) {
    const auto runnable = [](const std::string& path) {
        std::error_code ignored;
        return std::filesystem::is_regular_file(path, ignored) && ::access(path.c_str(), X_OK) == 0;
    };
    if (name.find('/') != std::string::npos) {
        return runnable(name) ? std::optional(name) : std::nullopt;
    }
    std::string path = environmentVariable("PATH");
    if (path.empty()) path = "/usr/local/bin:/usr/bin:/bin";
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        const std::string folder = end > start ? path.substr(start, end - start) : ".";
        if (const std::string candidate = folder + "/" + name; runnable(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::optional<std::string> PosixProcessStarter::outputOf(const ProgramCall& call,
                                                         std::chrono::milliseconds limit,
                                                         std::string& errors) {
    errors.clear();
    auto started = spawnWithPipes(call, errors);
    if (!started) return std::nullopt;
    std::string output;
    if (!readBoth(*started, output, errors, std::chrono::steady_clock::now() + limit)) {
        ::kill(started->child, SIGKILL);
        reap(started->child);
        errors = "no answer within " + std::to_string(limit.count() / 1000) + " s";
        return std::nullopt;
    }
    const int status = reap(started->child);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return output;
    if (errors.empty()) {
        errors = WIFEXITED(status) ? "ended with status " + std::to_string(WEXITSTATUS(status))
                                   : "ended by signal " + std::to_string(WTERMSIG(status));
    }
    return std::nullopt;
}

// The child in between ends right away, so the program belongs to init; a
// close-on-exec pipe tells whether the exec itself worked.
void PosixProcessStarter::startDetached(const ProgramCall& call, const std::string& shownAs) {
    const ExecArguments exec(call);
    UniqueFd devNull(::open("/dev/null", O_RDWR | O_CLOEXEC));
    int pipeFds[2];
    if (!devNull.valid() || ::pipe2(pipeFds, O_CLOEXEC) != 0) notStarted(errno, shownAs);
    UniqueFd reader(pipeFds[0]);
    UniqueFd writer(pipeFds[1]);

    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        const pid_t program = ::fork();
        if (program == 0) {
            ::dup2(devNull.get(), 0);
            ::dup2(devNull.get(), 1);
            ::dup2(devNull.get(), 2);
            // What this program ignores or blocks is no concern of the other's.
            sigset_t none;
            ::sigemptyset(&none);
            ::sigprocmask(SIG_SETMASK, &none, nullptr);
            struct sigaction standard {};
            standard.sa_handler = SIG_DFL;
            ::sigaction(SIGXFSZ, &standard, nullptr);
            ::sigaction(SIGPIPE, &standard, nullptr);
            ::execve(exec.program(), exec.argv(), exec.envp());
        }
        if (program > 0) ::_exit(0);
        // Here only when the fork or the exec failed.
        const int error = errno;
        [[maybe_unused]] const ssize_t ignored = ::write(writer.get(), &error, sizeof error);
        ::_exit(127);
    }
    if (child < 0) notStarted(errno, shownAs);
    writer.reset();
    reap(child);
    int error = 0;
    ssize_t n = 0;
    do {
        n = ::read(reader.get(), &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    if (n == static_cast<ssize_t>(sizeof error)) notStarted(error, shownAs);
}

}  // namespace zonora
