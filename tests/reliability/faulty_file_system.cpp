#include "tests/reliability/faulty_file_system.h"

#include <algorithm>
#include <cerrno>

namespace zonora::test {
namespace {

class FaultyInputFile : public InputFile {
  public:
    FaultyInputFile(std::unique_ptr<InputFile> inner, FaultyFileSystem& owner, std::string path)
        : inner_(std::move(inner)), owner_(owner), path_(std::move(path)) {}
    ~FaultyInputFile() override {
        if (closed_) return;
        inner_.reset();
        owner_.record(Operation::Close, path_);
    }

    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
        return owner_.run(Operation::Read, path_, [&] { return inner_->readAt(offset, out); });
    }
    std::size_t read(std::span<char> out) override {
        return owner_.run(Operation::Read, path_, [&] { return inner_->read(out); });
    }
    std::uint64_t size() override {
        return owner_.run(Operation::Size, path_, [&] { return inner_->size(); });
    }
    void close() override {
        if (closed_) return;
        owner_.run(Operation::Close, path_, [&] {
            inner_->close();
            closed_ = true;
        });
    }

  private:
    std::unique_ptr<InputFile> inner_;
    FaultyFileSystem& owner_;
    std::string path_;
    bool closed_ = false;
};

class FaultyOutputFile : public OutputFile {
  public:
    FaultyOutputFile(std::unique_ptr<OutputFile> inner, FaultyFileSystem& owner, std::string path)
        : inner_(std::move(inner)), owner_(owner), path_(std::move(path)) {}
    ~FaultyOutputFile() override {
        if (committed_) return;
        inner_.reset();  // drops the unfinished replacement
        owner_.record(Operation::Close, path_);
    }

    void write(std::span<const std::uint8_t> bytes) override {
        for (const auto piece : pieces(bytes)) {
            owner_.run(Operation::Write, path_, [&] { inner_->write(piece); });
        }
    }
    void flush() override {
        owner_.run(Operation::Flush, path_, [&] { inner_->flush(); });
    }
    void commit() override {
        owner_.run(Operation::Commit, path_, [&] {
            inner_->commit();
            committed_ = true;
        });
    }

  private:
    std::vector<std::span<const std::uint8_t>> pieces(std::span<const std::uint8_t> bytes) const {
        const std::size_t size = owner_.writePiece == 0 ? bytes.size() : owner_.writePiece;
        std::vector<std::span<const std::uint8_t>> result;
        for (std::size_t at = 0; at < bytes.size(); at += size) {
            result.push_back(bytes.subspan(at, std::min(size, bytes.size() - at)));
        }
        if (result.empty()) result.push_back(bytes);
        return result;
    }

    std::unique_ptr<OutputFile> inner_;
    FaultyFileSystem& owner_;
    std::string path_;
    bool committed_ = false;
};

}  // namespace

const char* operationName(Operation operation) {
    switch (operation) {
        case Operation::Open:
            return "open";
        case Operation::Read:
            return "read";
        case Operation::Size:
            return "size";
        case Operation::Close:
            return "close";
        case Operation::Replace:
            return "replace";
        case Operation::Write:
            return "write";
        case Operation::Flush:
            return "flush";
        case Operation::Commit:
            return "commit";
        case Operation::Exists:
            return "exists";
        case Operation::SameFile:
            return "sameFile";
    }
    return "?";
}

std::error_code injectedError(Operation operation) {
    switch (operation) {
        case Operation::Open:
            return {EACCES, std::generic_category()};
        case Operation::Replace:
            return {EROFS, std::generic_category()};
        case Operation::Write:
            return {ENOSPC, std::generic_category()};
        case Operation::Commit:
            return {EBUSY, std::generic_category()};
        default:
            return {EIO, std::generic_category()};
    }
}

Step FaultyFileSystem::begin(Operation operation, const std::string& path, bool canFail) {
    Step step{static_cast<int>(steps_.size()) + 1, operation, path, canFail};
    steps_.push_back(step);
    if (canFail && before) before(step);
    return step;
}

void FaultyFileSystem::end(const Step& step) {
    if (after) after(step);
}

void FaultyFileSystem::record(Operation operation, const std::string& path) {
    end(begin(operation, path, false));
}

std::unique_ptr<InputFile> FaultyFileSystem::openRead(const std::string& path) {
    auto file = run(Operation::Open, path, [&] { return inner_.openRead(path); });
    return std::make_unique<FaultyInputFile>(std::move(file), *this, path);
}

std::unique_ptr<OutputFile> FaultyFileSystem::replace(const std::string& path) {
    auto file = run(Operation::Replace, path, [&] { return inner_.replace(path); });
    return std::make_unique<FaultyOutputFile>(std::move(file), *this, path);
}

bool FaultyFileSystem::exists(const std::string& path) {
    return run(Operation::Exists, path, [&] { return inner_.exists(path); });
}

bool FaultyFileSystem::sameFile(const std::string& a, const std::string& b) {
    return run(Operation::SameFile, a, [&] { return inner_.sameFile(a, b); });
}

}  // namespace zonora::test
