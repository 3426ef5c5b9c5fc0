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

TEST(TextEncoding, LocaleBlanksBecomeOrdinaryOnes) {
    // "2:00:33 PM" with a narrow no-break space, a no-break space in a date;
    // other characters, and bytes that are not UTF-8, stay as they are.
    EXPECT_EQ(withPlainBlanks("2:00:33\xe2\x80\xafPM"), "2:00:33 PM");
    EXPECT_EQ(withPlainBlanks("8.\xc2\xa0"
                              "12.\xc2\xa0"
                              "2026"),
              "8. 12. 2026");
    EXPECT_EQ(withPlainBlanks("z\xc3\xb6n\xe2\x80\xaf\xff"), "z\xc3\xb6n \xff");
    EXPECT_EQ(withPlainBlanks("\xe2\x80"), "\xe2\x80");  // a cut sequence is no blank
}

}  // namespace
}  // namespace zonora
