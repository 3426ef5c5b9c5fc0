#include "ui/cli/diff_command.h"

#include <optional>
#include <ostream>

#include "convert/conversion.h"
#include "convert/conversion_frame.h"
#include "ui/cli/terminal_message_box.h"
#include "ui/open_file.h"
#include "zone/map_file.h"
#include "zone/zone_database.h"

namespace zonora {
namespace {

std::optional<ZoneTable> readTable(const std::string& path, FileSystem& files, MessageBox& box,
                                   std::ostream& notes) {
    const bool map = isMapFile(path, files);
    std::optional<ZoneTable> table;
    runReportingErrors(box, [&] {
        const auto file = files.openRead(path);
        if (!map) {
            table = readZoneTable(*file);
            if (!table) tell(box, kInvalidPdbMessage);
            return;
        }
        const ScannedMap scanned = scanMapFile(*file, path);
        if (scanned.count < kZoneCount) {
            const std::size_t missing = kZoneCount - scanned.count;
            notes << path << " holds only " << scanned.count
                  << (scanned.count == 1 ? " value" : " values")
                  << ", so to-pdb would ask; its last "
                  << (missing == 1 ? "zone counts" : std::to_string(missing) + " zones count")
                  << " as 0 here\n";
        }
        table = scanned.zones;
    });
    return table;
}

}  // namespace

int runDiff(const std::string& first, const std::string& second, FileSystem& files,
            Console& console) {
    // Only the zones that differ, and their count, go to standard output.
    Console messages{console.err, console.err};
    TerminalMessageBox box(messages, ShortMapAnswer::No);
    const auto a = readTable(first, files, box, console.err);
    const auto b = readTable(second, files, box, console.err);
    console.err << std::flush;
    if (!a || !b) return kDiffTrouble;

    std::size_t differing = 0;
    for (std::size_t k = 0; k < kZoneCount; ++k) {
        if ((*a)[k] == (*b)[k]) continue;
        ++differing;
        console.out << "row " << k / kGridWidth + 1 << ", column " << k % kGridWidth + 1 << ": "
                    << static_cast<int>((*a)[k]) << " -> " << static_cast<int>((*b)[k]) << '\n';
    }
    console.out << differing << (differing == 1 ? " zone differs" : " zones differ") << '\n'
                << std::flush;
    return differing == 0 ? kTablesEqual : kTablesDiffer;
}

}  // namespace zonora
