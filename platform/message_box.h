#pragma once

#include <string>

namespace zonora {

inline constexpr const char* kProgramTitle = "Zonora";

enum class Buttons { Ok, YesNo };
enum class DefaultButton { First, Second };
enum class Answer { Ok, Yes, No };

struct Message {
    std::string prompt;  // a carriage return starts a new line
    Buttons buttons = Buttons::Ok;
    DefaultButton defaultButton = DefaultButton::First;
    std::string title = kProgramTitle;
    std::string helpFile;
    int helpContext = 0;
};

// A modal box without an icon. A Yes/No box has no cancel: it must be answered.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual Answer show(const Message& message) = 0;
};

}  // namespace zonora
