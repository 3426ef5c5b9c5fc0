#include "platform/posix/wine_install_tool.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>

#include "platform/file_error.h"
#include "platform/posix/unix_template_locator.h"

extern char** environ;

namespace zonora {
namespace fs = std::filesystem;
namespace {

// A first start of wine in a prefix may set the prefix up, which takes a while.
constexpr auto kWinepathLimit = std::chrono::seconds(120);

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::optional<std::string> findProgram(const std::string& name) {
    const auto runnable = [](const std::string& path) {
        std::error_code ignored;
        return fs::is_regular_file(path, ignored) && ::access(path.c_str(), X_OK) == 0;
    };
    if (name.find('/') != std::string::npos) {
        return runnable(name) ? std::optional(name) : std::nullopt;
    }
    std::string path = environment("PATH");
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

// argv and envp for exec, built before any fork: a child of a threaded
// program may only make async-signal-safe calls.
class ExecArguments {
  public:
    ExecArguments(std::vector<std::string> arguments, std::vector<std::string> environment)
        : arguments_(std::move(arguments)), environment_(std::move(environment)) {
        for (std::string& argument : arguments_) argv_.push_back(argument.data());
        argv_.push_back(nullptr);
        for (std::string& entry : environment_) envp_.push_back(entry.data());
        envp_.push_back(nullptr);
    }
    const char* program() const { return argv_[0]; }
    char* const* argv() const { return argv_.data(); }
    char* const* envp() const { return envp_.data(); }

  private:
    std::vector<std::string> arguments_;
    std::vector<std::string> environment_;
    std::vector<char*> argv_;
    std::vector<char*> envp_;
};

std::vector<std::string> environmentWithPrefix(const std::string& prefix) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "WINEPREFIX=", 11) != 0) result.emplace_back(*entry);
    }
    result.push_back("WINEPREFIX=" + prefix);
    return result;
}

class Fd {
  public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    void reset() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

  private:
    int fd_;
};

[[noreturn]] void notStarted(int error, const std::string& tool) {
    throw FileError(std::error_code(error, std::generic_category()), tool);
}

void reap(pid_t child) {
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Runs wine winepath.exe -w and returns the path it prints, or nothing when it
// fails, prints nothing or takes too long.
std::optional<std::string> windowsPathOf(const std::string& wine, const std::string& prefix,
                                         const std::string& path) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
    Fd reader(pipeFds[0]);
    Fd writer(pipeFds[1]);
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, writer.get(), 1);
    ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const ExecArguments exec({wine, "winepath.exe", "-w", path}, environmentWithPrefix(prefix));
    pid_t child = -1;
    const int spawned =
        ::posix_spawn(&child, exec.program(), &actions, nullptr, exec.argv(), exec.envp());
    ::posix_spawn_file_actions_destroy(&actions);
    writer.reset();
    if (spawned != 0) return std::nullopt;

    std::string output;
    const auto end = std::chrono::steady_clock::now() + kWinepathLimit;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(child, SIGKILL);
            reap(child);
            return std::nullopt;
        }
        pollfd wait{reader.get(), POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0) continue;
        char buffer[4096];
        const ssize_t n = ::read(reader.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        output.append(buffer, static_cast<std::size_t>(n));
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
    if (output.empty() || output.find('\n') != std::string::npos) return std::nullopt;
    return output;
}

// Starts the program and returns at once. The child in between ends right
// away, so the program belongs to init and is never left as a zombie here; a
// close-on-exec pipe tells whether the exec itself worked.
void startDetached(const ExecArguments& exec, const std::string& tool) {
    Fd devNull(::open("/dev/null", O_RDWR | O_CLOEXEC));
    int pipeFds[2];
    if (devNull.get() < 0 || ::pipe2(pipeFds, O_CLOEXEC) != 0) notStarted(errno, tool);
    Fd reader(pipeFds[0]);
    Fd writer(pipeFds[1]);

    const pid_t child = ::fork();
    if (child == 0) {
        ::setsid();
        const pid_t program = ::fork();
        if (program == 0) {
            ::dup2(devNull.get(), 0);
            ::dup2(devNull.get(), 1);
            ::dup2(devNull.get(), 2);
            // What this program ignores or blocks is no concern of the tool's.
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
    if (child < 0) notStarted(errno, tool);
    writer.reset();
    reap(child);
    int error = 0;
    ssize_t n = 0;
    do {
        n = ::read(reader.get(), &error, sizeof error);
    } while (n < 0 && errno == EINTR);
    if (n == static_cast<ssize_t>(sizeof error)) notStarted(error, tool);
}

}  // namespace

std::vector<std::string> cmdWordsFor(const std::string& windowsPath) {
    // wine joins its arguments with one blank each and quotes any that holds
    // a blank, so the path goes as its blank-separated words; cmd.exe then
    // expands % and reads ^ & | < > itself, the latter unless escaped.
    if (windowsPath.empty() || windowsPath.front() == ' ' || windowsPath.back() == ' ' ||
        windowsPath.find("  ") != std::string::npos ||
        windowsPath.find_first_of("\t\"%") != std::string::npos) {
        return {};
    }
    std::vector<std::string> words(1);
    for (const char c : windowsPath) {
        if (c == ' ') {
            words.emplace_back();
            continue;
        }
        if (std::strchr("^&|<>", c) != nullptr) words.back() += '^';
        words.back() += c;
    }
    return words;
}

bool WineInstallTool::handOff(const std::string& pdbPath) {
    if (prefix_.empty()) return false;
    const auto tool = findIgnoringCase(prefix_, {"drive_c", "palm", "instapp.exe"});
    if (!tool) return false;
    const auto wine = findProgram(wine_);
    if (!wine) return false;

    const std::string absolute = fs::absolute(fs::path(pdbPath)).lexically_normal().string();
    const auto windowsPath = windowsPathOf(*wine, prefix_, absolute);
    if (!windowsPath) notStarted(ENOEXEC, *tool);

    // The program goes by its Windows name, as on Windows.
    std::string program = kInstallCommand;
    program.pop_back();
    std::vector<std::string> arguments = {*wine};
    if (std::vector<std::string> words = cmdWordsFor(*windowsPath); !words.empty()) {
        arguments.insert(arguments.end(), {"cmd.exe", "/c", program});
        arguments.insert(arguments.end(), words.begin(), words.end());
    } else {
        arguments.insert(arguments.end(), {program, *windowsPath});
    }
    startDetached(ExecArguments(std::move(arguments), environmentWithPrefix(prefix_)), *tool);
    return true;
}

}  // namespace zonora
