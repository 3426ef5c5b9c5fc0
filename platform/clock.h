#pragma once

#include <string>

namespace zonora {

// The current local date and time as the user's locale writes them (UTF-8).
struct DateTimeText {
    std::string date;  // short date, such as 4/12/2002
    std::string time;  // time with seconds, no zone, such as 2:00:33 PM
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual DateTimeText now() = 0;
};

}  // namespace zonora
