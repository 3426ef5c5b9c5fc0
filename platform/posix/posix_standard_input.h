#pragma once

#include "platform/standard_input.h"

namespace zonora {

// Standard input on a POSIX system: file descriptor 0, read to its end.
class PosixStandardInput : public StandardInput {
  public:
    std::vector<std::uint8_t> readAll() override;
};

}  // namespace zonora
