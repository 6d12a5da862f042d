// Strings, case and the Windows-1252 code page.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

std::string upper(std::string text) {
    CharUpperA(text.data());
    return text;
}

std::string lower(std::string text) {
    CharLowerA(text.data());
    return text;
}

TEST(CaseMapping, CoversAccentedAndSpecialWindows1252Letters) {
    EXPECT_EQ(upper("abc xyz 09 {}"), "ABC XYZ 09 {}");
    // a grave, e acute, o tilde, thorn, s caron, oe, z caron, y diaeresis
    EXPECT_EQ(upper("\xE0\xE9\xF5\xFE\x9A\x9C\x9E\xFF"), "\xC0\xC9\xD5\xDE\x8A\x8C\x8E\x9F");
    EXPECT_EQ(lower("\xC0\xC9\xD5\xDE\x8A\x8C\x8E\x9F"), "\xE0\xE9\xF5\xFE\x9A\x9C\x9E\xFF");
    // sharp s, micro, division and multiplication signs have no other case
    EXPECT_EQ(upper("\xDF\xB5\xF7"), "\xDF\xB5\xF7");
    EXPECT_EQ(lower("\xD7"), "\xD7");
    // Every byte survives lower(upper(x)) for the letters that have both cases.
    for (int c = 1; c < 256; ++c) {
        std::string one(1, static_cast<char>(c));
        if (upper(one) != one) {
            EXPECT_EQ(lower(upper(one)), one) << c;
        }
    }
}

TEST(CodePage, Windows1252RoundTripsThroughUtf16) {
    char all[256];
    for (int i = 0; i < 256; ++i) all[i] = static_cast<char>(i);
    WCHAR wide[256];
    ASSERT_EQ(MultiByteToWideChar(1252, 0, all, 256, wide, 256), 256);
    EXPECT_EQ(wide[0x80], u'\u20AC');  // the code page's own table, checked with the codec
    char back[256];
    BOOL usedDefault = TRUE;
    ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, 256, back, 256, nullptr, &usedDefault), 256);
    EXPECT_FALSE(usedDefault);
    EXPECT_EQ(std::string(back, 256), std::string(all, 256));
}

TEST(CodePage, SizesTerminatorsAndCharactersOutsideTheCodePage) {
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0), 4) << "with the terminator";
    WCHAR two[2];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, two, 2), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(MultiByteToWideChar(65001, 0, "abc", -1, two, 2), 0);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));

    const WCHAR text[] = u"x\u4E00\u2122";
    char out[4];
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, text, -1, out, 4, nullptr, &usedDefault), 4);
    EXPECT_STREQ(out, "x?\x99");
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u0080", 1, out, 4, "#", nullptr), 1);
    EXPECT_EQ(out[0], '#') << "U+0080 is not a Windows-1252 character";
}

TEST(MulDivision, RoundsHalvesAwayFromZero) {
    // The product may exceed 32 bits as long as the quotient fits; otherwise, and when
    // dividing by zero, the answer is -1. 271 * 13 / 8 = 440.375, 19 * 13 / 8 = 30.875.
    const int cases[][4] = {
        {530, 6, 4, 795},       {271, 13, 8, 440}, {19, 13, 8, 31}, {5, 1, 2, 3},   {-5, 1, 2, -3},
        {5, 1, -2, -3},         {-5, -1, 2, 3},    {7, 1, 3, 2},    {-7, 1, 3, -2}, {2000000000, 3, 4, 1500000000},
        {2000000000, 2, 1, -1}, {1, 1, 0, -1}};
    for (const auto& c : cases) EXPECT_EQ(MulDiv(c[0], c[1], c[2]), c[3]) << c[0] << " * " << c[1] << " / " << c[2];
}

TEST(Strings, CompareAndMeasureAsWin32Does) {
    EXPECT_EQ(lstrcmpA("r+", "r+"), 0);
    EXPECT_NE(lstrcmpA("R", "r"), 0);
    EXPECT_NE(lstrcmpA("r", "r+"), 0);
    EXPECT_EQ(lstrcmpiA("MarlowDlgClass", "marlowdlgclass"), 0);
    EXPECT_EQ(lstrcmpiA("\xC9t\xE9", "\xE9T\xC9"), 0) << "accented letters fold too";
    EXPECT_EQ(lstrlenA(nullptr), 0);
    EXPECT_EQ(lstrlenA("four"), 4);
}

TEST(Strings, CopyAndJoinKeepTheTerminator) {
    char buffer[8] = "#######";
    EXPECT_EQ(lstrcpynA(buffer, "abcdef", 4), buffer);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], '#') << "nothing written past the limit";
    lstrcatA(buffer, "de");
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(lstrcatA(buffer, nullptr), nullptr);
}

}  // namespace
