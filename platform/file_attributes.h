#pragma once

#include <string>

namespace zonora {

struct FileAttributes {
    bool exists = false;
    bool hidden = false;
    bool system = false;
};

// Whether a file is there and how it is marked, without opening it.
class FileAttributeTest {
  public:
    virtual ~FileAttributeTest() = default;
    virtual FileAttributes query(const std::string& path) = 0;
};

}  // namespace zonora
