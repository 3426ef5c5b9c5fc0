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
#include "tests/support/temp_folder.h"
#include "ui/win32/resources/resource_ids.h"

namespace zonora::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

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

// The icon the build draws is the reviewed one: a 32 and a 16 pixel image of
// the arrowhead in the 16-colour palette, checked pixel by pixel once.
TEST(IconFile, IsTheReviewedIcon) {
    const Bytes ico = readFile(ZONORA_ICO_FILE);
    ASSERT_FALSE(ico.empty());
    EXPECT_TRUE(ico == readFile(sampleFile("zonora.ico")));
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

TEST_F(ProgramResources, VersionOfTheBuild) {
    constexpr DWORD kMajorMinor = ZONORA_VERSION_MAJOR << 16 | ZONORA_VERSION_MINOR;
    Bytes block = resource(RT_VERSION, MAKEINTRESOURCEW(VS_VERSION_INFO));
    ASSERT_FALSE(block.empty());
    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", &value, &length));
    ASSERT_GE(length, sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, kMajorMinor);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);  // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, kMajorMinor);
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
        {L"ProductName", "Zonora"},
        {L"FileDescription", ZONORA_PROJECT_CAPTION},
        {L"ProductVersion", ZONORA_PROJECT_VERSION},
        {L"FileVersion", ZONORA_PROJECT_VERSION ".0.0"},
        {L"OriginalFilename", "zonora.exe"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const std::wstring path = std::wstring(L"\\StringFileInfo\\") + table + L"\\" + row.key;
        ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), &value, &length));
        EXPECT_EQ(narrow(static_cast<const wchar_t*>(value)), row.text);
    }
}

// The program carries the manifest file as it is written, byte for byte.
TEST_F(ProgramResources, ManifestIsTheFileItWasMadeFrom) {
    const Bytes bytes = resource(RT_MANIFEST, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    ASSERT_FALSE(bytes.empty());
    EXPECT_TRUE(bytes == readFile(ZONORA_MANIFEST_FILE));
}

}  // namespace
}  // namespace zonora::test
