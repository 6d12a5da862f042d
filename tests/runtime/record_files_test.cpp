#include <gtest/gtest.h>

#include "files.h"
#include "text.h"

#include "kernel/module_path.h"
#include "temp_directory.h"
#include "ui_driver.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

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

// When the program waits in a message box captioned Error, note the texts of its controls
// and press Enter.
void answerNextBox(std::vector<std::string>& shown) {
    testui::headless().addStep([&shown] {
        HWND box = testui::topLevel("Error");
        ASSERT_NE(box, nullptr) << "no message box captioned Error";
        EnumChildWindows(
            box,
            [](HWND child, LPARAM list) {
                reinterpret_cast<std::vector<std::string>*>(list)->push_back(testui::windowText(child));
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&shown));
        testui::key(VK_RETURN);
    });
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

TEST_F(RecordFiles, ReadModesNeedAnExistingFileAndLeaveTheVariableOnFailure) {
    FileVariable untouched = reinterpret_cast<FileVariable>(0x1234);
    file = untouched;
    for (const char* mode : {"r", "R", "r+", "R+"}) EXPECT_EQ(open(mode), 1) << mode;
    EXPECT_EQ(file, untouched);
    EXPECT_FALSE(std::filesystem::exists(path));
    file = nullptr;

    writeBytes(path, patterned(100));
    for (const char* mode : {"r", "R", "r+", "R+"}) {
        ASSERT_EQ(open(mode), 0) << mode;
        closeFile(&file, recordKind);
    }
    EXPECT_EQ(readBytes(path), patterned(100));
}

TEST_F(RecordFiles, WriteModesEmptyAndAppendModesKeep) {
    writeBytes(path, patterned(4112));
    ASSERT_EQ(open("A"), 0);
    LONG high = 0;
    EXPECT_EQ(SetFilePointer(file, 0, &high, FILE_CURRENT), 4112u) << "positioned at the end";
    Record buffer = filled('?');
    EXPECT_EQ(readRecord(file, 1, buffer.data(), length), 0);
    EXPECT_EQ(std::string(buffer.data(), length), patterned(4112).substr(0, length));
    closeFile(&file, recordKind);

    ASSERT_EQ(open("w"), 0);
    closeFile(&file, recordKind);
    EXPECT_EQ(readBytes(path), "");

    std::filesystem::remove(path);
    ASSERT_EQ(open("a"), 0);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(readRecord(file, 1, buffer.data(), length), 1) << "an empty file has no record 1";
    EXPECT_EQ(std::string(buffer.data(), length), patterned(4112).substr(0, length)) << "buffer untouched";
}

TEST_F(RecordFiles, KindsAndModeStringsAreMatchedExactly) {
    writeBytes(path, "kept");
    for (const char* mode : {"", " r", "r ", "rw", "wr", "+", "r++", "RW", "x"}) EXPECT_EQ(open(mode), 1) << mode;
    EXPECT_EQ(open("R+", 6), 1) << "text files have no update modes";
    EXPECT_EQ(open("r+", 0x50006), 1);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(readBytes(path), "kept");

    ASSERT_EQ(open("w", 6), 0) << "kind 6 opens like kind 11";
    closeFile(&file, 6);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(readBytes(path), "");
    EXPECT_EQ(open("r", 11), 0);
}

// A file variable passed with another kind word is reported to the user in a message box,
// and nothing is opened or closed; only the kind's low word counts.
TEST_F(RecordFiles, AnotherKindWordIsReportedAndNothingIsOpenedOrClosed) {
    display::setBackend(std::make_unique<display::HeadlessBackend>());
    std::vector<std::string> shown;
    answerNextBox(shown);
    EXPECT_EQ(open("w", 3), 1);
    EXPECT_EQ(file, nullptr);
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing was created";
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Runtime error (OPENFILE): file variable expected"), 1);
    EXPECT_EQ(testui::headless().stepsLeft(), 0u);

    ASSERT_EQ(open("w"), 0);
    shown.clear();
    answerNextBox(shown);
    closeFile(&file, 3);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Runtime Error: Invalid file variable"), 1);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(writeRecord(file, 1, "open", 4), 0) << "the file is still open";
    closeFile(&file, 0x2000B);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(readBytes(path), "open");
}

TEST_F(RecordFiles, RecordsSitAtTheirNumberAndShortReadsFillOnlyWhatExists) {
    writeBytes(path, patterned(5000));
    ASSERT_EQ(open("r+"), 0);
    Record buffer = filled('?');
    // Record 3 is bytes 4112 to 6167, of which the file holds 888.
    EXPECT_EQ(readRecord(file, 3, buffer.data(), length), 1);
    EXPECT_EQ(std::string(buffer.data(), 888), patterned(5000).substr(4112));
    EXPECT_EQ(std::string(buffer.data() + 888, length - 888), std::string(length - 888, '?'));

    EXPECT_EQ(readRecord(file, 2, buffer.data(), length), 0);
    EXPECT_EQ(std::string(buffer.data(), length), patterned(5000).substr(length, length));
    Record before = buffer;
    EXPECT_EQ(readRecord(file, 4, buffer.data(), length), 1);
    EXPECT_EQ(buffer, before) << "a record past the end reads nothing";
}

TEST_F(RecordFiles, WritesPastTheEndGrowTheFileWithZeros) {
    ASSERT_EQ(open("w"), 0);
    Record record = filled('e');
    EXPECT_EQ(writeRecord(file, 5, record.data(), length), 0);
    EXPECT_EQ(flushFile(file), 0);
    std::string bytes = readBytes(path);
    ASSERT_EQ(bytes.size(), 10280u);
    EXPECT_EQ(bytes.substr(0, 8224), std::string(8224, '\0'));
    EXPECT_EQ(bytes.substr(8224), std::string(length, 'e'));

    Record gap = filled('?');
    EXPECT_EQ(readRecord(file, 3, gap.data(), length), 0);
    EXPECT_EQ(gap, Record{}) << "a record in the gap reads as zeros";
}

TEST_F(RecordFiles, TransfersWithoutFileRecordOrBufferDoNothing) {
    writeBytes(path, patterned(3 * length));
    ASSERT_EQ(open("r+"), 0);
    Record buffer = filled('?');
    EXPECT_EQ(readRecord(file, 0, buffer.data(), length), 1);
    EXPECT_EQ(readRecord(nullptr, 1, buffer.data(), length), 1);
    EXPECT_EQ(readRecord(file, 1, nullptr, length), 1);
    EXPECT_EQ(readRecord(file, -1, buffer.data(), length), 1);
    EXPECT_EQ(readRecord(file, INT32_MIN, buffer.data(), length), 1);
    EXPECT_EQ(buffer, filled('?'));
    EXPECT_EQ(writeRecord(file, 0, buffer.data(), length), 1);
    EXPECT_EQ(writeRecord(nullptr, 1, buffer.data(), length), 1);
    EXPECT_EQ(writeRecord(file, 1, nullptr, length), 1);
    EXPECT_EQ(writeRecord(file, -2, buffer.data(), length), 1);
    EXPECT_EQ(flushFile(nullptr), 1);
    closeFile(&file, recordKind);
    EXPECT_EQ(readBytes(path), patterned(3 * length));
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

TEST_F(RecordFiles, AReadOnlyFileRefusesWritesSilently) {
    writeBytes(path, patterned(length));
    ASSERT_EQ(open("r"), 0);
    Record record = filled('w');
    EXPECT_EQ(writeRecord(file, 1, record.data(), length), 1);
    EXPECT_EQ(flushFile(file), 1);
    closeFile(&file, recordKind);
    EXPECT_EQ(readBytes(path), patterned(length));
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

TEST_F(RecordFiles, ASecondWriterIsRefusedAcrossProcessesWhileReadersAreNot) {
    writeBytes(path, patterned(length));
    ASSERT_EQ(open("r+"), 0);
    auto childOpens = [&](const char* mode) {
        pid_t child = fork();
        if (child == 0) {
            FileVariable theirs = nullptr;
            _exit(openFile(&theirs, recordKind, path.c_str(), mode));
        }
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(childOpens("r+"), 1);
    EXPECT_EQ(childOpens("a"), 1);
    EXPECT_EQ(childOpens("w"), 1);
    EXPECT_EQ(childOpens("r"), 0);
    EXPECT_EQ(readBytes(path), patterned(length)) << "the refused \"w\" emptied nothing";
    EXPECT_EQ(deleteFile(path.c_str()), 1) << "the file is open for writing";
    std::string other = dir.file("TranslationFileNEW.dat");
    writeBytes(other, "replacement");
    EXPECT_EQ(copyFile(other.c_str(), path.c_str(), 0), 1) << "nor may a copy replace it";

    FileVariable second = nullptr;
    EXPECT_EQ(openFile(&second, recordKind, path.c_str(), "r+"), 1) << "also within one process";
    closeFile(&file, recordKind);
    EXPECT_EQ(childOpens("r+"), 0);
    EXPECT_EQ(copyFile(other.c_str(), path.c_str(), 0), 0);
    EXPECT_EQ(readBytes(path), "replacement");
    EXPECT_EQ(deleteFile(path.c_str()), 0);
    EXPECT_EQ(deleteFile(path.c_str()), 1);
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
