// Rebuilds of a linked dictionary that the medium refuses part of, and rebuilds watched by
// another program. A refusal of any other single operation is the failing-operations walk.
#include "editor_session.h"

#include "kernel/fault_injection.h"
#include "lock_attempt.h"
#include "temp_directory.h"

#include <filesystem>

namespace editor {
namespace {

class RebuildFaults : public EditorTest {
protected:
    void TearDown() override {
        kernel::clearFileFaults();
        kernel::observeFileOperations(nullptr);
        EditorTest::TearDown();
    }

    // Entries 2..count, the first with a mode the pass "make 1 = 0 if > 10" changes, so a
    // replaced dictionary differs from the old one.
    Bytes dictionaryForPass47(int32_t count) {
        std::vector<TestEntry> entries;
        for (int32_t record = 2; record <= count; ++record)
            entries.push_back(word("w" + std::to_string(record), 3));
        entries[0].mode = 44;
        return dictionaryBytes(count, entries);
    }
};

// A dictionary linked to another file system is replaced through a copy beside it; a copy
// that the medium refuses half-way leaves the old dictionary whole and the work file as
// the pass left it, and no part of the copy behind.
TEST_F(RebuildFaults, ACopyToAnotherFileSystemThatFailsHalfWayKeepsTheOldDictionary) {
    constexpr int32_t count = 41;  // entries enough for the copy to write in several blocks
    testfs::TempDirectory elsewhere("/dev/shm");  // another file system than the folder's
    std::string target = elsewhere.file("dictionary.dat");
    writeBytes(target, dictionaryForPass47(count));
    std::filesystem::create_symlink(target, dictionaryPath());
    Bytes before = dictionary();
    // The work file's deletion, its records, the flush, the rename that the other file
    // system refuses, then the copy and its first block: its second block fails.
    constexpr int secondBlock = 1 + count + 1 + 1 + 2 + 1;
    MessageBoxSeen box;
    Bytes workFile;
    step([] {
        kernel::failNthFileOperation(secondBlock, ERROR_DISK_FULL);
        clickControl(47);
    });
    step([&] {
        box = answerMessageBox("error...MAIN...");
        workFile = readBytes(workFilePath());
    });
    step([] { clickControl(29); });
    runEditorToEnd();
    EXPECT_EQ(box.text, "Can't replace TranslationFile.dat");
    EXPECT_EQ(readBytes(target), before);
    EXPECT_TRUE(std::filesystem::is_symlink(dictionaryPath()));
    EXPECT_EQ(recordCount(workFile), size_t(count));
    EXPECT_EQ(entryAt(workFile, 2).mode, 0);
    EXPECT_FALSE(fileExists(target + ".rebuild~"));
}

// Another program that tries to take the dictionary for writing between any two file
// operations of a pass and its rebuild never gets it, as the tool on this dictionary
// would try: an OFD write lock on the whole file and flock.
TEST_F(RebuildFaults, TheDictionaryStaysLockedAcrossTheWholeRebuild) {
    writeDictionary(dictionaryForPass47(6));
    static std::string lockedPath;
    static std::vector<int> takenAfter;
    lockedPath = dictionaryPath();
    takenAfter.clear();
    kernel::observeFileOperations([](int n) {
        testfs::LockAttempt other = testfs::tryLockingForWriting(lockedPath);
        if (other.ofdLockTaken || other.flockTaken)
            takenAfter.push_back(n);
    });
    step([] { clickControl(47); });
    step([] {
        kernel::observeFileOperations(nullptr);
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_TRUE(takenAfter.empty()) << "taken after operation " << ::testing::PrintToString(takenAfter);
    EXPECT_EQ(entryAt(dictionary(), 2).mode, 0);
}

}  // namespace
}  // namespace editor
