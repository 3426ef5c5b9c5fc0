#pragma once

#include <exception>
#include <string>

#include "platform/runtime_error.h"

namespace zonora {

// The standard description of a runtime error number.
std::string describeError(int number);

// Any failure as the runtime error the user is shown: file errors get the
// number of their kind and name the file; a runtime error without a
// description gets the standard one.
RuntimeError toRuntimeError(std::exception_ptr failure);

}  // namespace zonora
