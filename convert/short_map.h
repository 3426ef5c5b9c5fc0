#pragma once

#include <cstddef>

#include "platform/message_box.h"

namespace zonora {

// A Map with fewer than 256 values converts only when the user says so; its
// missing zones are written as 0.
bool isShortMap(std::size_t count);

// The question about a short Map, in the box the caller hands in (a window's,
// a terminal's, a page's): "MAP File contains only " + count + " zone data.
// Continue?", Yes and No with No the default. True to go on.
bool continueWithShortMap(MessageBox& box, std::size_t count);

}  // namespace zonora
