#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <type_traits>
#include <vector>

#include "platform/file_system.h"

namespace zonora::test {

// The file operations a conversion can make, one step each.
enum class Operation { Open, Read, Size, Close, Replace, Write, Flush, Commit, Exists, SameFile };

const char* operationName(Operation operation);

struct Step {
    int number = 0;  // 1-based, in the order the conversion makes them
    Operation operation = Operation::Open;
    std::string path;
    // False for what a destructor does (closing a file, dropping an unfinished
    // replacement): it can be interrupted but cannot report a failure.
    bool canFail = true;
};

// Wraps a real file system and numbers every operation made through it, so a
// test can fail or interrupt each one in turn. Hooks run around each step;
// `before` may throw to make the step fail without doing it.
class FaultyFileSystem : public FileSystem {
  public:
    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    std::function<void(const Step&)> before;
    std::function<void(const Step&)> after;
    // Writes larger than this go out in pieces of this size, one step each,
    // so that a failure or a kill can fall in the middle of the content.
    std::size_t writePiece = 0;

    const std::vector<Step>& steps() const { return steps_; }

    std::unique_ptr<InputFile> openRead(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool sameFile(const std::string& a, const std::string& b) override;

    // Runs one step through the hooks; used by the wrapped files too.
    template <typename Action>
    auto run(Operation operation, const std::string& path, Action action) {
        const Step step = begin(operation, path, true);
        if constexpr (std::is_void_v<decltype(action())>) {
            action();
            end(step);
        } else {
            auto result = action();
            end(step);
            return result;
        }
    }
    // A step that cannot fail: only the `after` hook sees it.
    void record(Operation operation, const std::string& path);

  private:
    Step begin(Operation operation, const std::string& path, bool canFail);
    void end(const Step& step);

    FileSystem& inner_;
    std::vector<Step> steps_;
};

// The error a failing step throws: a plausible system error for its kind.
std::error_code injectedError(Operation operation);

}  // namespace zonora::test
