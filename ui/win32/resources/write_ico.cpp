// Writes the program's icon as a Windows .ico file with a 32 and a 16 pixel
// image, 4 bits a pixel, for the resource compiler.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "ui/icon_pixels.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kSizes[] = {32, 16};
constexpr auto kImages = static_cast<std::uint32_t>(std::size(kSizes));
constexpr std::uint32_t kHeaderBytes = 40;  // BITMAPINFOHEADER
constexpr std::uint32_t kPaletteBytes = 16 * 4;
constexpr std::uint32_t kDirectoryBytes = 6;
constexpr std::uint32_t kEntryBytes = 16;

void put16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void put32(Bytes& out, std::uint32_t value) {
    put16(out, value & 0xffff);
    put16(out, value >> 16);
}

// Bitmap rows are padded to whole 32-bit words.
std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}

std::uint32_t pixelBytes(int size) {
    return (rowBytes(size, 4) + rowBytes(size, 1)) * static_cast<std::uint32_t>(size);
}

std::uint32_t imageBytes(int size) { return kHeaderBytes + kPaletteBytes + pixelBytes(size); }

// One image: the header (its height counts the colour and the mask bitmaps),
// the palette, the colour rows, then the mask rows, each bottom row first.
// Transparent pixels are colour 0 with mask bit 1, so the screen shows through.
void putImage(Bytes& out, int size) {
    const auto side = static_cast<std::uint32_t>(size);
    put32(out, kHeaderBytes);
    put32(out, side);
    put32(out, 2 * side);
    put16(out, 1);  // planes
    put16(out, 4);  // bits a pixel
    put32(out, 0);  // no compression
    put32(out, pixelBytes(size));
    put32(out, 0);  // no resolution
    put32(out, 0);
    put32(out, 0);  // every colour of the palette is used
    put32(out, 0);
    for (const zonora::Rgb& colour : zonora::kVgaPalette) {
        out.insert(out.end(), {colour.blue, colour.green, colour.red, 0});
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(rowBytes(size, 4), 0);
        for (int x = 0; x < size; ++x) {
            const zonora::IconColour colour = zonora::iconPixel(size, x, y);
            if (colour == zonora::IconColour::Transparent) continue;
            // Two pixels a byte, the left one in the high half.
            const auto index = static_cast<std::uint8_t>(colour);
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    for (int y = size - 1; y >= 0; --y) {
        Bytes row(rowBytes(size, 1), 0);
        for (int x = 0; x < size; ++x) {
            if (zonora::iconPixel(size, x, y) != zonora::IconColour::Transparent) continue;
            row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

Bytes icoFile() {
    Bytes out;
    put16(out, 0);  // reserved
    put16(out, 1);  // an icon, not a cursor
    put16(out, kImages);
    std::uint32_t offset = kDirectoryBytes + kEntryBytes * kImages;
    for (int size : kSizes) {
        out.push_back(static_cast<std::uint8_t>(size));  // width
        out.push_back(static_cast<std::uint8_t>(size));  // height
        out.push_back(16);                               // colours
        out.push_back(0);                                // reserved
        put16(out, 1);                                   // planes
        put16(out, 4);                                   // bits a pixel
        put32(out, imageBytes(size));
        put32(out, offset);
        offset += imageBytes(size);
    }
    for (int size : kSizes) putImage(out, size);
    return out;
}

int writeIco(const std::filesystem::path& path) {
    const Bytes bytes = icoFile();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::fprintf(stderr, "write_ico: cannot write %s\n", path.string().c_str());
        return 1;
    }
    return 0;
}

}  // namespace

// The Windows build links every program with a wide-character entry point.
#ifdef _WIN32
int wmain(int argc, wchar_t* argv[]) {
#else
int main(int argc, char* argv[]) {
#endif
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_ico FILE.ico\n");
        return 2;
    }
    return writeIco(argv[1]);
}
