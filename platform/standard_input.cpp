#include "platform/standard_input.h"

#include "platform/byte_input_file.h"

namespace zonora {

std::unique_ptr<InputFile> StandardInputFiles::openRead(const std::string& path) {
    if (path != inputPath_) return files_.openRead(path);
    return std::make_unique<ByteInputFile>(bytes_);
}

}  // namespace zonora
