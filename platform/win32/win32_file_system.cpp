#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <new>
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

// The longest name most volumes take, for a folder whose volume does not say.
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

// The file a link finally names, so that replacing it keeps the link: the
// path itself when it is no link, nothing when the link leads nowhere.
std::optional<std::wstring> resolveLink(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.valid()) return std::nullopt;
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

// A folder or a read-only file is not replaced, even in a folder we may write
// to; Wine would rename over a read-only file.
void refuseToReplace(DWORD attributes, const std::string& path) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) refuse(std::errc::is_a_directory, path);
    if (attributes & FILE_ATTRIBUTE_READONLY) throwWin32Error(ERROR_ACCESS_DENIED, path);
}

// Reads and writes go through the handle's own position: a positioned
// (OVERLAPPED) transfer costs Wine a round trip to its server for the
// completion, and moving the position costs none.
void moveTo(HANDLE file, std::uint64_t offset, const std::string& path) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    if (!::SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) throwLastError(path);
}

class Win32InputFile : public InputFile {
  public:
    Win32InputFile(HANDLE handle, std::string path) : file_(handle), path_(std::move(path)) {}

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        moveTo(file_.get(), offset, path_);
        std::size_t done = 0;
        while (done < out.size()) {
            const auto want = static_cast<DWORD>(std::min(out.size() - done, kChunk));
            DWORD got = 0;
            if (!::ReadFile(file_.get(), out.data() + done, want, &got, nullptr)) {
                throwLastError(path_);
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
        std::size_t done = 0;
        while (done < bytes.size()) {
            const auto want = static_cast<DWORD>(std::min(bytes.size() - done, kChunk));
            DWORD wrote = 0;
            if (!::WriteFile(file_.get(), bytes.data() + done, want, &wrote, nullptr)) {
                throwLastError(path_);
            }
            if (wrote == 0) throwWin32Error(ERROR_DISK_FULL, path_);
            done += wrote;
            flushed_ = false;
        }
    }

    void flush() override {
        if (!::FlushFileBuffers(file_.get())) throwLastError(path_);
        flushed_ = true;
    }

    void commit() override {
        try {
            // The content is on the disk before it takes the target's place.
            if (!flushed_) flush();
            putInPlace();
            committed_ = true;
            file_.reset();
        } catch (...) {
            discard();
            throw;
        }
    }

  private:
    void putInPlace() {
        // Looked at again: the target may have changed since replace().
        WIN32_FILE_ATTRIBUTE_DATA old{};
        if (::GetFileAttributesExW(target_.c_str(), GetFileExInfoStandard, &old)) {
            refuseToReplace(old.dwFileAttributes, path_);
            carryOver(old);
        } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND) {
            throwFailure(error, target_, path_);
        }
        // Renamed over the target through the handle it was written by: one
        // call, which leaves the old file in place when it fails (as it does
        // while another program holds the old file open).
        const std::size_t bytes = target_.size() * sizeof(wchar_t);
        const std::size_t size = sizeof(FILE_RENAME_INFO) + bytes;  // FileName[1] holds the NUL
        const auto buffer = std::make_unique<std::byte[]>(size);
        auto* request = new (buffer.get()) FILE_RENAME_INFO{};
        request->ReplaceIfExists = TRUE;
        request->FileNameLength = static_cast<DWORD>(bytes);
        std::memcpy(request->FileName, target_.c_str(), bytes + sizeof(wchar_t));
        if (!::SetFileInformationByHandle(file_.get(), FileRenameInfo, request,
                                          static_cast<DWORD>(size))) {
            throwFailure(::GetLastError(), target_, path_);
        }
    }

    // The old file's hidden and system marks and its creation time go to the
    // new one, as ReplaceFileW would carry them; zero times change nothing.
    void carryOver(const WIN32_FILE_ATTRIBUTE_DATA& old) {
        FILE_BASIC_INFO info{};
        info.CreationTime.LowPart = old.ftCreationTime.dwLowDateTime;
        info.CreationTime.HighPart = static_cast<LONG>(old.ftCreationTime.dwHighDateTime);
        const DWORD marks = old.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
        FILE_BASIC_INFO now{};
        if (marks != 0 &&
            ::GetFileInformationByHandleEx(file_.get(), FileBasicInfo, &now, sizeof now)) {
            info.FileAttributes = now.FileAttributes | marks;
        }
        // A failure here costs the marks, not the new content.
        ::SetFileInformationByHandle(file_.get(), FileBasicInfo, &info, sizeof info);
    }

