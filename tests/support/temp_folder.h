#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zonora::test {

// Paths are UTF-8 in the program, whatever the system's own text.
std::filesystem::path fromUtf8(const std::string& path);
std::string toUtf8(const std::filesystem::path& path);

// A fresh folder under the system's temporary folder, removed with everything
// in it (write bits restored first) when the test ends.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return toUtf8(path_ / fromUtf8(name)); }
    // Every entry of the folder, hidden ones included, sorted.
    std::vector<std::string> entries() const;

  private:
    std::filesystem::path path_;
};

// The sample files under tests/data, made once and reviewed: Kolpa.org, a
// template of the layout the writer patches whose zones are 248 - 7k;
// zones.pdb, a database of sampleZones() named "zones"; zones.map, the Map
// file written from it at the fake clock's time.
std::string sampleFile(const std::string& name);

std::vector<std::uint8_t> readBytes(const std::string& path);
std::string readText(const std::string& path);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
void writeText(const std::string& path, const std::string& text);

}  // namespace zonora::test
