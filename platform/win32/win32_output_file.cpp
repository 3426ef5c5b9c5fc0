#include "platform/win32/win32_output_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "platform/win32/win32_error.h"
#include "platform/win32/win32_file_paths.h"

namespace zonora {

void refuseToReplace(DWORD attributes, const std::string& path) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) refuse(std::errc::is_a_directory, path);
    if (attributes & FILE_ATTRIBUTE_READONLY) throwWin32Error(ERROR_ACCESS_DENIED, path);
}

// Writes go through the handle's own position, as reads do.
void Win32OutputFile::write(std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto want = static_cast<DWORD>(std::min(bytes.size() - done, kLargestTransfer));
        DWORD wrote = 0;
        if (!::WriteFile(file_.get(), bytes.data() + done, want, &wrote, nullptr)) {
            throwLastError(path_);
        }
        if (wrote == 0) throwWin32Error(ERROR_DISK_FULL, path_);
        done += wrote;
        flushed_ = false;
    }
}

void Win32OutputFile::flush() {
    if (!::FlushFileBuffers(file_.get())) throwLastError(path_);
    flushed_ = true;
}

void Win32OutputFile::commit() {
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

void Win32OutputFile::putInPlace() {
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
void Win32OutputFile::carryOver(const WIN32_FILE_ATTRIBUTE_DATA& old) {
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

void Win32OutputFile::discard() {
    file_.reset();
    if (!committed_ && !temporary_.empty()) {
        ::DeleteFileW(temporary_.c_str());
        temporary_.clear();
    }
}

}  // namespace zonora
