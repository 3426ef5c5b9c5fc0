#pragma once

#include <functional>
#include <string>

namespace zonora::test {

// Runs body in a forked child and returns its exit status, or 128 + the
// signal that ended it. With dropRoot, a child running as root first becomes
// an unprivileged user so that file permissions apply to it.
int runInChild(const std::function<int()>& body, bool dropRoot = false);

// Lets an unprivileged child work inside a test folder.
void openToEveryone(const std::string& folder);

}  // namespace zonora::test
