#include "codepage/windows1252.h"

#include <gtest/gtest.h>

namespace codepage {
namespace {

TEST(Windows1252, EveryByteSurvivesATripThroughUtf8) {
    std::string allBytes;
    for (int byte = 1; byte <= 0xFF; ++byte) allBytes += static_cast<char>(byte);
    std::string utf8 = windows1252ToUtf8(allBytes);
    EXPECT_EQ(utf8ToWindows1252(utf8), allBytes);
}

TEST(Windows1252, TheCodePagesOwnCharacters) {
    EXPECT_EQ(windows1252ToUtf8("caf\xE9"), "caf\xC3\xA9");
    EXPECT_EQ(windows1252ToUtf8("\x80"), "\xE2\x82\xAC");                    // euro sign
    EXPECT_EQ(windows1252ToUtf8("\x93x\x94"), "\xE2\x80\x9Cx\xE2\x80\x9D");  // curly quotes
    EXPECT_EQ(utf8ToWindows1252("\xC5\xB8"), "\x9F");                        // Y with diaeresis
    EXPECT_EQ(utf8ToWindows1252("\xE2\x84\xA2"), "\x99");                    // trade mark
    EXPECT_EQ(windows1252ToUnicode(0x8D), char32_t(0x8D));
}

// As Win32 converts them: each becomes its default character, so a paste keeps its length
// and shows where something was.
TEST(Windows1252, CharactersOutsideTheCodePageBecomeAQuestionMark) {
    EXPECT_EQ(utf8ToWindows1252("a\xE2\x82\xAC"
                                "b"),
              "a\x80"
              "b");
    EXPECT_EQ(utf8ToWindows1252("\xCE\xB1\xE4\xB8\xAD"
                                "x\xF0\x9F\x98\x80"),
              "??x?");                              // alpha, a CJK sign, an emoji
    EXPECT_EQ(utf8ToWindows1252("\xC4\x80"), "?");  // U+0100 lies just past Latin-1
    EXPECT_FALSE(unicodeToWindows1252(0x20AD).has_value());
}

TEST(Windows1252, MalformedUtf8IsRefusedByTheDecoderAndSkippedByTheConversion) {
    for (std::string_view bad :
         {"\x80", "\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xFF", "\xE2\x82"}) {
        size_t pos = 0;
        EXPECT_FALSE(decodeUtf8(bad, pos).has_value()) << testing::PrintToString(std::string(bad));
        EXPECT_EQ(pos, 0u);
    }
    EXPECT_EQ(utf8ToWindows1252("a\xC3"
                                "b\xFF"
                                "c"),
              "abc");
    size_t pos = 1;
    EXPECT_EQ(decodeUtf8("x\xF0\x9F\x98\x80y", pos), char32_t(0x1F600));
    EXPECT_EQ(pos, 5u);
}

}  // namespace
}  // namespace codepage
