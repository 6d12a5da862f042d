// Rebuilds that the medium refuses part of: the old dictionary must stay whole and the
// user must be told. Only a test build can make these operations fail on purpose.
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
        EditorTest::TearDown();
    }

    // Entries 2..6, one of them with a mode the pass "make 1 = 0 if > 10" changes, so a
    // replaced dictionary would differ from the old one.
    void writeSmallDictionary() {
        std::vector<TestEntry> entries;
        for (int32_t record = 2; record <= 6; ++record)
            entries.push_back(word("w" + std::to_string(record), 3));
        entries[2].mode = 44;
        entries_ = entries;
        writeDictionary(dictionaryBytes(6, entries));
    }

    // Runs the pass with the n-th counted file operation from its click on failing, and
    // returns what the user was told; the form then shows `reopened`, and the work file
    // holds `workFile` while the message is up.
    MessageBoxSeen passWithFailingOperation(int n, FormView& reopened, Bytes* workFile = nullptr) {
        MessageBoxSeen box;
        step([n] {
            kernel::failNthFileOperation(n, ERROR_DISK_FULL);
            clickControl(47);
        });
        step([&] {
            box = answerMessageBox("error...MAIN...");
            if (workFile)
                *workFile = readBytes(workFilePath());
        });
        step([&reopened] {
            reopened = formView();
            clickControl(29);
        });
        runEditorToEnd();
        return box;
    }

    std::vector<TestEntry> entries_;
};

// The pass deletes the work file start-up opened (operation 1), writes its five entries
// and the header (2 to 7), flushes (8) and renames the work file over the dictionary (9).
// A failure at any of them is FailingFileOperations' walk; here the rename's own.
constexpr int passReplace = 9;

TEST_F(RebuildFaults, AReplaceThatFailsKeepsTheOldDictionaryAndTheWorkFileAndSaysSo) {
    writeSmallDictionary();
    Bytes before = dictionary();
    FormView reopened;
    Bytes workFile;
    MessageBoxSeen box = passWithFailingOperation(passReplace, reopened, &workFile);
    EXPECT_EQ(box.text, "Can't replace TranslationFile.dat");
    EXPECT_FALSE(box.ownedByForm);
    EXPECT_EQ(dictionary(), before);
    EXPECT_EQ(reopened, shownAs(entries_.back(), 6));
    EXPECT_EQ(recordCount(workFile), 6u) << "the work file holds the pass's whole result";
    EXPECT_EQ(entryAt(workFile, 4).mode, 0);
}

// A dictionary linked to another file system is replaced through a copy beside it; a copy
// that the medium refuses half-way leaves the old dictionary whole and the work file as
// the pass left it, and no part of the copy behind.
TEST_F(RebuildFaults, ACopyToAnotherFileSystemThatFailsHalfWayKeepsTheOldDictionary) {
    constexpr int32_t count = 41;  // entries enough for the copy to write in several blocks
    std::vector<TestEntry> entries;
    for (int32_t record = 2; record <= count; ++record)
        entries.push_back(word("w" + std::to_string(record), 3));
    entries[0].mode = 44;
    testfs::TempDirectory elsewhere("/dev/shm");  // another file system than the folder's
    std::string target = elsewhere.file("dictionary.dat");
    writeBytes(target, dictionaryBytes(count, entries));
    std::filesystem::create_symlink(target, dictionaryPath());
    Bytes before = dictionary();
    // The work file's deletion, its records, the flush, the rename that the other file
    // system refuses, then the copy and its first block: its second block fails.
    const int secondBlock = 1 + count + 1 + 1 + 2 + 1;
    FormView reopened;
    Bytes workFile;
    MessageBoxSeen box = passWithFailingOperation(secondBlock, reopened, &workFile);
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
    writeSmallDictionary();
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
    kernel::observeFileOperations(nullptr);
    EXPECT_TRUE(takenAfter.empty()) << "taken after operation " << ::testing::PrintToString(takenAfter);
    EXPECT_EQ(entryAt(dictionary(), 4).mode, 0);
}

}  // namespace
}  // namespace editor