    void discard() {
        file_.reset();
        if (!committed_ && !temporary_.empty()) {
            ::DeleteFileW(temporary_.c_str());
            temporary_.clear();
        }
    }

    std::string path_;
    std::wstring target_;
    std::wstring temporary_;
    UniqueHandle file_;
    bool committed_ = false;
    bool flushed_ = false;  // nothing written since the last flush
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
    // Asked of the folder itself, which may be another volume's mount point;
    // by handle, as GetVolumeInformationW makes Wine complain about reading
    // the label of a drive it cannot read.
    UniqueHandle handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    DWORD longest = 0;
    if (!handle.valid() ||
        !::GetVolumeInformationByHandleW(handle.get(), nullptr, 0, nullptr, &longest, nullptr,
                                         nullptr, 0) ||
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
    // Asked of the open file, not of its path again.
    if (::GetFileType(file.get()) != FILE_TYPE_DISK) refuse(std::errc::invalid_argument, path);
    FILE_BASIC_INFO info{};
    if (::GetFileInformationByHandleEx(file.get(), FileBasicInfo, &info, sizeof info) &&
        (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
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

    // Past the ordinary path limit, or its volume's name limit, the name
    // itself is refused, rather than with whatever the first call that trips
    // over it happens to report.
    if (!target.starts_with(L"\\\\?\\") && target.size() >= MAX_PATH) {
        throwWin32Error(ERROR_FILENAME_EXCED_RANGE, path);
    }
    refuseOverlongName(target, path);

    // One look by path. Wine answers it without a round trip to its server,
    // and fails it for a device.
    WIN32_FILE_ATTRIBUTE_DATA old{};
    bool found = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old);
    if (found && (old.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        const auto linked = resolveLink(target);
        if (!linked) throwFailure(::GetLastError(), target, path);
        target = *linked;
        found = ::GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &old);
    }
    if (found) {
        refuseToReplace(old.dwFileAttributes, path);
    } else if (const DWORD error = ::GetLastError(); error != ERROR_FILE_NOT_FOUND) {
        throwFailure(error, target, path);
    }

    const std::wstring folder = folderOf(target);
    const std::string name = narrow(std::wstring_view(target).substr(folder.size()));
    // Within both the longest name and, unless the path is literal, the
    // longest ordinary path (MAX_PATH less the closing NUL); UTF-8 bytes never
    // undercount UTF-16 units.
    std::size_t limit = nameLimit(folder);
    if (!target.starts_with(L"\\\\?\\")) {
        limit = std::min<std::size_t>(
            limit, folder.size() < MAX_PATH - 1 ? MAX_PATH - 1 - folder.size() : 0);
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::wstring temporary = folder + widen(temporaryFileName(name, uniqueTail(), limit));
        // DELETE, so that the file can be renamed through this handle.
        HANDLE handle = ::CreateFileW(temporary.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
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

// Asked of an open handle; slow under Wine, which asks its mount manager for
// the volume.
std::optional<FileIdentity> identify(const std::wstring& path) {
    UniqueHandle file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

// What one file shows under any of its names at one moment.
bool sameFacts(const WIN32_FILE_ATTRIBUTE_DATA& a, const WIN32_FILE_ATTRIBUTE_DATA& b) {
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           a.ftCreationTime.dwHighDateTime == b.ftCreationTime.dwHighDateTime &&
           a.ftCreationTime.dwLowDateTime == b.ftCreationTime.dwLowDateTime;
}

}  // namespace

bool Win32FileSystem::sameFile(const std::string& a, const std::string& b) {
    if (a.empty() || b.empty() || isDevicePath(a) || isDevicePath(b)) return false;
    const std::wstring first = widen(a);
    const std::wstring second = widen(b);
    WIN32_FILE_ATTRIBUTE_DATA factsA{};
    WIN32_FILE_ATTRIBUTE_DATA factsB{};
    if (!::GetFileAttributesExW(first.c_str(), GetFileExInfoStandard, &factsA) ||
        !::GetFileAttributesExW(second.c_str(), GetFileExInfoStandard, &factsB)) {
        return false;
    }
    // Files that differ in size or birth are two, told without opening
    // either; a link shows its own facts, not its file's.
    const bool link =
        (factsA.dwFileAttributes | factsB.dwFileAttributes) & FILE_ATTRIBUTE_REPARSE_POINT;
    if (!link && !sameFacts(factsA, factsB)) return false;
    const auto identityA = identify(first);
    if (!identityA) return false;
    const auto identityB = identify(second);
    return identityB && *identityA == *identityB;
}

}  // namespace zonora
