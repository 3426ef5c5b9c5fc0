#pragma once

#include "platform/file_attributes.h"

namespace zonora {

// GetFileAttributesW: a folder is not a file, and a path that cannot be
// looked at counts as absent.
class Win32FileAttributes : public FileAttributeTest {
  public:
    FileAttributes query(const std::string& path) override;
};

}  // namespace zonora
