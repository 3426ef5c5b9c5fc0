#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "platform/posix/posix_file_system.h"

namespace zonora::bench {

// Keeps only the last prompt, so that millions of iterations use no memory.
// A question means the Map file was short: the answer No stops the run.
class QuietMessageBox : public MessageBox {
  public:
    Answer show(const Message& message) override {
        ++shown;
        last = message.prompt;
        return message.buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::size_t shown = 0;
    std::string last;
};

class StoppedClock : public Clock {
  public:
    DateTimeText now() override { return {"4/12/2002", "2:00:33 PM"}; }
};

class OnePlaceLocator : public TemplateLocator {
  public:
    explicit OnePlaceLocator(std::string path) : path_(std::move(path)) {}
    std::vector<std::string> places() override { return {path_}; }
    std::optional<std::string> find() override { return path_; }

  private:
    std::string path_;
};

// The conversions' outside world: real files, the template at one place and
// no Install Tool, as on a machine without the handheld's desktop software.
struct BenchServices {
    explicit BenchServices(const std::string& templatePath) : templates(templatePath) {}
    PosixFileSystem files;
    QuietMessageBox box;
    StoppedClock clock;
    OnePlaceLocator templates;
    AbsentInstallTool installTool;
    ConversionServices services{files, box, clock, templates, installTool};
};

}  // namespace zonora::bench
