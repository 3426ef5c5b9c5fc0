#include "ui/cli/diff_command.h"

#include <optional>
#include <ostream>

#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "convert/short_map.h"
#include "convert/show_error.h"
#include "convert/zone_file_report.h"
#include "ui/cli/input_file.h"
#include "ui/cli/terminal_message_box.h"
#include "zone/map_file.h"

namespace zonora {
namespace {

// The table as the conversions read it, or nothing after the report of why
// they would refuse it.
std::optional<ZoneTable> readTable(const std::string& path, FileSystem& files, Console& console,
                                   MessageBox& box) {
    const ZoneFileReading reading = readInput(path, files, console.input);
    switch (reading.status) {
        case ZoneFileReading::Status::Failed:
        case ZoneFileReading::Status::Stops:
            ShowError(box, *reading.error);
            return std::nullopt;
        case ZoneFileReading::Status::InvalidPdb:
            tell(box, kInvalidPdbMessage);
            return std::nullopt;
        case ZoneFileReading::Status::Read:
            break;
    }
    if (reading.kind == ZoneFileKind::Map && isShortMap(reading.count)) {
        const std::size_t missing = kZoneCount - reading.count;
        console.err << inputName(path) << " holds only " << valuesText(reading.count)
                    << ", so to-pdb would ask; its last "
                    << (missing == 1 ? "zone counts" : std::to_string(missing) + " zones count")
                    << " as 0 here\n";
    }
    return reading.zones;
}

}  // namespace

int runDiff(const std::string& first, const std::string& second, FileSystem& files,
            Console& console) {
    // Only the zones that differ, and their count, go to standard output.
    Console messages{console.err, console.err};
    TerminalMessageBox box(messages, ShortMapAnswer::No);
    const auto a = readTable(first, files, console, box);
    const auto b = readTable(second, files, console, box);
    console.err << std::flush;
    if (!a || !b) return kDiffTrouble;

    std::size_t differing = 0;
    for (std::size_t k = 0; k < kZoneCount; ++k) {
        if ((*a)[k] == (*b)[k]) continue;
        ++differing;
        const GridPlace place = gridPlace(k);
        console.out << "row " << place.row << ", column " << place.column << ": "
                    << static_cast<int>((*a)[k]) << " -> " << static_cast<int>((*b)[k]) << '\n';
    }
    console.out << differingText(differing) << '\n' << std::flush;
    return differing == 0 ? kTablesEqual : kTablesDiffer;
}

}  // namespace zonora
