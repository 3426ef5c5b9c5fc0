#include "ui/cli/check_command.h"

#include <ostream>

#include "convert/conversion_frame.h"
#include "convert/show_error.h"
#include "ui/cli/terminal_message_box.h"
#include "zone/map_file.h"

namespace zonora {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool plainWholeNumber(std::string_view word) {
    return word.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string values(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " value" : " values");
}

// One file's report, told by the scanner as it reads.
class Report : public MapScanObserver {
  public:
    Report(const std::string& path, std::ostream& out) : path_(path), out_(out) {}

    void linePassedOver(std::size_t line, std::size_t length, std::string_view start) override {
        // Every Map has empty lines and its header: they hold no value.
        const bool blank = length == start.size() && start.find_first_not_of(' ') == start.npos;
        if (start.starts_with(kUtf8Mark)) start.remove_prefix(kUtf8Mark.size());
        if (blank || (line == 1 && isMapHeader(start))) return;
        out_ << "Line " << line << " of " << path_
             << " passed over: " << (length < kShortestDataLine ? "too short, " : "too long, ")
             << length << " characters (a data line has " << kShortestDataLine << " to "
             << kLongestDataLine << ")\n";
    }

    void wordPassedOver(const MapWord& word) override {
        out_ << located(word)
             << " passed over: 256 or more, so every later zone moves up one place\n";
    }

    void wordTaken(const MapWord& word, std::size_t zone, std::uint8_t made) override {
        if (plainWholeNumber(word.text)) return;
        out_ << located(word) << " taken as " << static_cast<int>(made) << " (row "
             << zone / kGridWidth + 1 << ", column " << zone % kGridWidth + 1 << ")\n";
    }

    // In the form the conversion reports it.
    void wordStops(const MapWord&, const RuntimeError& error) override {
        ShowError(box_, error);
        stops_ = true;
    }

    bool stops() const { return stops_; }

  private:
    std::string located(const MapWord& word) const {
        std::string text(1, '"');  // appended: GCC 12 takes "..." + string for an overlap
        text.append(printableWord(word.text)).append("\" on line ");
        return text.append(std::to_string(word.line)).append(" of ").append(path_);
    }

    const std::string& path_;
    std::ostream& out_;
    Console console_{out_, out_};
    TerminalMessageBox box_{console_, ShortMapAnswer::No};
    bool stops_ = false;
};

// Whether the file would convert whole and unasked.
bool check(const std::string& path, FileSystem& files, Console& console, MessageBox& errors) {
    bool unasked = false;
    runReportingErrors(errors, [&] {
        Report report(path, console.out);
        const auto file = files.openRead(path);
        const ScannedMap scanned = scanMapFile(*file, path, &report);
        console.out << path << ": " << values(scanned.count);
        if (report.stops()) {
            console.out << ": the conversion stops at the first error above\n";
        } else if (scanned.count < kZoneCount) {
            console.out << ", fewer than 256: the conversion asks before going on\n";
        } else {
            console.out << ": converts unasked\n";
            unasked = true;
        }
    });
    console.out << std::flush;
    return unasked;
}

}  // namespace

int runCheck(const std::vector<std::string>& maps, FileSystem& files, Console& console) {
    TerminalMessageBox errors(console, ShortMapAnswer::No);
    int status = kConvertsUnasked;
    for (const std::string& path : maps) {
        if (!check(path, files, console, errors)) status = kWouldNotConvertUnasked;
    }
    return status;
}

}  // namespace zonora
