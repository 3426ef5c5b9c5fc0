#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "platform/file_error.h"
#include "platform/standard_output.h"
#include "tests/support/fake_services.h"
#include "tests/support/pdb_image.h"
#include "tests/support/temp_folder.h"
#include "ui/cli/command_line.h"

namespace zonora::test {

// Standard output as bytes, kept in memory; a terminal, or full, when asked.
struct MemoryDataOutput : DataOutput {
    bool isTerminal() override { return terminal; }
    void write(std::span<const std::uint8_t> written) override {
        if (full)
            throw FileError(std::make_error_code(std::errc::no_space_on_device),
                            kStandardOutputName);
        bytes.insert(bytes.end(), written.begin(), written.end());
    }
    std::vector<std::uint8_t> bytes;
    bool terminal = false;
    bool full = false;
};

// Standard input as bytes given beforehand, or failing; how often it was read.
struct MemoryStandardInput : StandardInput {
    std::vector<std::uint8_t> readAll() override {
        ++reads;
        if (broken) throw FileError(std::make_error_code(std::errc::io_error), kStandardInputName);
        return bytes;
    }
    std::vector<std::uint8_t> bytes;
    bool broken = false;
    int reads = 0;
};

// The command line over real files in a temporary folder, with the clock, the
// template and the Install Tool of the conversion tests, and its two streams
// captured.
struct CommandLineFixture {
    CommandLineFixture() {
        fakes.templates.path = folder.file("Kolpa.org");
        writeBytes(fakes.templates.path, readBytes(sampleFile("Kolpa.org")));
    }

    int run(const std::vector<std::string>& arguments, Terminal* terminal = nullptr) {
        out.str("");
        err.str("");
        data.bytes.clear();
        Console console{out, err, terminal, &data, &input};
        return runCommandLine(arguments, services, console);
    }

    std::string file(const std::string& name) const { return folder.file(name); }

    // A Map file of count values, 16 to a line, as the writer lays them out.
    std::string writeMap(const std::string& name, int count, const std::string& extra = {}) {
        std::string text = "Druma zones.PDB convert on 4/12/2002 2:00:33 PM\r\n\r\n";
        std::string line;
        for (int i = 0; i < count; ++i) {
            const std::string value = std::to_string(i * 7 % 256);
            line += std::string(4 - value.size(), ' ') + value;
            if (i % 16 == 15 || i + 1 == count) {
                line.resize(64, ' ');  // a short line would be skipped
                text += line + "\r\n";
                line.clear();
            }
        }
        writeText(file(name), text + extra);
        return file(name);
    }

    std::string writePdb(const std::string& name) {
        writeBytes(file(name), readBytes(sampleFile("zones.pdb")));
        return file(name);
    }

    TempFolder folder;
    FakeServices fakes;
    SystemServices services{fakes.files, fakes.clock, fakes.templates, fakes.installTool};
    std::ostringstream out;
    std::ostringstream err;
    MemoryDataOutput data;
    MemoryStandardInput input;
};

}  // namespace zonora::test
