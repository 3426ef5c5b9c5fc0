#pragma once

namespace zonora {

// While alive, a toolkit failure to reach the display prints one line and
// ends the program with status 1 instead of aborting it.
class DisplayStartGuard {
  public:
    DisplayStartGuard();
    ~DisplayStartGuard();
    DisplayStartGuard(const DisplayStartGuard&) = delete;
    DisplayStartGuard& operator=(const DisplayStartGuard&) = delete;
};

}  // namespace zonora
