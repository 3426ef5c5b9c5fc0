#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zonora::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it (write bits restored first) when the test ends.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // Every entry of the folder, hidden ones included, sorted.
    std::vector<std::string> entries() const;

  private:
    std::filesystem::path path_;
};

std::vector<std::uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void writeText(const std::string& path, const std::string& text);

}  // namespace zonora::test
