#pragma once

#include <functional>
#include <string>

namespace zonora::test {

// How a child process ended.
struct ChildEnd {
    bool exited = false;
    int exitCode = 0;
    int signal = 0;  // the signal that ended it, when it did not exit

    bool succeeded() const { return exited && exitCode == 0; }
};

// Runs body in a forked child, which exits with body's result; an exception
// escaping body ends the child with code 99. A file size limit makes writes
// fail there instead of killing the child. With dropRoot, a child running as
// root first becomes an unprivileged user so that file permissions apply.
ChildEnd runInChild(const std::function<int()>& body, bool dropRoot = false);

std::string describe(const ChildEnd& end);

// Whether AddressSanitizer's runtime is in this process, whichever part of
// the program was built with it: it reserves far more address space than a
// limit on a child's address space would allow.
bool addressSanitizerRuns();

// Lets an unprivileged child work inside a test folder.
void openToEveryone(const std::string& folder);

}  // namespace zonora::test
