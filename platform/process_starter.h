#pragma once

#include <string>

namespace zonora {

// Starts a command line in a normal window that takes the focus, without
// waiting for it. A start that fails throws.
class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;
    virtual void start(const std::string& commandLine) = 0;
};

}  // namespace zonora
