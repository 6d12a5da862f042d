// The six clean-up passes, the rebuild that follows each, and passes from a rebuilt form.
#include "editor_session.h"
#include "file_size_limit.h"
#include "temp_directory.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

namespace editor {
namespace {

class Passes : public EditorTest {
protected:
    // Entries for records 2..count: word("w<record>", class 3) unless changed by `adjust`.
    void writeEntries(int32_t count, const std::function<void(int32_t, TestEntry&)>& adjust) {
        entries_.clear();
        for (int32_t record = 2; record <= count; ++record) {
            TestEntry entry = word("w" + std::to_string(record), 3);
            adjust(record, entry);
            entries_.push_back(entry);
        }
        writeDictionary(dictionaryBytes(count, entries_));
    }
    const TestEntry& entry(int32_t record) const { return entries_.at(record - 2); }

    // The old entries that survive, in order, each changed by `change`.
    std::vector<TestEntry> survivors(const std::function<bool(int32_t)>& dropped,
                                     const std::function<void(TestEntry&)>& change = {}) const {
        std::vector<TestEntry> kept;
        for (int32_t record = 2; record < static_cast<int32_t>(entries_.size()) + 2; ++record)
            if (!dropped(record)) {
                TestEntry e = entry(record);
                if (change)
                    change(e);
                kept.push_back(e);
            }
        return kept;
    }

    // The dictionary holds exactly these entries behind a header with their count, and
    // the header's other bytes are those of the last entry, as the pass wrote them.
    void expectDictionaryOf(const std::vector<TestEntry>& expected) {
        Bytes after = dictionary();
        ASSERT_EQ(recordCount(after), expected.size() + 1);
        EXPECT_EQ(after.size() % recordSize, 0u);
        EXPECT_EQ(int32At(after, 0), static_cast<int32_t>(expected.size()) + 1);
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(entryAt(after, static_cast<int32_t>(i) + 2), expected[i]) << "record " << i + 2;
        if (!expected.empty()) {
            size_t last = expected.size() * recordSize;
            EXPECT_TRUE(std::equal(after.begin() + 4, after.begin() + recordSize, after.begin() + last + 4))
                << "header bytes 4.. are those of the last entry";
        }
    }

    // Clicks the pass button, then on the form shown again records what it shows.
    void runPassAndLook(int button) {
        step([button] { clickControl(button); });
        step([this] {
            reopened_ = formView();
            workFileAfterRebuild_ = fileExists(workFilePath()) ? static_cast<long>(readBytes(workFilePath()).size()) : -1;
        });
    }
    void okToEnd() {
        step([] { clickControl(28); });
    }

