#include "platform/standard_output.h"

#include <vector>

namespace zonora {
namespace {

// Held until commit(), so that a conversion that fails half-way writes
// nothing, as it leaves no file behind.
class StandardOutputFile : public OutputFile {
  public:
    explicit StandardOutputFile(DataOutput& data) : data_(data) {}
    void write(std::span<const std::uint8_t> bytes) override {
        content_.insert(content_.end(), bytes.begin(), bytes.end());
    }
    void flush() override {}
    void commit() override { data_.write(content_); }

  private:
    DataOutput& data_;
    std::vector<std::uint8_t> content_;
};

}  // namespace

std::unique_ptr<OutputFile> StandardOutputFiles::replace(const std::string& path) {
    if (path != outputPath_) return files_.replace(path);
    return std::make_unique<StandardOutputFile>(data_);
}

}  // namespace zonora
