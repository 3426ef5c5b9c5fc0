#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/file_error.h"
#include "platform/temporary_name.h"
#include "platform/win32/win32_error.h"
#include "platform/win32/win32_text.h"

namespace zonora {
namespace {

[[noreturn]] void refuse(std::errc code, const std::string& path) {
    throw FileError(std::make_error_code(code), path);
}

[[noreturn]] void throwLastError(const std::string& path) {
    throwWin32Error(::GetLastError(), path);
}

bool equalsAscii(std::string_view text, std::string_view upper) {
    return std::equal(text.begin(), text.end(), upper.begin(), upper.end(), [](char a, char b) {
        return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
    });
}

bool isReservedDeviceName(std::string_view name) {
    // Windows ignores what follows the first dot or colon, and blanks before it.
    name = name.substr(0, name.find_first_of(".:"));
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    for (const std::string_view device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"}) {
        if (equalsAscii(name, device)) return true;
    }
    if (name.size() < 4) return false;
    const std::string_view stem = name.substr(0, 3);
    if (!equalsAscii(stem, "COM") && !equalsAscii(stem, "LPT")) return false;
    const std::string_view digit = name.substr(3);
    if (digit.size() == 1) return digit[0] >= '1' && digit[0] <= '9';
    // Superscript one to three count as digits here.
    return digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3";
}

class UniqueHandle {
  public:
    explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    HANDLE get() const { return handle_; }
    HANDLE release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool reset() {
        const bool closed = !valid() || ::CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

// The largest single transfer; bigger spans are moved in pieces.
constexpr std::size_t kChunk = std::size_t{1} << 30;

OVERLAPPED at(std::uint64_t offset) {
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

// The longest name most volumes take, for a volume that does not say.
constexpr std::size_t kUsualNameLimit = 255;

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The folder part of a full path, with its closing backslash.
std::wstring folderOf(const std::wstring& full) {
    return full.substr(0, full.find_last_of(L'\\') + 1);
}

// Throws the FileError for a failed call on the file at full. Some systems
// answer "file not found" when its folder is missing too (Wine does, even for
// a missing drive), so the folder is looked at before the error is named.
[[noreturn]] void throwFailure(DWORD code, const std::wstring& full, const std::string& path) {
    if (code == ERROR_FILE_NOT_FOUND && !isFolder(folderOf(full))) {
        throw FileError(win32Error(code), path, true);
    }
    throwWin32Error(code, path);
}

std::wstring fullPath(const std::wstring& path, const std::string& shown) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) throwLastError(shown);
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

// The file a link finally names, so that replacing it keeps the link; the
// path itself when it is no link or the link leads nowhere.
std::wstring resolveLink(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return path;
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetFinalPathNameByHandleW(file.get(), final.data(), static_cast<DWORD>(final.size()),
                                        FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) return path;
        if (length < final.size()) {
            final.resize(length);
            return final;
        }
        final.resize(length);
    }
}

std::string uniqueTail() {
    static LONG counter = 0;
    const auto mix = static_cast<unsigned long>(::GetCurrentProcessId()) * 2654435761u ^
                     static_cast<unsigned long>(::GetTickCount64()) ^
                     static_cast<unsigned long>(::InterlockedIncrement(&counter)) * 40503u;
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), ".%08lx", mix & 0xFFFFFFFFul);
    return text.data();
}

// The marks of the file at target when it may be replaced now, nothing when
// there is none; throws when it is a folder, read-only, or held by a program
// that shares it with nobody, so that such a target is refused before any
// new content is written and again just before the swap.
std::optional<DWORD> checkReplaceable(const std::wstring& target, const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND) return std::nullopt;
        throwWin32Error(error, path);
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) refuse(std::errc::is_a_directory, path);
    // A read-only file stays as it is, even in a folder we may write to.
    if (attributes & FILE_ATTRIBUTE_READONLY) throwWin32Error(ERROR_ACCESS_DENIED, path);
    UniqueHandle probe(::CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
    if (!probe.valid()) throwLastError(path);
    if (::GetFileType(probe.get()) != FILE_TYPE_DISK) refuse(std::errc::invalid_argument, path);
    return attributes;
}

