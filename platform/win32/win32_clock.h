#pragma once

#include <windows.h>

#include <functional>

#include "platform/clock.h"

namespace zonora {

using SystemTimeSource = std::function<SYSTEMTIME()>;

// GetLocalTime.
SYSTEMTIME localTimeNow();

// The user's short date and long time formats (4/12/2002 and 2:00:33 PM on
// an English system) for the moment the source gives. A moment the system
// cannot format (month 13) throws a RuntimeError.
class Win32Clock : public Clock {
  public:
    explicit Win32Clock(SystemTimeSource now = localTimeNow) : now_(std::move(now)) {}
    DateTimeText now() override;

  private:
    SystemTimeSource now_;
};

}  // namespace zonora
