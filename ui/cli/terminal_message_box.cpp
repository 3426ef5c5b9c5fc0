#include "ui/cli/terminal_message_box.h"

#include <algorithm>
#include <cctype>
#include <ostream>

namespace zonora {
namespace {

std::string oneLine(const std::string& prompt, const std::string& lineBreak) {
    std::string line;
    for (char c : prompt) {
        if (c == '\r') {
            line += lineBreak;
        } else {
            line.push_back(c);
        }
    }
    return line;
}

bool saysYes(std::string reply) {
    std::erase_if(reply, [](unsigned char c) { return std::isspace(c); });
    std::transform(reply.begin(), reply.end(), reply.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return reply == "y" || reply == "yes";
}

}  // namespace

Answer TerminalMessageBox::show(const Message& message) {
    if (message.buttons == Buttons::YesNo) return ask(message.prompt);
    if (message.title == "Error") {
        console_.err << oneLine(message.prompt, ": ") << '\n' << std::flush;
    } else {
        console_.out << oneLine(message.prompt, " ") << '\n' << std::flush;
    }
    return Answer::Ok;
}

Answer TerminalMessageBox::ask(const std::string& question) {
    const std::string line = oneLine(question, " ") + " [y/N] ";
    if (preset_ != ShortMapAnswer::Ask) {
        const bool yes = preset_ == ShortMapAnswer::Yes;
        console_.out << line << (yes ? "y" : "n") << '\n' << std::flush;
        return yes ? Answer::Yes : Answer::No;
    }
    if (console_.terminal == nullptr) {
        console_.err << oneLine(question, " ") << ' ' << kNoOneToAnswer << '\n' << std::flush;
        return Answer::No;
    }
    console_.out << line << std::flush;
    const auto reply = console_.terminal->readLine();
    if (!reply) console_.out << '\n' << std::flush;  // end of input: No, on a line of its own
    return reply && saysYes(*reply) ? Answer::Yes : Answer::No;
}

}  // namespace zonora
