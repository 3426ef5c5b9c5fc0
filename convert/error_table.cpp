#include "convert/error_table.h"

#include <map>
#include <new>
#include <system_error>

#include "platform/file_error.h"

namespace zonora {
namespace {

const std::map<int, std::string>& descriptions() {
    static const std::map<int, std::string> table = {
        {errors::kInvalidCall, "Invalid procedure call or argument"},
        {errors::kOverflow, "Overflow"},
        {errors::kSubscriptOutOfRange, "Subscript out of range"},
        {errors::kOutOfMemory, "Out of memory"},
        {errors::kBadFileName, "Bad file name or number"},
        {errors::kFileNotFound, "File not found"},
        {errors::kDeviceIo, "Device I/O error"},
        {errors::kFileAlreadyExists, "File already exists"},
        {errors::kDiskFull, "Disk full"},
        {errors::kTooManyFiles, "Too many files"},
        {errors::kPermissionDenied, "Permission denied"},
        {errors::kPathFileAccess, "Path/File access error"},
        {errors::kPathNotFound, "Path not found"},
        {errors::kInvalidFileFormat, "Invalid file format"},
    };
    return table;
}

int numberOf(const FileError& error) {
    using std::errc;
    const std::error_code& code = error.code;
    if (code == errc::no_such_file_or_directory) {
        return error.folderMissing ? errors::kPathNotFound : errors::kFileNotFound;
    }
    if (code == errc::not_a_directory) return errors::kPathNotFound;
    if (code == errc::permission_denied || code == errc::operation_not_permitted ||
        code == errc::read_only_file_system) {
        return errors::kPermissionDenied;
    }
    if (code == errc::no_space_on_device || code == errc::file_too_large) return errors::kDiskFull;
#ifdef EDQUOT
    if (code.value() == EDQUOT && code.category() == std::generic_category()) {
        return errors::kDiskFull;
    }
#endif
    if (code == errc::too_many_files_open || code == errc::too_many_files_open_in_system) {
        return errors::kTooManyFiles;
    }
    if (code == errc::io_error) return errors::kDeviceIo;
    if (code == errc::filename_too_long) return errors::kBadFileName;
    if (code == errc::file_exists) return errors::kFileAlreadyExists;
    return errors::kPathFileAccess;
}

}  // namespace

std::string describeError(int number) {
    const auto found = descriptions().find(number);
    return found == descriptions().end() ? "Application-defined or object-defined error"
                                         : found->second;
}

RuntimeError toRuntimeError(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const RuntimeError& error) {
        RuntimeError copy = error;
        if (copy.description.empty()) copy.description = describeError(copy.number);
        return copy;
    } catch (const FileError& error) {
        const int number = numberOf(error);
        return RuntimeError(number, describeError(number) + ": " + error.path);
    } catch (const std::bad_alloc&) {
        return RuntimeError(errors::kOutOfMemory, describeError(errors::kOutOfMemory));
    } catch (const std::exception& error) {
        return RuntimeError(errors::kPathFileAccess, error.what());
    } catch (...) {
        return RuntimeError(errors::kPathFileAccess, describeError(errors::kPathFileAccess));
    }
}

}  // namespace zonora
