#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/native_file_system.h"
#include "tests/support/temp_folder.h"

namespace zonora::test {

// A fresh folder and the system's own file layer over it.
class NativeFilesTest : public testing::Test {
  protected:
    std::string path(const std::string& name) const { return folder.file(name); }
    void replaceWith(const std::string& target, const std::string& text) {
        auto out = files.replace(target);
        out->write(asBytes(text));
        out->flush();
        out->commit();
    }
    TempFolder folder;
    NativeFileSystem files;
};

}  // namespace zonora::test
