#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "convert/conversion.h"
#include "tests/support/native_file_system.h"

namespace zonora::test {

// Records every box and answers questions from a script (No when it runs out).
class RecordingMessageBox : public MessageBox {
  public:
    Answer show(const Message& message) override {
        shown.push_back(message);
        if (message.buttons == Buttons::Ok) return Answer::Ok;
        if (answers.empty()) return Answer::No;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::vector<std::string> prompts() const {
        std::vector<std::string> result;
        for (const auto& m : shown) result.push_back(m.prompt);
        return result;
    }

    std::vector<Message> shown;
    std::deque<Answer> answers;
};

class FixedClock : public Clock {
  public:
    DateTimeText now() override { return text; }
    DateTimeText text{"4/12/2002", "2:00:33 PM"};
};

// Finds the template at one path when isFile says a file is there: by
// default a real regular file.
class FixedTemplateLocator : public TemplateLocator {
  public:
    std::vector<std::string> places() override { return {path}; }
    std::optional<std::string> find() override {
        if (!isFile(path)) return std::nullopt;
        return path;
    }
    std::string path;
    std::function<bool(const std::string&)> isFile = [](const std::string& p) {
        std::error_code ignored;
        return std::filesystem::is_regular_file(p, ignored);
    };
};

class RecordingInstallTool : public InstallTool {
  public:
    bool handOff(const std::string& pdbPath) override {
        handedOff.push_back(pdbPath);
        return present;
    }
    bool present = false;
    std::vector<std::string> handedOff;
};

// A conversion's whole outside world over the given files.
template <class Files>
struct FakeServicesOver {
    Files files;
    RecordingMessageBox box;
    FixedClock clock;
    FixedTemplateLocator templates;
    RecordingInstallTool installTool;
    ConversionServices services{files, box, clock, templates, installTool};
};

// ... with real files.
using FakeServices = FakeServicesOver<NativeFileSystem>;

}  // namespace zonora::test
