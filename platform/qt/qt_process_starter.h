#pragma once

#include "platform/process_starter.h"

namespace zonora {

// Starts a command line as a detached process; the program does not wait.
class QtProcessStarter : public ProcessStarter {
  public:
    void start(const std::string& commandLine) override;
};

}  // namespace zonora
