#include <string>

#include "ui/cli/command_line.h"
#include "ui/version.h"

namespace zonora {
namespace {

const char* const kCommandsHelp =
    "\n"
    "Without arguments, zonora opens its window; with one FILE, the window opens\n"
    "ready to convert it. The commands convert without a window:\n"
    "  to-map     write the zone table of each PDB file as a Tesk Map file\n"
    "  to-pdb     make a Druma PDB file from each Map file and hand it to the\n"
    "             Install Tool\n"
    "and these read, as the conversions do, and write nothing:\n"
    "  check      report what to-pdb would pass over, round or stop on in each\n"
    "             Map file: short and long lines, words of 256 or more, words\n"
    "             that are not plain whole numbers, values outside 0 to 255 or\n"
    "             past the 256th, and the count of values\n"
    "  diff       list the zones whose values differ between A and B, each a PDB\n"
    "             or a Map file: row and column from 1 to 16, the value in A,\n"
    "             then in B; then their count\n"
    "\n";

const char* const kOptionsHelp =
    "Options:\n"
    "  -o OUT     with one input, the file to write; with several, the folder to\n"
    "             write them in. Without -o, each output is the input's path less\n"
    "             its last three characters, then MAP or PDB.\n"
    "  -o -       write the one output to standard output (a PDB only when that\n"
    "             is not a terminal); messages then go to standard error\n"
    "  --yes      convert a Map file with fewer than 256 values without asking\n"
    "  --no       leave a Map file with fewer than 256 values unconverted\n"
    "             (on a terminal the question is asked, No by default)\n"
    "  -          as FILE, A or B: standard input, read whole; diff tells a Map\n"
    "             from a PDB by its content. A conversion from it needs -o\n"
    "             naming a file, whose name goes inside the new file\n"
    "  --         end the options: a file name may then start with '-'\n"
    "  --help     show this text\n"
    "  --version  show the version\n"
    "\n"
    "Messages go to standard output, error reports to standard error.\n"
    "\n"
    "Exit status:\n"
    "  0  every file was converted\n"
    "  1  a file was not converted (the others still were)\n"
    "  2  usage error\n"
    "check: 0 when every file would convert unasked, 1 otherwise.\n"
    "diff: 0 when the tables are equal, 1 when they differ, 2 for trouble.\n";

}  // namespace

std::string usageText() {
    return "Usage: zonora [FILE]\n"
           "       zonora to-map FILE.pdb... [-o OUT]\n"
           "       zonora to-pdb FILE.map... [-o OUT] [--yes | --no]\n"
           "       zonora check FILE.map...\n"
           "       zonora diff A B\n"
           "       zonora --help | --version\n";
}

std::string usageReport(const std::string& problem) {
    return "zonora: " + problem + "\n" + usageText() + "Try 'zonora --help'.\n";
}

std::string helpText() { return usageText() + kCommandsHelp + kOptionsHelp; }

std::string versionText() { return std::string("zonora ") + kVersion + "\n"; }

}  // namespace zonora
