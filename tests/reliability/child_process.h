#pragma once

#include <functional>
#include <string>

namespace zonora::test {

// How a child process ended.
struct ChildEnd {
    bool exited = false;
    int exitCode = 0;
    int signal = 0;  // the signal that ended it, when it did not exit
};

// Runs body in a forked child, which exits with body's result; an exception
// escaping body ends the child with code 99.
ChildEnd runInChild(const std::function<int()>& body);

std::string describe(const ChildEnd& end);

}  // namespace zonora::test
