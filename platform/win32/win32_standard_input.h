#pragma once

#include "platform/standard_input.h"

namespace zonora {

// Standard input on Windows: the inherited handle, read to its end as bytes,
// whatever the console's code page. A program built for the window has no
// handle when its input is not redirected: that reads as empty.
class Win32StandardInput : public StandardInput {
  public:
    std::vector<std::uint8_t> readAll() override;
};

}  // namespace zonora