class Win32InputFile : public InputFile {
  public:
    Win32InputFile(HANDLE handle, std::string path) : file_(handle), path_(std::move(path)) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        std::size_t done = 0;
        while (done < out.size()) {
            const auto want = static_cast<DWORD>(std::min(out.size() - done, kChunk));
            OVERLAPPED position = at(offset + done);
            DWORD got = 0;
            if (!::ReadFile(file_.get(), out.data() + done, want, &got, &position)) {
                const DWORD error = ::GetLastError();
                if (error == ERROR_HANDLE_EOF) break;
                throwWin32Error(error, path_);
            }
            if (got == 0) break;
            done += got;
        }
        return done;
    }

    std::size_t read(std::span<char> out) override {
        const std::size_t got =
            readAt(next_, {reinterpret_cast<std::uint8_t*>(out.data()), out.size()});
        next_ += got;
        return got;
    }

    std::uint64_t size() override {
        LARGE_INTEGER size{};
        if (!::GetFileSizeEx(file_.get(), &size)) throwLastError(path_);
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    void close() override { file_.reset(); }

  private:
    UniqueHandle file_;
    std::string path_;
    std::uint64_t next_ = 0;  // where read() goes on; readAt() leaves it alone
};

class Win32OutputFile : public OutputFile {
  public:
    Win32OutputFile(std::string path, std::wstring target, std::wstring temporary, HANDLE handle)
        : path_(std::move(path)),
          target_(std::move(target)),
          temporary_(std::move(temporary)),
          file_(handle) {}

    ~Win32OutputFile() override { discard(); }

    void write(std::span<const std::uint8_t> bytes) override {
        writeAt(next_, bytes);
        next_ += bytes.size();
    }

    // Positioned writes need no shared file pointer.
    void writeAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const auto want = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
            OVERLAPPED position = at(offset + done);
            DWORD wrote = 0;
            if (!::WriteFile(file_.get(), bytes.data() + done, want, &wrote, &position)) {
                throwLastError(path_);
            }
            if (wrote == 0) throwWin32Error(ERROR_DISK_FULL, path_);
            done += wrote;
        }
    }

    void flush() override {
        if (!::FlushFileBuffers(file_.get())) throwLastError(path_);
    }

    void commit() override {
        try {
            // The content is on the disk before it takes the target's place.
            flush();
            if (!file_.reset()) throwLastError(path_);
            putInPlace();
            committed_ = true;
        } catch (...) {
            discard();
            throw;
        }
    }

  private:
    void putInPlace() {
        // Checked again: a program may have taken the file since, and a swap
        // that fails half-way can leave its own leftovers behind.
        if (const auto kept = checkReplaceable(target_, path_)) {
            // Keeps the old file's attributes, security and creation time.
            if (!::ReplaceFileW(target_.c_str(), temporary_.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
                throwLastError(path_);
            }
            // Not every implementation carries these over.
            const DWORD marks = *kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
            const DWORD now = ::GetFileAttributesW(target_.c_str());
            if (marks != 0 && now != INVALID_FILE_ATTRIBUTES && (now & marks) != marks) {
                ::SetFileAttributesW(target_.c_str(), now | marks);
            }
            return;
        }
        if (!::MoveFileExW(temporary_.c_str(), target_.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            throwLastError(path_);
        }
    }

    void discard() {
        file_.reset();
        if (!committed_) ::DeleteFileW(temporary_.c_str());
    }

    std::string path_;
    std::wstring target_;
    std::wstring temporary_;
    UniqueHandle file_;
    bool committed_ = false;
    std::uint64_t next_ = 0;  // where write() appends; writeAt() leaves it alone
};

}  // namespace

bool isDevicePath(const std::string& path) {
    std::string text = path;
    std::replace(text.begin(), text.end(), '/', '\\');
    const std::string_view view = text;
    if (view.starts_with("\\\\.\\")) return true;
    if (view.starts_with("\\\\?\\")) {
        // Such paths are taken literally, so reserved names mean nothing there;
        // only a drive, a share or a volume holds files.
        const std::string_view rest = view.substr(4);
        const bool drive = rest.size() >= 3 && rest[1] == ':' && rest[2] == '\\';
        const bool share = equalsAscii(rest.substr(0, 4), "UNC\\");
        const bool volume = equalsAscii(rest.substr(0, 7), "VOLUME{");
        return !drive && !share && !volume;
    }
    std::string_view name = view.substr(view.find_last_of('\\') + 1);
    if (name.size() >= 2 && name[1] == ':' && name.find('\\') == std::string_view::npos &&
        view.find('\\') == std::string_view::npos) {
        name.remove_prefix(2);  // C:NUL
    }
    return isReservedDeviceName(name);
}

