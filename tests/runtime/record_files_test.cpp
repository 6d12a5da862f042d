// Record files where the editor cannot show a fault itself: the offset limit behind its
// own "full" check, closing a variable twice, as a rebuild and the end of a run do, and
// the directory the dictionary is looked for in. Opening, reading, growing and sharing the
// dictionary are seen through the editor in the scenario, hardening and app tests.
#include <gtest/gtest.h>

#include "files.h"
#include "text.h"

#include "kernel/module_path.h"
#include "temp_directory.h"

#include <array>
#include <string>

using testfs::writeBytes;

namespace {

constexpr uint32_t recordKind = 0x1000B;  // what the editor passes: kind 11, 1 in the high word
constexpr uint32_t length = 2056;
using Record = std::array<char, length>;

// A file whose byte i is i % 251, so that every offset is recognisable.
std::string patterned(size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

Record filled(char c) {
    Record record;
    record.fill(c);
    return record;
}

class RecordFiles : public ::testing::Test {
protected:
    testfs::TempDirectory dir;
    std::string path = dir.file("TranslationFile.dat");
    FileVariable file = nullptr;

    void SetUp() override { initTextHeap(); }
    void TearDown() override {
        closeFile(&file, recordKind);
        endProgram();
    }
    int32_t open(const char* mode) { return openFile(&file, recordKind, path.c_str(), mode); }
};

TEST_F(RecordFiles, OffsetsEndAtTwoGigabytes) {
    ASSERT_EQ(open("w"), 0);
    Record record = filled('z');
    // Record 1,044,496 starts at 2,147,481,720, the last start a signed 32-bit offset holds.
    ASSERT_EQ(writeRecord(file, 1044496, record.data(), length), 0);
    EXPECT_EQ(writeRecord(file, 1044497, record.data(), length), 1);
    EXPECT_EQ(writeRecord(file, INT32_MAX, record.data(), length), 1);
    DWORD high = 0;
    EXPECT_EQ(GetFileSize(file, &high), 2147481720u + length);
    EXPECT_EQ(high, 0u);
}

TEST_F(RecordFiles, ClosingIsIdempotentAndAClosedVariableMovesNothing) {
    writeBytes(path, patterned(length));
    closeFile(&file, recordKind);  // holds 0: nothing happens
    ASSERT_EQ(open("r"), 0);
    FileVariable copy = file;
    closeFile(&file, recordKind);
    EXPECT_EQ(file, nullptr);
    closeFile(&file, recordKind);
    Record buffer = filled('?');
    EXPECT_EQ(readRecord(file, 1, buffer.data(), length), 1);
    EXPECT_EQ(buffer, filled('?'));
    EXPECT_FALSE(CloseHandle(copy)) << "the handle was closed once, by the first closeFile";
}

TEST_F(RecordFiles, TheStartDirectoryEndsWithTheSeparatorAndIsNeverCut) {
    kernel::setModuleFileNameForTesting("/A/B/prog");
    char* first = startDirectory();
    char* second = startDirectory();
    EXPECT_STREQ(first, "/A/B/");
    EXPECT_STREQ(second, "/A/B/");
    EXPECT_NE(first, second);

    std::string deep = "/" + std::string(150, 'd') + "/" + std::string(150, 'e') + "/";
    kernel::setModuleFileNameForTesting(deep + "translation-editor");
    char* longer = startDirectory();
    EXPECT_EQ(std::string(longer), deep);

    kernel::setModuleFileNameForTesting("prog");
    char* bare = startDirectory();
    EXPECT_STREQ(bare, "prog") << "without a separator the name stays whole";
    kernel::setModuleFileNameForTesting("");
    for (char* text : {first, second, longer, bare}) freeText(text);
}

}  // namespace
