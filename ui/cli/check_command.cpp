#include "ui/cli/check_command.h"

#include <ostream>

#include "convert/short_map.h"
#include "convert/show_error.h"
#include "ui/cli/input_file.h"
#include "ui/cli/terminal_message_box.h"
#include "zone/map_file.h"

namespace zonora {
namespace {

std::string values(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " value" : " values");
}

std::string located(const MapNote& note, const std::string& name) {
    std::string text(1, '"');  // appended: GCC 12 takes "..." + string for an overlap
    text.append(printableWord(note.word)).append("\" on line ");
    return text.append(std::to_string(note.line)).append(" of ").append(name);
}

// A stopping word is told in the form the conversion reports it.
void tell(const MapNote& note, const std::string& name, std::ostream& out, MessageBox& stops) {
    switch (note.kind) {
        case MapNote::Kind::LinePassedOver:
            out << "Line " << note.line << " of " << name << " passed over: "
                << (note.length < kShortestDataLine ? "too short, " : "too long, ") << note.length
                << " characters (a data line has " << kShortestDataLine << " to "
                << kLongestDataLine << ")\n";
            break;
        case MapNote::Kind::WordPassedOver:
            out << located(note, name)
                << " passed over: 256 or more, so every later zone moves up one place\n";
            break;
        case MapNote::Kind::WordTaken: {
            const GridPlace place = gridPlace(note.zone);
            out << located(note, name) << " taken as " << static_cast<int>(note.value) << " (row "
                << place.row << ", column " << place.column << ")\n";
            break;
        }
        case MapNote::Kind::WordStops:
            ShowError(stops, *note.error);
            break;
    }
}

// Whether the file would convert whole and unasked.
bool check(const std::string& path, FileSystem& files, Console& console, MessageBox& errors) {
    const ZoneFileReading reading = readInput(path, files, console.input, ZoneFileKind::Map);
    if (reading.status == ZoneFileReading::Status::Failed) {
        ShowError(errors, *reading.error);
        console.out << std::flush;
        return false;
    }
    const std::string name = inputName(path);
    Console report{console.out, console.out};
    TerminalMessageBox stops(report, ShortMapAnswer::No);
    for (const MapNote& note : reading.notes) tell(note, name, console.out, stops);
    console.out << name << ": " << values(reading.count);
    if (reading.status == ZoneFileReading::Status::Stops) {
        console.out << ": the conversion stops at the first error above\n";
    } else if (isShortMap(reading.count)) {
        console.out << ", fewer than 256: the conversion asks before going on\n";
    } else {
        console.out << ": converts unasked\n";
    }
    console.out << std::flush;
    return reading.status == ZoneFileReading::Status::Read && !isShortMap(reading.count);
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
