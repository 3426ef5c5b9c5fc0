#include "convert/short_map.h"

#include <string>

#include "zone/zone_table.h"

namespace zonora {

bool isShortMap(std::size_t count) { return count < kZoneCount; }

bool continueWithShortMap(MessageBox& box, std::size_t count) {
    Message question;
    question.prompt = "MAP File contains only " + std::to_string(count) + " zone data.  Continue?";
    question.buttons = Buttons::YesNo;
    question.defaultButton = DefaultButton::Second;
    return box.show(question) != Answer::No;
}

}  // namespace zonora
