#include "ui/web/web_services.h"

#include <emscripten.h>

#include <cstdlib>

#include "platform/file_filter.h"
#include "platform/text_encoding.h"

namespace zonora::web {
namespace {

// Strings from the page come in memory that the page allocated; they are
// taken over and freed here. A null pointer stands for no string at all.
std::optional<std::string> takeString(char* text) {
    if (text == nullptr) return std::nullopt;
    std::string result(text);
    std::free(text);
    return result;
}

// The bodies are JavaScript, which the C++ formatter would break.
// clang-format off
EM_JS(char*, pageFieldText, (int field), {
    const text = Module.host.fieldText(field);
    const size = lengthBytesUTF8(text) + 1;
    const memory = _malloc(size);
    stringToUTF8(text, memory, size);
    return memory;
});
EM_JS(void, pageSetFieldText, (int field, const char* text),
      { Module.host.setFieldText(field, UTF8ToString(text)); });
EM_JS(int, pageIsSelected, (int direction), { return Module.host.isSelected(direction) ? 1 : 0; });
EM_JS(void, pageSelect, (int direction), { Module.host.select(direction); });
EM_ASYNC_JS(int, pageShowMessage,
            (const char* prompt, const char* title, int yesNo, int noIsDefault), {
                return await Module.host.showMessage(UTF8ToString(prompt), UTF8ToString(title),
                                                     yesNo != 0, noIsDefault != 0);
            });
EM_ASYNC_JS(char*, pageChooseFile, (const char* title, const char* accept, const char* folder), {
    const name = await Module.host.chooseFile(UTF8ToString(title), UTF8ToString(accept),
                                              UTF8ToString(folder));
    if (name === null) return 0;
    const size = lengthBytesUTF8(name) + 1;
    const memory = _malloc(size);
    stringToUTF8(name, memory, size);
    return memory;
});
EM_ASYNC_JS(char*, pageAskSaveName, (const char* title, const char* proposed), {
    const name = await Module.host.askSaveName(UTF8ToString(title), UTF8ToString(proposed));
    if (name === null) return 0;
    const size = lengthBytesUTF8(name) + 1;
    const memory = _malloc(size);
    stringToUTF8(name, memory, size);
    return memory;
});
EM_ASYNC_JS(int, pageTemplate, (const char* path, const char* why, const char* title), {
    return await Module.host.template(UTF8ToString(path), UTF8ToString(why), UTF8ToString(title))
        ? 1 : 0;
});
EM_JS(char*, pageNow, (), {
    const text = Module.host.now();
    const size = lengthBytesUTF8(text) + 1;
    const memory = _malloc(size);
    stringToUTF8(text, memory, size);
    return memory;
});
EM_JS(void, pageOfferDownload, (const char* path),
      { Module.host.offerDownload(UTF8ToString(path)); });
// clang-format on

int fieldNumber(FormControls::Field field) { return field == FormControls::Field::Map ? 0 : 1; }
int directionNumber(Direction direction) { return direction == Direction::MapToPdb ? 0 : 1; }

// What the picker lists first: the patterns of the filter the dialog selects.
std::string acceptedTypes(const std::string& filter, int index) {
    const std::vector<FileFilter> filters = parseFileFilter(filter);
    if (index < 1 || static_cast<std::size_t>(index) > filters.size()) return "";
    std::string accept;
    for (const std::string& pattern : filters[static_cast<std::size_t>(index) - 1].patterns) {
        if (pattern == "*.*" || pattern == "*" || pattern.rfind("*.", 0) != 0) return "";
        accept += (accept.empty() ? "" : ",") + pattern.substr(1);
    }
    return accept;
}

constexpr const char* kTemplateWhy =
    "Map to PDB starts from Kolpa.org, the template that the Druma desktop software installs "
    "(C:\\Program Files\\Druma\\Kolpa.org on Windows). A page cannot look there: please choose "
    "that file once. This browser keeps it for the next time, on this computer only.";

class CommittingOutput : public OutputFile {
  public:
    CommittingOutput(std::unique_ptr<OutputFile> file, std::string path)
        : file_(std::move(file)), path_(std::move(path)) {}
    void write(std::span<const std::uint8_t> bytes) override { file_->write(bytes); }
    void flush() override { file_->flush(); }
    void commit() override {
        file_->commit();
        pageOfferDownload(path_.c_str());
    }

  private:
    std::unique_ptr<OutputFile> file_;
    std::string path_;
};

}  // namespace

std::string PageForm::text(Field field) const {
    return takeString(pageFieldText(fieldNumber(field))).value_or("");
}

void PageForm::setText(Field field, const std::string& text) {
    pageSetFieldText(fieldNumber(field), text.c_str());
}

bool PageForm::isSelected(Direction direction) const {
    return pageIsSelected(directionNumber(direction)) != 0;
}

void PageForm::select(Direction direction) { pageSelect(directionNumber(direction)); }

Answer PageMessageBox::show(const Message& message) {
    // The carriage return of the error report starts a new line.
    std::string prompt = message.prompt;
    for (char& c : prompt) {
        if (c == '\r') c = '\n';
    }
    const bool yesNo = message.buttons == Buttons::YesNo;
    const int answer = pageShowMessage(prompt.c_str(), message.title.c_str(), yesNo ? 1 : 0,
                                       message.defaultButton == DefaultButton::Second ? 1 : 0);
    if (!yesNo) return Answer::Ok;
    return answer == 1 ? Answer::Yes : Answer::No;
}

bool PageFileDialog::run(Mode mode) {
    std::optional<std::string> name;
    if (mode == Mode::Open) {
        name = takeString(pageChooseFile(DialogTitle.c_str(),
                                         acceptedTypes(Filter, FilterIndex).c_str(), kFilesFolder));
    } else {
        name = takeString(pageAskSaveName(DialogTitle.c_str(), FileName.c_str()));
        // A name typed without an extension gets the default one.
        if (name && !DefaultExt.empty() && name->find('.') == std::string::npos) {
            *name += "." + DefaultExt;
        }
    }
    if (!name || name->empty()) return false;
    FileName = *name;
    return true;
}

std::vector<std::string> StoredTemplateLocator::places() { return {"this browser's storage"}; }

std::optional<std::string> StoredTemplateLocator::find() {
    if (pageTemplate(kTemplatePath, kTemplateWhy, kProgramTitle) == 0) return std::nullopt;
    return kTemplatePath;
}

DateTimeText PageClock::now() {
    const std::string text = takeString(pageNow()).value_or("\n");
    const std::size_t split = text.find('\n');
    return {withPlainBlanks(text.substr(0, split)), withPlainBlanks(text.substr(split + 1))};
}

std::unique_ptr<InputFile> DownloadingFileSystem::openRead(const std::string& path) {
    return files_.openRead(path);
}

std::unique_ptr<OutputFile> DownloadingFileSystem::replace(const std::string& path) {
    return std::make_unique<CommittingOutput>(files_.replace(path), path);
}

}  // namespace zonora::web