std::size_t Win32FileSystem::nameLimit(const std::wstring& folder) {
    const std::lock_guard lock(mutex_);
    if (const auto known = nameLimits_.find(folder); known != nameLimits_.end()) {
        return known->second;
    }
    std::wstring volume(std::max<std::size_t>(folder.size() + 1, MAX_PATH), L'\0');
    DWORD longest = 0;
    if (!::GetVolumePathNameW(folder.c_str(), volume.data(), static_cast<DWORD>(volume.size())) ||
        !::GetVolumeInformationW(volume.c_str(), nullptr, 0, nullptr, &longest, nullptr, nullptr,
                                 0) ||
        longest == 0) {
        return kUsualNameLimit;  // not kept: the system answers for such a folder itself
    }
    nameLimits_.emplace(folder, longest);
    return longest;
}

void Win32FileSystem::refuseOverlongName(const std::wstring& full, const std::string& path) {
    const std::size_t name = full.size() - (full.find_last_of(L'\\') + 1);
    if (name > nameLimit(folderOf(full))) throwWin32Error(ERROR_FILENAME_EXCED_RANGE, path);
}

std::unique_ptr<InputFile> Win32FileSystem::openRead(const std::string& path) {
    if (path.empty()) refuse(std::errc::no_such_file_or_directory, path);
    // A device could be read forever, or wait for input that never comes.
    if (isDevicePath(path)) refuse(std::errc::invalid_argument, path);
    const std::wstring wide = widen(path);
    const std::wstring full = fullPath(wide, path);
    refuseOverlongName(full, path);
    UniqueHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_ACCESS_DENIED && isFolder(wide)) {
            refuse(std::errc::is_a_directory, path);
        }
        throwFailure(error, full, path);
    }
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) refuse(std::errc::invalid_argument, path);
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileInformationByHandle(file.get(), &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        refuse(std::errc::is_a_directory, path);
    }
    auto input = std::make_unique<Win32InputFile>(file.get(), path);
    file.release();  // the input file owns it now
    return input;
}

std::unique_ptr<OutputFile> Win32FileSystem::replace(const std::string& path) {
    if (path.empty()) refuse(std::errc::no_such_file_or_directory, path);
    if (isDevicePath(path)) refuse(std::errc::invalid_argument, path);
    std::wstring target = fullPath(widen(path), path);
    if (isDevicePath(narrow(target))) refuse(std::errc::invalid_argument, path);

    // Past the ordinary path limit the name itself is refused, rather than
    // with whatever the first call that trips over it happens to report.
    const bool literal = target.starts_with(L"\\\\?\\");
    if (!literal && target.size() >= MAX_PATH) throwWin32Error(ERROR_FILENAME_EXCED_RANGE, path);
    refuseOverlongName(target, path);

    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        target = resolveLink(target);
    }
    checkReplaceable(target, path);

    const std::size_t slash = target.find_last_of(L'\\');
    const std::wstring folder = target.substr(0, slash + 1);
    const std::string name = narrow(std::wstring_view(target).substr(slash + 1));
    // Within both the longest name and the longest ordinary path (MAX_PATH
    // less the closing NUL); UTF-8 bytes never undercount UTF-16 units.
    const std::size_t room = folder.size() < MAX_PATH - 1 ? MAX_PATH - 1 - folder.size() : 0;
    const std::size_t limit = std::min(nameLimit(folder), room);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring temporary = folder + widen(temporaryFileName(name, uniqueTail(), limit));
        HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            return std::make_unique<Win32OutputFile>(path, std::move(target), std::move(temporary),
                                                     handle);
        }
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
            throwFailure(error, temporary, path);
        }
    }
    throwWin32Error(ERROR_FILE_EXISTS, path);
}

bool Win32FileSystem::exists(const std::string& path) {
    if (path.empty() || isDevicePath(path)) return false;
    const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identify(const std::string& path) {
    if (path.empty() || isDevicePath(path)) return std::nullopt;
    UniqueHandle file(::CreateFileW(widen(path).c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

}  // namespace

bool Win32FileSystem::sameFile(const std::string& a, const std::string& b) {
    const auto first = identify(a);
    const auto second = identify(b);
    return first && second && *first == *second;
}

}  // namespace zonora
