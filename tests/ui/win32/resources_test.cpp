// zonora.exe's resources: the icon file as the build writes it, read byte by
// byte, and the icon, version and manifest as Windows finds them in the
// program.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/win32_text.h"
#include "ui/win32/resources/resource_ids.h"

namespace zonora::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The three colours of the icon, by their index in the 16-colour palette.
constexpr int kBlack = 0;
constexpr int kLightGrey = 7;
constexpr int kDarkGrey = 8;
constexpr int kTransparent = -1;

// The Windows 16-colour (VGA) palette as red, green, blue.
constexpr std::uint8_t kPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

Bytes readFile(const std::string& path) {
    std::ifstream file(widen(path).c_str(), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::uint32_t le16(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

std::uint32_t le32(const Bytes& bytes, std::size_t at) {
    return le16(bytes, at) | le16(bytes, at + 2) << 16;
}

// What the icon shows at (x, y), y from the top, by the window's description:
// a triangle with its base on the left edge and its tip at the middle of the
// right edge fills 2y + 1 pixels of row y counted from the nearer of the top
// and the bottom; the left eighth of it is the strip.
int expectedColour(int size, int x, int y) {
    const int fromEdge = y < size / 2 ? y : size - 1 - y;
    if (x >= 2 * fromEdge + 1) return kTransparent;
    if (x < size / 8) return kDarkGrey;
    return y < size / 2 ? kLightGrey : kBlack;
}

// One image of an icon: its header, palette, colour and mask bitmaps.
struct IconImage {
    int size = 0;
    Bytes bytes;

    std::uint32_t colourRow() const { return static_cast<std::uint32_t>((size * 4 + 31) / 32 * 4); }
    std::uint32_t maskRow() const { return static_cast<std::uint32_t>((size + 31) / 32 * 4); }

    // Rows are stored bottom-up: the colour bitmap, then the mask.
    int colourAt(int x, int y) const {
        const std::size_t row = 40 + 64 + colourRow() * static_cast<std::uint32_t>(size - 1 - y);
        const std::uint8_t pair = bytes.at(row + static_cast<std::size_t>(x / 2));
        return x % 2 == 0 ? pair >> 4 : pair & 0x0f;
    }
    bool maskAt(int x, int y) const {
        const std::size_t row = 40 + 64 + colourRow() * static_cast<std::uint32_t>(size) +
                                maskRow() * static_cast<std::uint32_t>(size - 1 - y);
        return (bytes.at(row + static_cast<std::size_t>(x / 8)) >> (7 - x % 8) & 1) != 0;
    }
};

// Checks an image's header and palette, and every pixel against the rule.
void expectIconImage(const IconImage& image) {
    const Bytes& b = image.bytes;
    const auto size = static_cast<std::uint32_t>(image.size);
    ASSERT_EQ(b.size(), 40 + 64 + (image.colourRow() + image.maskRow()) * size);
    EXPECT_EQ(le32(b, 0), 40u);       // BITMAPINFOHEADER
    EXPECT_EQ(le32(b, 4), size);      // width
    EXPECT_EQ(le32(b, 8), 2 * size);  // colour and mask, one above the other
    EXPECT_EQ(le16(b, 12), 1u);       // planes
    EXPECT_EQ(le16(b, 14), 4u);       // bits a pixel
    EXPECT_EQ(le32(b, 16), 0u);       // not compressed
    const std::uint32_t used = le32(b, 32);
    EXPECT_TRUE(used == 0 || used == 16) << used;
    for (std::size_t i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(b.at(40 + 4 * i), kPalette[i][2]);  // blue, green, red, zero
        EXPECT_EQ(b.at(40 + 4 * i + 1), kPalette[i][1]);
        EXPECT_EQ(b.at(40 + 4 * i + 2), kPalette[i][0]);
        EXPECT_EQ(b.at(40 + 4 * i + 3), 0);
    }
    int wrong = 0;
    for (int y = 0; y < image.size; ++y) {
        for (int x = 0; x < image.size; ++x) {
            const int expected = expectedColour(image.size, x, y);
            const bool transparent = expected == kTransparent;
            // A transparent pixel is colour 0 under a set mask bit, so the
            // screen shows through unchanged.
            const int colour = image.colourAt(x, y);
            const bool mask = image.maskAt(x, y);
            if (colour != (transparent ? 0 : expected) || mask != transparent) {
                if (++wrong <= 10) {
                    ADD_FAILURE() << "pixel " << x << "," << y << ": colour " << colour << " mask "
                                  << mask << ", expected " << expected;
                }
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(IconFile, TwoSixteenColourImagesOfTheArrowhead) {
    const Bytes ico = readFile(ZONORA_ICO_FILE);
    ASSERT_GE(ico.size(), 6u + 2 * 16);
    EXPECT_EQ(le16(ico, 0), 0u);  // reserved
    EXPECT_EQ(le16(ico, 2), 1u);  // icon
    ASSERT_EQ(le16(ico, 4), 2u);  // images
    const int sizes[] = {32, 16};
    std::uint32_t next = 6 + 2 * 16;  // the images follow the directory in its order
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(sizes[i]);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(ico.at(entry), sizes[i]);      // width
        EXPECT_EQ(ico.at(entry + 1), sizes[i]);  // height
        EXPECT_EQ(ico.at(entry + 2), 16);        // colours
        EXPECT_EQ(ico.at(entry + 3), 0);
        EXPECT_EQ(le16(ico, entry + 4), 1u);  // planes
        EXPECT_EQ(le16(ico, entry + 6), 4u);  // bits a pixel
        const std::uint32_t length = le32(ico, entry + 8);
        const std::uint32_t offset = le32(ico, entry + 12);
        EXPECT_EQ(offset, next);
        ASSERT_LE(offset + length, ico.size());
        next = offset + length;
        expectIconImage({sizes[i], Bytes(ico.begin() + offset, ico.begin() + offset + length)});
    }
    EXPECT_EQ(next, ico.size());
}

// zonora.exe opened as data: its resources without running it.
class ProgramResources : public ::testing::Test {
  protected:
    void SetUp() override {
        module_ = LoadLibraryExW(widen(ZONORA_PROGRAM).c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(module_, nullptr) << "cannot open " << ZONORA_PROGRAM << ": " << GetLastError();
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }

    // The resource's bytes; empty when there is none.
    Bytes resource(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(module_, name, type);
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(module_, found);
        const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
        if (data == nullptr) return {};
        return Bytes(data, data + SizeofResource(module_, found));
    }

    HMODULE module_ = nullptr;
};

BOOL CALLBACK collectName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR names) {
    reinterpret_cast<std::vector<ULONG_PTR>*>(names)->push_back(
        IS_INTRESOURCE(name) ? reinterpret_cast<ULONG_PTR>(name) : ~ULONG_PTR{0});
    return TRUE;
}

TEST_F(ProgramResources, IconGroupFirstWithBothImagesOfTheIconFile) {
    // Explorer shows the first icon group; it must be the window's.
    std::vector<ULONG_PTR> groups;
    EnumResourceNamesW(module_, RT_GROUP_ICON, collectName, reinterpret_cast<LONG_PTR>(&groups));
    ASSERT_FALSE(groups.empty());
    EXPECT_EQ(groups.front(), ULONG_PTR{ZONORA_ICON});

    const Bytes group = resource(RT_GROUP_ICON, MAKEINTRESOURCEW(ZONORA_ICON));
    ASSERT_GE(group.size(), 6u);
    EXPECT_EQ(le16(group, 2), 1u);
    ASSERT_EQ(le16(group, 4), 2u);
    ASSERT_EQ(group.size(), 6u + 2 * 14);
    const Bytes ico = readFile(ZONORA_ICO_FILE);
    ASSERT_EQ(le16(ico, 4), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        // A group entry is the file's entry with a resource id for its offset.
        const std::size_t entry = 6 + 14 * i;
        const std::size_t fileEntry = 6 + 16 * i;
        SCOPED_TRACE(group.at(entry));
        EXPECT_EQ(group.at(entry), ico.at(fileEntry));  // width
        EXPECT_EQ(group.at(entry + 1), ico.at(fileEntry + 1));
        EXPECT_EQ(le16(group, entry + 6), 4u);  // bits a pixel
        const auto id = static_cast<WORD>(le16(group, entry + 12));
        const Bytes image = resource(RT_ICON, MAKEINTRESOURCEW(id));
        const std::uint32_t offset = le32(ico, fileEntry + 12);
        const std::uint32_t length = le32(ico, fileEntry + 8);
        EXPECT_EQ(le32(group, entry + 8), length);
        ASSERT_LE(offset + length, ico.size());
        EXPECT_EQ(image, Bytes(ico.begin() + offset, ico.begin() + offset + length));
    }

    // Windows itself takes both sizes from the program.
    for (int size : {32, 16}) {
        SCOPED_TRACE(size);
        HANDLE icon = LoadImageW(module_, MAKEINTRESOURCEW(ZONORA_ICON), IMAGE_ICON, size, size, 0);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
        BITMAP mask{};
        GetObjectW(info.hbmMask, sizeof mask, &mask);
        EXPECT_EQ(mask.bmWidth, size);
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(static_cast<HICON>(icon));
    }
}

TEST_F(ProgramResources, VersionOneThree) {
    Bytes block = resource(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO));
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010003u);  // 1.3
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);           // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010003u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_GE(length, 4u);
    const auto* translation = static_cast<const WORD*>(value);
    wchar_t table[9];
    swprintf(table, 9, L"%04x%04x", translation[0], translation[1]);

    struct Row {
        const wchar_t* key;
        const char* text;
    };
    const Row rows[] = {
        {L"ProductName", "Zonora"},          {L"FileDescription", "MAP / PDB conversion"},
        {L"ProductVersion", "1.3"},          {L"FileVersion", "1.3.0.0"},
        {L"OriginalFilename", "zonora.exe"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const std::wstring path = std::wstring(L"\\StringFileInfo\\") + table + L"\\" + row.key;
        ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), &value, &length));
        EXPECT_EQ(narrow(static_cast<const wchar_t*>(value)), row.text);
    }
}

TEST_F(ProgramResources, ManifestAsksForThemesPerMonitorDpiAndNoElevation) {
    const Bytes bytes = resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    ASSERT_FALSE(bytes.empty());
    const std::string text(bytes.begin(), bytes.end());
    const char* rows[] = {
        R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
        R"(publicKeyToken="6595b64144ccf1df")",
        R"(<dpiAware xmlns="http://schemas.microsoft.com/SMI/2005/WindowsSettings">true/PM</dpiAware>)",
        R"(<dpiAwareness xmlns="http://schemas.microsoft.com/SMI/2016/WindowsSettings">PerMonitorV2)",
        R"(<requestedExecutionLevel level="asInvoker")",
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // Windows 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* row : rows) EXPECT_NE(text.find(row), std::string::npos) << row;
}

}  // namespace
}  // namespace zonora::test
