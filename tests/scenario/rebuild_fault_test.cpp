// Rebuilds that the medium refuses part of: the old dictionary must stay whole and the
// user must be told. Only a test build can make these operations fail on purpose.
#include "editor_session.h"

#include "kernel/fault_injection.h"

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
    // returns what the user was told; the form then shows `reopened`.
    MessageBoxSeen passWithFailingOperation(int n, FormView& reopened) {
        MessageBoxSeen box;
        step([n] {
            kernel::failNthFileOperation(n, ERROR_DISK_FULL);
            clickControl(47);
        });
        step([&box] { box = answerMessageBox("error...MAIN..."); });
        step([&reopened] {
            reopened = formView();
            clickControl(29);
        });
        runEditorToEnd();
        return box;
    }

    std::vector<TestEntry> entries_;
};

// The pass writes its five entries and the header (operations 1 to 6), flushes (7) and
// copies the work file over the dictionary (8).
constexpr int passWrites = 6;
constexpr int passFlush = passWrites + 1;
constexpr int passCopy = passFlush + 1;

TEST_F(RebuildFaults, ACopyThatFailsKeepsTheOldDictionaryAndSaysSo) {
    writeSmallDictionary();
    Bytes before = dictionary();
    FormView reopened;
    MessageBoxSeen box = passWithFailingOperation(passCopy, reopened);
    EXPECT_EQ(box.text, "Can't replace TranslationFile.dat");
    EXPECT_FALSE(box.ownedByForm);
    EXPECT_EQ(dictionary(), before);
    EXPECT_EQ(reopened, shownAs(entries_.back(), 6));
}

TEST_F(RebuildFaults, AFailedFlushOfTheWorkFileKeepsTheOldDictionary) {
    writeSmallDictionary();
    Bytes before = dictionary();
    FormView reopened;
    MessageBoxSeen box = passWithFailingOperation(passFlush, reopened);
    EXPECT_EQ(box.text, "Can't replace TranslationFile.dat");
    EXPECT_EQ(dictionary(), before);
}

TEST_F(RebuildFaults, AFailedWriteOfTheWorkFileHeaderKeepsTheOldDictionary) {
    writeSmallDictionary();
    Bytes before = dictionary();
    FormView reopened;
    MessageBoxSeen box = passWithFailingOperation(passWrites, reopened);
    EXPECT_EQ(box.text, "Can't replace TranslationFile.dat");
    EXPECT_EQ(dictionary(), before);
}

// The same fault injection proves the count above: without a fault the pass replaces
// the dictionary after exactly these operations.
TEST_F(RebuildFaults, APassWithoutFaultsMakesTheCountedOperations) {
    writeSmallDictionary();
    int counted = -1;
    step([] {
        kernel::clearFileFaults();
        clickControl(47);
    });
    step([&] {
        counted = kernel::countedFileOperations();
        clickControl(29);
    });
    runEditorToEnd();
    // Writes, flush, copy, and the deletion of the work file after it.
    EXPECT_EQ(counted, passCopy + 1);
    EXPECT_EQ(entryAt(dictionary(), 4).mode, 0);
}

TEST_F(RebuildFaults, AStoreRefusedByAFullDiskIsReportedAndNothingEnds) {
    writeSmallDictionary();
    Bytes before = dictionary();
    MessageBoxSeen box;
    std::string kept;
    step([] { typeInto(13, "unsaved"); });
    step([] {
        kernel::failNthFileOperation(1, ERROR_DISK_FULL);
        clickControl(28);
    });
    step([&] { box = answerMessageBox("error...MAIN..."); });
    step([&] {
        kept = controlText(13);
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(box.text, "Can't write TranslationFile.dat");
    EXPECT_TRUE(box.ownedByForm);
    EXPECT_EQ(kept, "unsaved");
    EXPECT_EQ(dictionary(), before);
}

}  // namespace
}  // namespace editor
