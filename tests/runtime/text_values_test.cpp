#include <gtest/gtest.h>

#include "runtime/text.h"

#include "kernel/debug_output.h"

#include <string>
#include <vector>

namespace {

class TextValues : public ::testing::Test {
protected:
    std::vector<std::string> debugLines;
    void SetUp() override {
        ASSERT_EQ(initTextHeap(), 1);
        kernel::setDebugOutputListener([this](const char* text) { debugLines.emplace_back(text); });
    }
    void TearDown() override {
        kernel::setDebugOutputListener({});
        endProgram();
    }
};

TEST_F(TextValues, BlocksAreZeroFilledWithThreeSpareBytes) {
    char* block = allocText(10);
    ASSERT_NE(block, nullptr);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(block[i], '\0') << i;
    block[12] = 'x';  // the last byte of the block is ours to use
    EXPECT_EQ(freeText(block), 1);
    EXPECT_EQ(freeText(block), 0) << "a block is released once";
    EXPECT_EQ(freeText(nullptr), 0);
    char notFromTheHeap[4];
    EXPECT_EQ(freeText(notFromTheHeap), 0);
}

TEST_F(TextValues, NothingIsAllocatedWithoutTheHeapAndEndingReleasesEverything) {
    char* kept = duplicateText("still allocated");
    pushTemporary(duplicateText("temporary"));
    endProgram();
    EXPECT_EQ(allocText(4), nullptr);
    EXPECT_EQ(duplicateText("x"), nullptr);
    EXPECT_EQ(freeText(kept), 0);
    EXPECT_EQ(temporariesInUse(), 0);
    EXPECT_EQ(initTextHeap(), 1);
    EXPECT_EQ(initTextHeap(), 1) << "a second call keeps the heap";
    EXPECT_NE(allocText(4), nullptr);
}

TEST_F(TextValues, TheTemporariesStackHoldsAThousandAndReportsMisuse) {
    std::vector<char*> values;
    for (int i = 0; i < 1001; ++i) {
        values.push_back(duplicateText("t"));
        pushTemporary(values.back());
    }
    EXPECT_EQ(debugLines, std::vector<std::string>{"Heap Stack Overflow"});
    EXPECT_EQ(temporariesInUse(), 1000);
    popTemporaries(1000);
    EXPECT_EQ(temporariesInUse(), 0);
    EXPECT_EQ(freeText(values[0]), 0) << "popping released the oldest";
    EXPECT_EQ(freeText(values[999]), 0) << "and the newest recorded value";
    EXPECT_EQ(freeText(values[1000]), 1) << "the value that did not fit was never recorded";
    popTemporaries(1);
    EXPECT_EQ(debugLines.back(), "Heap Stack Underflow");
    EXPECT_EQ(debugLines.size(), 2u);
}

TEST_F(TextValues, PoppingMoreThanThereAreReleasesAllAndComplainsPerMissingEntry) {
    char* first = duplicateText("a");
    char* second = duplicateText("b");
    pushTemporary(first);
    pushTemporary(second);
    popTemporaries(0);
    popTemporaries(-4);
    EXPECT_EQ(temporariesInUse(), 2);
    EXPECT_TRUE(debugLines.empty());
    popTemporaries(3);
    EXPECT_EQ(temporariesInUse(), 0);
    EXPECT_EQ(debugLines, std::vector<std::string>{"Heap Stack Underflow"});
    EXPECT_EQ(freeText(first), 0);
    EXPECT_EQ(freeText(second), 0);
    popTemporaries(2);
    EXPECT_EQ(debugLines.size(), 3u);
}

TEST_F(TextValues, FindTextCountsFromOneAndRespectsTheStart) {
    EXPECT_EQ(findText("a.lnk", "lnk", 1), 3);
    EXPECT_EQ(findText("a.lnk", "lnk", 3), 3);
    EXPECT_EQ(findText("a.lnk", "lnk", 4), 0);
    EXPECT_EQ(findText("a.lnk", "lnk", 0), 3) << "start 0 counts as 1";
    EXPECT_EQ(findText("aab", "ab", 1), 2) << "a failed partial match does not skip ahead";
    EXPECT_EQ(findText("abcab", "ab", 2), 4) << "the result counts from the text's beginning";
    EXPECT_EQ(findText("abcde", "e", 5), 5) << "a start at the last character still searches it";
    EXPECT_EQ(findText("abcde", "e", 6), 0);
    EXPECT_EQ(findText("abc", "", 1), 0);
    EXPECT_EQ(findText("", "a", 1), 0);
    EXPECT_EQ(findText("", "a", 0), 0);
    EXPECT_EQ(findText("ab", "abc", 1), 0) << "the sought text runs past the end";
    EXPECT_EQ(findText("Lnk", "lnk", 1), 0) << "case matters";
    EXPECT_EQ(findText("abc", "c", -3), 0);
}

TEST_F(TextValues, NewTextValuesLeaveTheirArgumentsAlone) {
    const char directory[] = "C:\\Dir\\";
    char* joined = concatTexts({directory, "TranslationFile.dat"});
    EXPECT_STREQ(joined, "C:\\Dir\\TranslationFile.dat");
    EXPECT_STREQ(directory, "C:\\Dir\\");
    std::string longText(300, 'x');
    char* longer = concatTexts({longText.c_str(), "", longText.c_str()});
    EXPECT_EQ(textLength(longer), 600) << "joined texts are not cut";

    char lower[] = "abc \xE9t\xE9";
    char* upper = upperText(lower);
    EXPECT_STREQ(upper, "ABC \xC9T\xC9");
    EXPECT_STREQ(lower, "abc \xE9t\xE9");

    char* copy = duplicateText(lower);
    EXPECT_NE(copy, lower);
    EXPECT_STREQ(copy, lower);
    for (char* value : {joined, longer, upper, copy}) EXPECT_EQ(freeText(value), 1);
}

TEST_F(TextValues, CopyAndOverwriteStayInsideTheirTexts) {
    char buffer[8] = "#######";
    EXPECT_EQ(copyText(buffer, "abc"), buffer);
    EXPECT_EQ(std::string(buffer, 8), std::string("abc\0###\0", 8)) << "exactly length + 1 bytes written";

    char dotted[] = "a.b";
    overwriteText(dotted, 2, 1, " ");
    EXPECT_STREQ(dotted, "a b");
    overwriteText(dotted, 3, 5, "xyz");
    EXPECT_STREQ(dotted, "a x") << "the destination keeps its length";
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(firstCharCode("\xE9t\xE9"), 233);
    EXPECT_EQ(firstCharCode(""), 0);
}

}  // namespace
