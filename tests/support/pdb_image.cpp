#include "tests/support/pdb_image.h"

#include <algorithm>

namespace zonora::test {
namespace {

void putBigEndian(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value,
                  int size) {
    for (int i = 0; i < size; ++i) {
        bytes[offset + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(value >> (8 * (size - 1 - i)));
    }
}

void putText(std::vector<std::uint8_t>& bytes, std::size_t offset, const std::string& text) {
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

}  // namespace

std::vector<std::uint8_t> makeZoneDatabase(const ZoneTable& zones, std::uint16_t recordOffset,
                                           const std::string& name) {
    constexpr std::size_t kHeader = 78;
    constexpr std::size_t kAppInfo = kHeader + 8 + 2;  // one list entry and the 2-byte gap
    std::vector<std::uint8_t> bytes(recordOffset + 512u, 0);
    putText(bytes, 0, name.substr(0, 31));
    // Bytes of the name field past the name: not zero, to see what a writer keeps.
    for (std::size_t i = name.size() + 1; i < 32; ++i)
        bytes[i] = static_cast<std::uint8_t>('a' + i % 26);
    putBigEndian(bytes, 32, 0x0008, 2);      // attributes
    putBigEndian(bytes, 34, 1, 2);           // version
    putBigEndian(bytes, 36, 0xBA3A1C00, 4);  // creation date
    putBigEndian(bytes, 40, 0xBA3A1D11, 4);  // modification date
    putBigEndian(bytes, 48, 42, 4);          // modification number
    putBigEndian(bytes, 52, kAppInfo, 4);    // application info block
    putText(bytes, 60, "ZonE");              // type
    putText(bytes, 64, "DrmA");              // creator
    putBigEndian(bytes, 68, 0x00F00001, 4);  // unique id seed
    putBigEndian(bytes, 76, 1, 2);           // one record
    putBigEndian(bytes, 78, recordOffset, 4);
    bytes[82] = 0x40;                      // record attributes
    putBigEndian(bytes, 83, 0xF00001, 3);  // record unique id
    for (std::size_t i = kAppInfo; i < recordOffset; ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 13);
    for (std::size_t k = 0; k < kZoneCount; ++k) {
        bytes[recordOffset + 2 * k] = static_cast<std::uint8_t>(0xA0 + k % 64);
        bytes[recordOffset + 2 * k + 1] = zones[k];
    }
    return bytes;
}

std::vector<std::uint8_t> patchedZoneDatabase(std::vector<std::uint8_t> templateBytes,
                                              const ZoneTable& zones, const std::string& name) {
    for (std::size_t k = 0; k < kZoneCount; ++k)
        templateBytes[kRecordOffset + 1 + 2 * k] = zones[k];
    // The writer clears the first five bytes whatever the name's length.
    std::fill_n(templateBytes.begin(), 5, 0);
    const std::size_t length = std::min<std::size_t>(name.size(), 31);
    std::copy_n(name.begin(), length, templateBytes.begin());
    templateBytes[length] = 0;
    return templateBytes;
}

ZoneTable sampleZones() {
    ZoneTable zones{};
    for (std::size_t k = 0; k < kZoneCount; ++k) zones[k] = static_cast<std::uint8_t>(7 * k + 3);
    return zones;
}

}  // namespace zonora::test
