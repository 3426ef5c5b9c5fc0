#include "platform/text_encoding.h"

#include <gtest/gtest.h>

namespace zonora {
namespace {

TEST(TextEncoding, WritesWindows1252OrAQuestionMark) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"zones", "zones"},
        {"z\xc3\xb6nes", "z\xf6nes"},                          // o with diaeresis
        {"\xe2\x82\xac\xc5\x93\xe2\x84\xa2", "\x80\x9c\x99"},  // euro, oe, trade mark
        {"\xc2\xa0\xc3\xbf", "\xa0\xff"},
        {"\xe4\xb8\xad\xf0\x9f\x98\x80", "??"},  // outside the code page
        {"\xc2\x81", "?"},                       // a C1 control has no byte
        {"a\xff"
         "b",
         "a?b"},                  // invalid UTF-8
        {"\xe2\x82", "??"},       // cut sequence
        {"\xc0\xaf", "??"},       // overlong form
        {"\xed\xa0\x80", "???"},  // surrogate
        {std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& [utf8, ansi] : cases) EXPECT_EQ(toAnsi(utf8), ansi) << utf8;
}

TEST(TextEncoding, CountsCharactersNotBytes) {
    EXPECT_EQ(splitCharacters("z\xc3\xb6n\xe2\x82\xac\xf0\x9f\x98\x80").size(), 5u);
    EXPECT_EQ(splitCharacters("\xff\xfe"
                              "a")
                  .size(),
              3u);
    EXPECT_EQ(splitCharacters("").size(), 0u);
    EXPECT_EQ(splitCharacters("z\xc3\xb6")[1], "\xc3\xb6");
}

}  // namespace
}  // namespace zonora
