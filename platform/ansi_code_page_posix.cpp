#include "platform/text_encoding.h"

namespace zonora {

std::string toAnsi(std::string_view utf8) { return toWindows1252(utf8); }

}  // namespace zonora