    std::vector<TestEntry> entries_;
    FormView reopened_;
    long workFileAfterRebuild_ = -2;
};

TEST_F(Passes, DeleteLinksKeepsTheProtectedRangeAndTheFormReopensOnTheResult) {
    writeEntries(51, [](int32_t record, TestEntry& e) {
        if (record == 10 || record == 39 || record == 40)
            e.texts[keyWords] = "start" + std::to_string(record) + ".lnk";
        if (record == 45)
            e.texts[fileCommand] = "x.lnk here";
        if (record == 46)
            e.texts[keyWords] = "x.LNK";
    });
    runPassAndLook(42);
    okToEnd();
    runEditorToEnd();
    std::vector<TestEntry> expected = survivors([](int32_t r) { return r == 40 || r == 45; });
    expectDictionaryOf(expected);
    EXPECT_EQ(reopened_, shownAs(expected.back(), 49));
    EXPECT_EQ(workFileAfterRebuild_, 0) << "the work file is there and empty after the rebuild";
    EXPECT_FALSE(fileExists(workFilePath()));
}

// Unstored edits are not part of a pass.
TEST_F(Passes, APassIgnoresEditsNotYetStored) {
    writeEntries(5, [](int32_t, TestEntry&) {});
    step([] { typeInto(13, "never stored"); });
    runPassAndLook(44);
    step([] { clickControl(29); });
    runEditorToEnd();
    expectDictionaryOf(entries_);
}

struct ClassCase {
    const char* typed;
    int32_t classNumber;
};

void PrintTo(const ClassCase& classCase, std::ostream* out) { *out << '"' << classCase.typed << '"'; }

class DeleteWordClass : public Passes, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(DeleteWordClass, DropsTheClassFromRecord200On) {
    writeEntries(205, [](int32_t record, TestEntry& e) {
        if (record == 150 || record == 199 || record == 200 || record == 204)
            e.wordClass = 0;
        if (record == 151 || record == 201)
            e.wordClass = 2;
        if (record == 152 || record == 202)
            e.wordClass = 5;
    });
    step([] { typeInto(48, GetParam().typed); });
    runPassAndLook(43);
    okToEnd();
    runEditorToEnd();
    int32_t classNumber = GetParam().classNumber;
    expectDictionaryOf(survivors([&](int32_t r) { return r >= 200 && entry(r).wordClass == classNumber; }));
}

INSTANTIATE_TEST_SUITE_P(ClassNumbers, DeleteWordClass,
                         ::testing::Values(ClassCase{"5", 5}, ClassCase{"2.5", 2}, ClassCase{"-5", 0},
                                           ClassCase{"", 0}, ClassCase{"none", 0}));

TEST_F(Passes, Class999IsAnnouncedAndEmptiesEveryKeptTranslation) {
    writeEntries(203, [](int32_t record, TestEntry& e) {
        if (record == 150 || record == 201)
            e.wordClass = 999;
    });
    MessageBoxSeen box;
    bool formOpenDuringBox = false;
    step([] { typeInto(48, "999"); });
    step([] { clickControl(43); });
    step([&] {
        formOpenDuringBox = formWindow() != nullptr;
        box = answerMessageBox("message...");
    });
    step([] { clickControl(28); });
    runEditorToEnd();
    EXPECT_EQ(box.text, "Removing contents of f7");
    EXPECT_FALSE(box.ownedByForm);
    EXPECT_TRUE(formOpenDuringBox);
    expectDictionaryOf(survivors([](int32_t r) { return r == 201; },
                                 [](TestEntry& e) { e.texts[translation].clear(); }));
}

TEST_F(Passes, DeleteClass32KeepsRecordsBelow40) {
    writeEntries(42, [](int32_t record, TestEntry& e) {
        if (record == 2 || record == 39 || record == 40 || record == 42)
            e.wordClass = 32;
        if (record == 41)
            e.wordClass = 33;
    });
    runPassAndLook(44);
    okToEnd();
    runEditorToEnd();
    expectDictionaryOf(survivors([](int32_t r) { return r == 40 || r == 42; }));
}

TEST_F(Passes, DeleteUnusedDropsOnlyTheExactWordAnywhere) {
    writeEntries(6, [](int32_t record, TestEntry& e) {
        const char* keys[] = {"", "", "unused", "Unused", "unused ", "unused", "not unused"};
        e.texts[keyWords] = keys[record];
    });
    runPassAndLook(45);
    okToEnd();
    runEditorToEnd();
    expectDictionaryOf(survivors([](int32_t r) { return r == 2 || r == 5; }));
}

// A description that fills its slot without a terminator is announced twice and replaced.
TEST_F(Passes, AnOverlongDescriptionIsReplacedAndAnnounced) {
    writeEntries(4, [](int32_t, TestEntry&) {});
    Bytes bytes = dictionary();
    std::memset(&bytes[2 * recordSize + 1801], 'o', 255);  // record 3's description
    writeDictionary(bytes);
    std::vector<MessageBoxSeen> boxes(2);
    step([] { clickControl(45); });
    step([&] { boxes[0] = answerMessageBox("unused..."); });
    step([&] { boxes[1] = answerMessageBox("unused..."); });
    okToEnd();
    runEditorToEnd();
    EXPECT_EQ(boxes[0].text, "var overload");
    EXPECT_EQ(boxes[1].text, "this entry caused a varable overload");
    EXPECT_FALSE(boxes[0].ownedByForm);
    std::vector<TestEntry> expected = entries_;
    expected[1].texts[description] = "this entry caused a varable overload";
    expectDictionaryOf(expected);
}

TEST_F(Passes, ExtractWordsKeepsRecordsUpTo120AndWordsWithADescription) {
    writeEntries(128, [](int32_t record, TestEntry& e) {
        switch (record) {
        case 2: e.wordClass = 0; break;
        case 120: e.wordClass = 60; e.texts[description].clear(); break;
        case 121: e.wordClass = 60; break;
        case 122: e.texts[description].clear(); break;
        case 123: e.wordClass = 1; break;
        case 124: e.wordClass = 121; break;
        case 125: e.wordClass = 32; break;
        case 126: e.wordClass = 122; break;
        case 127: e.wordClass = 118; break;
        case 128: e.wordClass = -1; break;
        }
    });
    runPassAndLook(46);
    okToEnd();
    runEditorToEnd();
    expectDictionaryOf(survivors([](int32_t r) { return (r >= 121 && r <= 125) || r == 127; }));
}

TEST_F(Passes, ResetHighModesZeroesModesAbove10Only) {
    const int32_t modes[] = {11, 10, 0, -3, 12, 2147483647};
    writeEntries(7, [&](int32_t record, TestEntry& e) { e.mode = modes[record - 2]; });
    runPassAndLook(47);
    okToEnd();
    runEditorToEnd();
    expectDictionaryOf(survivors([](int32_t) { return false; }, [](TestEntry& e) {
        if (e.mode > 10)
            e.mode = 0;
    }));
}

TEST_F(Passes, ADictionaryWithoutEntriesGivesAHeaderOnly) {
    writeDictionary(headerBytes(1));
    runPassAndLook(47);
    okToEnd();
    runEditorToEnd();
    Bytes after = dictionary();
    ASSERT_EQ(after.size(), recordSize);
    EXPECT_EQ(int32At(after, 0), 1);
}

// Passes nest: each rebuilt form runs inside the pass of the one before; one OK on the
// innermost form ends them all and the program.
TEST_F(Passes, TwoPassesInARowAndOneOkEndsEverything) {
    writeEntries(45, [](int32_t record, TestEntry& e) {
        if (record == 41)
            e.wordClass = 32;
        if (record == 43)
            e.texts[keyWords] = "link.lnk";
        if (record == 44)
            e.mode = 40;
    });
    FormView afterFirst;
    runPassAndLook(44);
    step([&] {
        afterFirst = reopened_;
        typeInto(13, "edited between passes");
    });
    step([] { clickControl(34); });  // Up on the last entry stores the edit
    runPassAndLook(42);
    okToEnd();
    runEditorToEnd();
    EXPECT_EQ(afterFirst.entryNumber, " 44");
    std::vector<TestEntry> expected = survivors([](int32_t r) { return r == 41 || r == 43; });
    expected.back().texts[replyText] = "edited between passes";
    expectDictionaryOf(expected);
    EXPECT_EQ(reopened_, shownAs(expected.back(), 43));
    EXPECT_FALSE(fileExists(workFilePath()));
}

// Whatever an earlier run left in the work file does not reach the new dictionary.
TEST_F(Passes, APassStartsFromAnEmptyWorkFile) {
    writeEntries(5, [](int32_t, TestEntry&) {});
    std::vector<TestEntry> leftovers(30, word("leftover"));
    writeBytes(workFilePath(), dictionaryBytes(31, leftovers));
    runPassAndLook(47);
    okToEnd();
    runEditorToEnd();
    expectDictionaryOf(entries_);
}

// A header that promises more entries than the file holds gives the entries there are,
// not copies of the last one.
TEST_F(Passes, OnlyRecordsTheDictionaryHoldsAreCopied) {
    writeEntries(6, [](int32_t, TestEntry&) {});
    Bytes bytes = dictionary();
    bytes[0] = 20;
    writeDictionary(bytes);
    runPassAndLook(47);
    okToEnd();
    runEditorToEnd();
    expectDictionaryOf(entries_);
}

// The work file cannot be written completely: the dictionary is not replaced, the user is
// told, and the form opens again on the old dictionary.
TEST_F(Passes, AWorkFileThatCouldNotBeWrittenNeverReplacesTheDictionary) {
    writeEntries(12, [](int32_t record, TestEntry& e) {
        if (record == 12)
            e.mode = 30;
    });
    Bytes before = dictionary();
    FileSizeLimit limit;
    MessageBoxSeen box;
    FormView reopened;
    step([&] {
        limit.set(before.size() - recordSize);
        clickControl(47);
    });
    step([&] {
        limit.lift();
        box = answerMessageBox("error...MAIN...");
    });
    step([&] {
        reopened = formView();
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(box.text, "Can't replace TranslationFile.dat");
    EXPECT_EQ(dictionary(), before);
    EXPECT_EQ(reopened, shownAs(entries_.back(), 12));
}

// The dictionary is a link to a file elsewhere, on this file system and on another one
// (where the work file cannot simply be renamed): the link stays a link, its target gets
// the new entries and keeps its permissions, and no copy is left behind anywhere.
TEST_F(Passes, ALinkedDictionaryKeepsItsLinkAndItsPermissions) {
    for (std::string base : {session.directory(), std::string("/dev/shm")}) {
        SCOPED_TRACE(base);
        testfs::TempDirectory elsewhereDirectory(base);
        const std::string& elsewhere = elsewhereDirectory.path();
        std::string target = elsewhereDirectory.file("dictionary.dat");
        writeEntries(6, [](int32_t record, TestEntry& e) { e.mode = record == 4 ? 12 : 1; });
        std::filesystem::copy_file(dictionaryPath(), target);
        std::filesystem::remove(dictionaryPath());
        std::filesystem::permissions(target, std::filesystem::perms(0640));
        std::filesystem::create_symlink(target, dictionaryPath());
        auto others = [&] {  // what else the two directories hold
            size_t count = 0;
            for (const std::string& directory : {session.directory(), elsewhere})
                for (auto& item : std::filesystem::directory_iterator(directory))
                    count += item.path() != target && item.path() != dictionaryPath() && item.path() != workFilePath() &&
                             item.path() != elsewhere;
            return count;
        };
        size_t othersBefore = others();
        runPassAndLook(47);
        okToEnd();
        runEditorToEnd();
        EXPECT_TRUE(std::filesystem::is_symlink(dictionaryPath()));
        expectDictionaryOf(survivors([](int32_t) { return false; }, [](TestEntry& e) { e.mode = e.mode > 10 ? 0 : e.mode; }));
        EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
        EXPECT_EQ(others(), othersBefore);
        std::filesystem::remove(dictionaryPath());
    }
}

// A link at the work file's name, made before the editor starts or while it runs, never
// leads a pass to write where it points.
TEST_F(Passes, AWorkFileThatIsALinkNeverWritesWhereItPoints) {
    for (bool whileRunning : {false, true}) {
        SCOPED_TRACE(whileRunning ? "link made while the editor runs" : "link there at start");
        testfs::TempDirectory outside;
        std::string unrelated = outside.file("unrelated.txt");
        writeBytes(unrelated, Bytes{'k', 'e', 'e', 'p'});
        writeEntries(5, [](int32_t, TestEntry&) {});
        auto plantLink = [&] {
            std::filesystem::remove(workFilePath());
            std::filesystem::create_symlink(unrelated, workFilePath());
        };
        if (!whileRunning)
            plantLink();
        step([&] {
            if (whileRunning)
                plantLink();
            clickControl(47);
        });
        step([] { clickControl(28); });
        runEditorToEnd();
        EXPECT_EQ(readBytes(unrelated), (Bytes{'k', 'e', 'e', 'p'}));
        expectDictionaryOf(entries_);
    }
}

}  // namespace
}  // namespace editor
