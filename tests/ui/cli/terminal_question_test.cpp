#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "tests/ui/cli/cli_fixture.h"
#include "ui/cli/stream_terminal.h"

namespace zonora::test {
namespace {

struct Typed {
    std::string printed;  // everything the terminal showed
    int status = -1;
};

// Runs to-pdb in a child whose standard streams are a pseudo-terminal, types
// reply once the question shows, and collects what the terminal showed.
Typed answerOnATerminal(CommandLineFixture& f, const std::vector<std::string>& arguments,
                        const std::string& reply) {
    int terminal = -1;
    const pid_t child = ::forkpty(&terminal, nullptr, nullptr, nullptr);
    if (child == 0) {
        StreamTerminal person(std::cin);
        Console console{std::cout, std::cerr, standardInputIsTerminal() ? &person : nullptr};
        const int status = runCommandLine(arguments, f.services, console);
        std::cout.flush();
        ::_exit(status);
    }
    Typed typed;
    if (child < 0) {
        ADD_FAILURE() << "forkpty failed";
        return typed;
    }
    bool replied = false;
    char buffer[512];
    for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;) {
        typed.printed.append(buffer, static_cast<std::size_t>(n));
        if (!replied && typed.printed.find("[y/N] ") != std::string::npos) {
            replied = true;
            const std::string line = reply + "\n";
            EXPECT_EQ(::write(terminal, line.data(), line.size()),
                      static_cast<ssize_t>(line.size()));
        }
    }
    ::close(terminal);
    int wait = 0;
    ::waitpid(child, &wait, 0);
    typed.status = WIFEXITED(wait) ? WEXITSTATUS(wait) : -1;
    return typed;
}

TEST(TerminalQuestion, AnsweredAtTheTerminalNoByDefault) {
    struct Case {
        std::string reply;
        std::vector<std::string> flags;
        bool made;
    };
    const Case cases[] = {
        {"y", {}, true},        {"YES", {}, true},
        {"n", {}, false},       {"", {}, false},  // Enter alone keeps the default, No
        {"x", {"--yes"}, true},                   // a flag answers without asking
        {"y", {"--no"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("reply \"" + c.reply + "\"");
        CommandLineFixture f;
        std::vector<std::string> arguments{"to-pdb", f.writeMap("short.map", 255)};
        arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
        const Typed typed = answerOnATerminal(f, arguments, c.reply);
        EXPECT_EQ(typed.status, c.made ? kAllConverted : kSomeNotConverted) << typed.printed;
        EXPECT_NE(typed.printed.find("MAP File contains only 255 zone data.  Continue? [y/N] "),
                  std::string::npos)
            << typed.printed;
        EXPECT_EQ(std::filesystem::exists(f.folder.path() / "short.PDB"), c.made);
        EXPECT_EQ(typed.printed.find("Conversion Complete.") != std::string::npos, c.made);
    }
}

}  // namespace
}  // namespace zonora::test
