#include "platform/posix/posix_file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/file_error.h"
#include "platform/posix/unique_fd.h"

namespace zonora {
namespace fs = std::filesystem;
namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

// Where a chain of links finally leads (the end need not exist yet), so that
// replacing it keeps the links; nothing for a chain that loops.
std::optional<fs::path> followLinks(fs::path path) {
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
        const fs::path target = fs::read_symlink(path, error);
        if (error) return path;
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    return std::nullopt;
}

bool folderExists(const fs::path& file) {
    const fs::path folder = file.parent_path();
    std::error_code ignored;
    return folder.empty() || fs::is_directory(folder, ignored);
}

// A link into a missing folder is a missing folder too, as the user sees it.
[[noreturn]] void fail(std::error_code code, const std::string& path) {
    const bool folderMissing = code == std::errc::no_such_file_or_directory &&
                               !folderExists(followLinks(fs::path(path)).value_or(path));
    throw FileError(code, path, folderMissing);
}

// Only a plain file has an end to read to, and only a plain file may be
// replaced: renaming over a device, a pipe or a socket would destroy the node.
void requirePlainFile(const struct stat& info, const std::string& path) {
    if (S_ISREG(info.st_mode)) return;
    fail(std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                    : std::errc::invalid_argument),
         path);
}

// The longest name the folder takes; a folder that cannot say gets the usual one.
std::size_t nameLimit(const fs::path& folder) {
    const long limit = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    return limit > 0 ? static_cast<std::size_t>(limit) : std::size_t{NAME_MAX};
}

class PosixInputFile : public InputFile {
  public:
    PosixInputFile(UniqueFd fd, std::string path) : fd_(std::move(fd)), path_(std::move(path)) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        std::size_t done = 0;
        while (done < out.size()) {
            const ssize_t n = ::pread(fd_.get(), out.data() + done, out.size() - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) fail(lastError(), path_);
            if (n == 0) break;
            done += static_cast<std::size_t>(n);
        }
        return done;
    }

    std::size_t read(std::span<char> out) override {
        for (;;) {
            const ssize_t n = ::read(fd_.get(), out.data(), out.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) fail(lastError(), path_);
            return static_cast<std::size_t>(n);
        }
    }

    std::uint64_t size() override {
        struct stat info {};
        if (::fstat(fd_.get(), &info) != 0) fail(lastError(), path_);
        return static_cast<std::uint64_t>(info.st_size);
    }

    void close() override { fd_.reset(); }

  private:
    UniqueFd fd_;
    std::string path_;
};

class PosixOutputFile : public OutputFile {
  public:
    PosixOutputFile(std::string path, fs::path target, std::string temporary, UniqueFd fd)
        : path_(std::move(path)),
          target_(std::move(target)),
          temporary_(std::move(temporary)),
          fd_(std::move(fd)) {}

    ~PosixOutputFile() override {
        fd_.reset();
        if (!committed_) ::unlink(temporary_.c_str());
    }

    void write(std::span<const std::uint8_t> bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_.get(), bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) fail(lastError(), path_);
            done += static_cast<std::size_t>(n);
        }
    }

    void flush() override {
        if (::fsync(fd_.get()) != 0) fail(lastError(), path_);
    }

    void commit() override {
        if (!fd_.reset()) fail(lastError(), path_);
        // The target may have become something else while the content was written.
        struct stat info {};
        if (::stat(target_.c_str(), &info) == 0) requirePlainFile(info, path_);
        if (::rename(temporary_.c_str(), target_.c_str()) != 0) fail(lastError(), path_);
        committed_ = true;
        // Make the rename itself durable; the new file is already complete.
        const UniqueFd folder(
            ::open(folderOf(target_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (folder.valid()) ::fsync(folder.get());
    }

    static fs::path folderOf(const fs::path& file) {
        return file.parent_path().empty() ? fs::path(".") : file.parent_path();
    }

  private:
    std::string path_;
    fs::path target_;
    std::string temporary_;
    UniqueFd fd_;
    bool committed_ = false;
};

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

}  // namespace

std::unique_ptr<InputFile> PosixFileSystem::openRead(const std::string& path) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer forever.
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) fail(lastError(), path);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) fail(lastError(), path);
    // A pipe or a device could be read forever.
    requirePlainFile(info, path);
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return std::make_unique<PosixInputFile>(std::move(fd), path);
}

std::unique_ptr<OutputFile> PosixFileSystem::replace(const std::string& path) {
    if (path.empty()) fail(std::make_error_code(std::errc::no_such_file_or_directory), path);
    const std::optional<fs::path> followed = followLinks(fs::path(path));
    if (!followed) fail(std::make_error_code(std::errc::too_many_symbolic_link_levels), path);
    const fs::path& target = *followed;
    const fs::path folder = PosixOutputFile::folderOf(target);

    struct stat info {};
    mode_t mode = 0666 & ~currentUmask();
    const bool replacing = ::stat(target.c_str(), &info) == 0;
    if (replacing) {
        requirePlainFile(info, path);
        // A read-only file stays as it is, even in a folder we may write to.
        if (::access(target.c_str(), W_OK) != 0) fail(lastError(), path);
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        fail(lastError(), path);
    }

    // Cut to the folder's limit, so that any name the target may have fits.
    std::string temporary =
        (folder / temporaryFileName(target.filename().string(), ".XXXXXX", nameLimit(folder)))
            .string();
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    UniqueFd fd(::mkostemp(name.data(), O_CLOEXEC));
    if (!fd.valid()) fail(lastError(), path);
    temporary = name.data();
    // The new file keeps the old one's owner where we may give it (as root).
    if (replacing && ::fchown(fd.get(), info.st_uid, info.st_gid) != 0) {
        // Not permitted for an ordinary user: the file becomes theirs.
    }
    if (::fchmod(fd.get(), mode) != 0) {
        const std::error_code code = lastError();
        fd.reset();
        ::unlink(temporary.c_str());
        fail(code, path);
    }
    return std::make_unique<PosixOutputFile>(path, target, temporary, std::move(fd));
}

bool PosixFileSystem::exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool PosixFileSystem::sameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

}  // namespace zonora
