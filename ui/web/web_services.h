#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/file_dialog.h"
#include "platform/file_system.h"
#include "platform/message_box.h"
#include "platform/template_locator.h"
#include "ui/form_controls.h"

// The page's side of the platform: each class forwards to Module.host in
// page.js, which owns the document. What is said and decided stays here.
namespace zonora::web {

// Where the page keeps the files it is given and the ones it makes.
inline constexpr const char* kFilesFolder = "/files";
inline constexpr const char* kTemplatePath = "/template/Kolpa.org";

class PageForm : public FormControls {
  public:
    std::string text(Field field) const override;
    void setText(Field field, const std::string& text) override;
    bool isSelected(Direction direction) const override;
    void select(Direction direction) override;
};

// A modal <dialog> of the page; the conversion waits for its answer.
class PageMessageBox : public MessageBox {
  public:
    Answer show(const Message& message) override;
};

// Open: the browser's file picker, whose file is copied into the page's
// folder. Save: a name, which becomes the download's name.
class PageFileDialog : public FileDialog {
  protected:
    bool run(Mode mode) override;
};

// The template the user once chose, kept in the browser's storage; asked for
// when there is none.
class StoredTemplateLocator : public TemplateLocator {
  public:
    std::vector<std::string> places() override;
    std::optional<std::string> find() override;
};

// The browser's date and time, in the formats of the browser's language.
class PageClock : public Clock {
  public:
    DateTimeText now() override;
};

// The page's in-memory files; every file that a conversion completes is
// offered to the user as a download.
class DownloadingFileSystem : public FileSystem {
  public:
    explicit DownloadingFileSystem(FileSystem& files) : files_(files) {}
    std::unique_ptr<InputFile> openRead(const std::string& path) override;
    std::unique_ptr<OutputFile> replace(const std::string& path) override;
    bool exists(const std::string& path) override { return files_.exists(path); }
    bool sameFile(const std::string& a, const std::string& b) override {
        return files_.sameFile(a, b);
    }

  private:
    FileSystem& files_;
};

}  // namespace zonora::web
