// Record files where the editor cannot show a fault itself: the modes and kinds it never
// passes wrong, transfers it never asks for, the offset limit behind its own "full"
// check, closing a variable twice, as a rebuild and the end of a run do, and the directory
// the dictionary is looked for in. Reading, growing and sharing the dictionary are seen
// through the editor in the scenario, hardening and app tests.
#include <gtest/gtest.h>

#include "runtime/files.h"
#include "runtime/text.h"

#include "kernel/module_path.h"
#include "temp_directory.h"
#include "ui_driver.h"

#include <array>
#include <filesystem>
#include <string>

using testfs::readBytes;
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
    int32_t open(const char* mode, uint32_t kind = recordKind) { return openFile(&file, kind, path.c_str(), mode); }
};

TEST_F(RecordFiles, ModesAndKindsAreMatchedExactlyAndOpenAsTheySay) {
    for (const char* mode : {"r", "R", "r+", "R+"}) EXPECT_EQ(open(mode), 1) << mode << " needs the file";
    EXPECT_FALSE(std::filesystem::exists(path));
    writeBytes(path, patterned(4112));
    for (const char* mode : {"", " r", "r ", "rw", "wr", "+", "r++", "RW", "x"}) EXPECT_EQ(open(mode), 1) << mode;
    EXPECT_EQ(open("R+", 6), 1) << "text files have no update modes";
    EXPECT_EQ(open("r+", 0x50006), 1);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(readBytes(path), patterned(4112));

    ASSERT_EQ(open("A"), 0);
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(file, 0, &high, FILE_CURRENT), 4112u) << "appending starts at the end";
    closeFile(&file, recordKind);
    ASSERT_EQ(open("w", 6), 0) << "kind 6 opens like kind 11";
    closeFile(&file, 6);
    EXPECT_EQ(readBytes(path), "") << "writing starts empty";
    std::filesystem::remove(path);
    ASSERT_EQ(open("a"), 0);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(RecordFiles, TransfersWithoutFileRecordOrBufferAndWritesToAReadOnlyFileChangeNothing) {
    writeBytes(path, patterned(3 * length));
    ASSERT_EQ(open("r"), 0);
    Record buffer = filled('?');
    for (int32_t record : {0, -1, INT32_MIN}) EXPECT_EQ(readRecord(file, record, buffer.data(), length), 1) << record;
    EXPECT_EQ(readRecord(nullptr, 1, buffer.data(), length), 1);
    EXPECT_EQ(readRecord(file, 1, nullptr, length), 1);
    EXPECT_EQ(buffer, filled('?'));
    EXPECT_EQ(writeRecord(file, 0, buffer.data(), length), 1);
    EXPECT_EQ(writeRecord(nullptr, 1, buffer.data(), length), 1);
    EXPECT_EQ(writeRecord(file, 1, nullptr, length), 1);
    EXPECT_EQ(writeRecord(file, 1, buffer.data(), length), 1) << "opened for reading";
    EXPECT_EQ(flushFile(file), 1);
    EXPECT_EQ(flushFile(nullptr), 1);
    closeFile(&file, recordKind);
    EXPECT_EQ(readBytes(path), patterned(3 * length));
}

// A variable passed with another kind word is reported in a message box, and nothing is
// opened or closed; only the kind's low word counts.
TEST_F(RecordFiles, AnotherKindWordIsReportedAndNothingIsOpenedOrClosed) {
    display::setBackend(std::make_unique<display::HeadlessBackend>());
    auto answerTheBox = [](const char* text) {
        testui::headless().addStep([text] {
            HWND box = testui::topLevel("Error");
            ASSERT_NE(box, nullptr);
            EXPECT_NE(testui::childWithText(box, "STATIC", text), nullptr) << text;
            testui::key(VK_RETURN);
        });
    };
    answerTheBox("Runtime error (OPENFILE): file variable expected");
    EXPECT_EQ(open("w", 3), 1);
    EXPECT_EQ(file, nullptr);
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing was created";
    ASSERT_EQ(open("w"), 0);
    answerTheBox("Runtime Error: Invalid file variable");
    closeFile(&file, 3);
    EXPECT_EQ(testui::headless().stepsLeft(), 0u);
    EXPECT_EQ(writeRecord(file, 1, "open", 4), 0) << "the file is still open";
    closeFile(&file, 0x2000B);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(readBytes(path), "open");
}

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
