#include "platform/byte_input_file.h"

#include <algorithm>

namespace zonora {

std::size_t ByteInputFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset >= bytes_.size()) return 0;
    const auto rest = bytes_.subspan(static_cast<std::size_t>(offset));
    const std::size_t n = std::min(out.size(), rest.size());
    std::copy_n(rest.begin(), n, out.begin());
    return n;
}

std::size_t ByteInputFile::read(std::span<char> out) {
    std::uint8_t* target = reinterpret_cast<std::uint8_t*>(out.data());
    const std::size_t n = readAt(position_, {target, out.size()});
    position_ += n;
    return n;
}

}  // namespace zonora
