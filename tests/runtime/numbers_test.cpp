#include <gtest/gtest.h>

#include "runtime/numbers.h"
#include "runtime/text.h"

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

namespace {

uint64_t bitsOf(double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

class Numbers : public ::testing::Test {
protected:
    void SetUp() override {
        initTextHeap();
        setNumericControlState();
    }
    void TearDown() override { endProgram(); }

    std::string shown(double number) {
        char* text = numberToText(number);
        std::string result = text;
        freeText(text);
        return result;
    }
};

// Integral values show as integers after a blank, others with two decimals.
TEST_F(Numbers, ShownWithALeadingBlank) {
    const std::pair<double, const char*> cases[] = {
        {42, " 42"},
        {-7, " -7"},
        {0, " 0"},
        {-0.0, " 0"},
        {2147483647, " 2147483647"},
        {-2147483648.0, " -2147483648"},
        // Beyond 32 bits only the low 32 bits of the integer are shown.
        {2147483648.0, " -2147483648"},
        {4294967301.0, " 5"},
        {2.5, " 2.50"},
        {3.14159, " 3.14"},
        {-0.5, " -0.50"},
        {1.999, " 2.00"},
        // Too large for a 64-bit integer: not recognised as integral.
        {1e20, " 100000000000000000000.00"},
        {std::numeric_limits<double>::infinity(), " inf"},
    };
    for (const auto& [number, text] : cases) EXPECT_EQ(shown(number), text) << number;
    EXPECT_EQ(shown(std::nan("")).substr(0, 1), " ");
}

TEST_F(Numbers, ParsingStopsAtTheFirstCharacterOutsideANumber) {
    const std::pair<const char*, double> cases[] = {
        {"", 0.0},      {" 42", 42.0}, {"\t-7", -7.0}, {" \t 8", 8.0},  {"+5", 0.0}, {"12abc", 12.0}, {"1,5", 1.0},
        {"1.5.3", 1.5}, {"1e3", 1.0},  {".5", 0.5},    {"-.25", -0.25}, {"5.", 5.0}, {"x5", 0.0},     {"1 2", 1.0},
    };
    for (const auto& [text, number] : cases) EXPECT_EQ(textToNumber(text), number) << '"' << text << '"';
}

TEST_F(Numbers, ALoneMinusGivesNegativeZero) {
    for (const char* text : {"-", "- 5", "--5"}) {
        double value = textToNumber(text);
        EXPECT_EQ(value, 0.0) << text;
        EXPECT_TRUE(std::signbit(value)) << text;
        EXPECT_EQ(roundToInt32(value), 0);
    }
}

TEST_F(Numbers, FractionDigitsAreAddedOneByOne) {
    // One unit in the last place above the nearest double, as the digit-wise sum gives.
    EXPECT_EQ(bitsOf(textToNumber("0.3")), 0x3FD3333333333334u);
    EXPECT_EQ(textToNumber("1.25"), 1.25);
    EXPECT_EQ(textToNumber("-2.5"), -2.5);
    EXPECT_EQ(textToNumber("9007199254740993"), 9007199254740992.0) << "each step rounds to a double";
    EXPECT_EQ(textToNumber("123456789"), 123456789.0);
    // A long fraction stays within a few units of the correctly rounded value.
    double longFraction = textToNumber("0.1234567890123456789012345");
    EXPECT_NEAR(longFraction, 0.1234567890123456789012345, 4e-17);
}

TEST_F(Numbers, PowersOfTenAreExactAsFarAsDoublesAllow) {
    double expected = 1.0;
    for (int k = 0; k <= 22; ++k) {
        EXPECT_EQ(power(10.0, k), expected) << k;
        expected *= 10.0;  // exact up to 10^22
    }
    double big = power(10.0, 23);
    EXPECT_LE(std::fabs(big - 1e23), std::nextafter(1e23, INFINITY) - 1e23);
    EXPECT_DOUBLE_EQ(power(2.0, 10.0), 1024.0);
    EXPECT_DOUBLE_EQ(power(10.0, -2.0), 0.01);
}

TEST_F(Numbers, RoundingGoesToTheNearestEvenAndFailsToTheLowestInteger) {
    const std::pair<double, int32_t> cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {2.7, 3},
        {textToNumber("2.5"), 2},
        {2147483647.4, 2147483647},
        {2147483647.5, INT32_MIN},   // rounds to 2^31, out of range
        {-2147483648.5, INT32_MIN},  // rounds to the even -2^31, in range
        {-2147483649.0, INT32_MIN},
        {std::nan(""), INT32_MIN},
        {INFINITY, INT32_MIN},
        {-INFINITY, INT32_MIN},
    };
    for (const auto& [number, rounded] : cases) EXPECT_EQ(roundToInt32(number), rounded) << number;
}

TEST_F(Numbers, TheControlStateRestoresRoundingToNearest) {
    std::fesetround(FE_UPWARD);
    setNumericControlState();
    EXPECT_EQ(std::fegetround(), FE_TONEAREST);
    EXPECT_EQ(roundToInt32(2.5), 2);
    EXPECT_EQ(roundToInt32(2.4), 2);
}

TEST_F(Numbers, ShownIntegersReadBackUnchanged) {
    for (int32_t value : {0, 1, -1, 12, -3, 99999, 1044496, INT32_MAX, INT32_MIN + 1, INT32_MIN}) {
        char* text = numberToText(value);
        EXPECT_EQ(roundToInt32(textToNumber(text)), value) << text;
        freeText(text);
    }
}

}  // namespace
