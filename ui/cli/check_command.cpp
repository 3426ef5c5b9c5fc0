#include "ui/cli/check_command.h"

#include <ostream>

#include "convert/short_map.h"
#include "convert/show_error.h"
#include "convert/zone_file_report.h"
#include "ui/cli/input_file.h"
#include "ui/cli/terminal_message_box.h"

namespace zonora {
namespace {

// A stopping word is told in the form the conversion reports it.
void tell(const MapNote& note, const std::string& name, std::ostream& out, MessageBox& stops) {
    if (note.kind == MapNote::Kind::WordStops) {
        ShowError(stops, *note.error);
    } else {
        out << noteText(note, name) << '\n';
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
    console.out << name << ": " << mapVerdict(reading, "above") << '\n';
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
