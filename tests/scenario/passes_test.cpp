// The six clean-up passes, the rebuild that follows each, and passes from a rebuilt form.
#include "app/editor_form.h"
#include "editor_session.h"
#include "file_size_limit.h"
#include "lock_attempt.h"
#include "temp_directory.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>

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
                if (change) change(e);
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
        size_t last = expected.size() * recordSize;
        EXPECT_TRUE(std::equal(after.begin() + 4, after.begin() + recordSize, after.begin() + last + 4))
            << "header bytes 4.. are those of the last entry";
    }

    // Clicks the pass button and answers the message boxes it shows with `boxes`; the form
    // shown again is on the new last entry with the work file there and empty. OK ends the
    // program, which leaves the dictionary of `expected` and no work file.
    void passGives(int button, const std::vector<TestEntry>& expected,
                   const std::vector<std::function<void()>>& boxes = {}) {
        step([button] { clickControl(button); });
        for (const std::function<void()>& box : boxes) step(box);
        step([this, expected] {
            EXPECT_EQ(formView(), shownAs(expected.back(), static_cast<int32_t>(expected.size()) + 1));
            EXPECT_TRUE(fileExists(workFilePath()) && readBytes(workFilePath()).empty());
            clickControl(okButton);
        });
        runEditorToEnd();
        expectDictionaryOf(expected);
        EXPECT_FALSE(fileExists(workFilePath()));
    }

    std::vector<TestEntry> entries_;
};

// The class number comes from the box beside the button; a negative one counts as 0.
TEST_F(Passes, DeleteWordClassDropsTheClassFromRecord200On) {
    for (const auto& typedAndClass : {std::pair<const char*, int32_t>{"5", 5}, {"-5", 0}}) {
        const char* typed = typedAndClass.first;
        const int32_t classNumber = typedAndClass.second;
        SCOPED_TRACE(typed);
        writeEntries(205, [](int32_t record, TestEntry& e) {
            if (record == 150 || record == 199 || record == 200 || record == 204) e.wordClass = 0;
            if (record == 152 || record == 202) e.wordClass = 5;
        });
        step([typed] { typeInto(classNumberBox, typed); });
        passGives(deleteWordClassButton,
                  survivors([&](int32_t r) { return r >= 200 && entry(r).wordClass == classNumber; }));
    }
}

TEST_F(Passes, Class999IsAnnouncedAndEmptiesEveryKeptTranslation) {
    writeEntries(203, [](int32_t record, TestEntry& e) {
        if (record == 150 || record == 201) e.wordClass = 999;
    });
    step([] { typeInto(classNumberBox, "999"); });
    passGives(deleteWordClassButton,
              survivors([](int32_t r) { return r == 201; }, [](TestEntry& e) { e.texts[translation].clear(); }), {[] {
                  EXPECT_NE(formWindow(), nullptr) << "the form stays behind the box";
                  MessageBoxSeen box = answerMessageBox("message...");
                  EXPECT_EQ(box.text, "Removing contents of f7");
                  EXPECT_FALSE(box.ownedByForm);
              }});
}

TEST_F(Passes, DeleteClass32KeepsRecordsBelow40) {
    writeEntries(42, [](int32_t record, TestEntry& e) {
        if (record == 2 || record == 39 || record == 40 || record == 42) e.wordClass = 32;
        if (record == 41) e.wordClass = 33;
    });
    passGives(deleteClass32Button, survivors([](int32_t r) { return r == 40 || r == 42; }));
}

// Only key words that are exactly "unused" go. A description that fills its slot without
// a terminator is announced twice and replaced.
TEST_F(Passes, DeleteUnusedDropsOnlyTheExactWordAndReplacesAnOverlongDescription) {
    writeEntries(6, [](int32_t record, TestEntry& e) {
        const char* keys[] = {"", "", "unused", "Unused", "unused ", "unused", "not unused"};
        e.texts[keyWords] = keys[record];
    });
    Bytes bytes = dictionary();
    std::memset(&bytes[2 * recordSize + 1801], 'o', 255);  // record 3's description
    writeDictionary(bytes);
    std::vector<TestEntry> expected = survivors([](int32_t r) { return r == 2 || r == 5; });
    expected[0].texts[description] = "this entry caused a varable overload";
    passGives(deleteUnusedButton, expected,
              {[] {
                   MessageBoxSeen box = answerMessageBox("unused...");
                   EXPECT_EQ(box.text, "var overload");
                   EXPECT_FALSE(box.ownedByForm);
               },
               [] { EXPECT_EQ(answerMessageBox("unused...").text, "this entry caused a varable overload"); }});
}

TEST_F(Passes, ExtractWordsKeepsRecordsUpTo120AndWordsWithADescription) {
    const std::map<int32_t, int32_t> classes = {{2, 0},    {120, 60},  {121, 60},  {123, 1}, {124, 121},
                                                {125, 32}, {126, 122}, {127, 118}, {128, -1}};
    writeEntries(128, [&](int32_t record, TestEntry& e) {
        if (auto it = classes.find(record); it != classes.end()) e.wordClass = it->second;
        if (record == 120 || record == 122) e.texts[description].clear();
    });
    passGives(extractWordsButton, survivors([](int32_t r) { return (r >= 121 && r <= 125) || r == 127; }));
}

// Only what the dictionary really holds reaches the new one: not what an earlier run left
// in the work file, nor the records a header promises past the file's end, nor a record
// cut short.
TEST_F(Passes, ResetHighModesZeroesModesAbove10AndCopiesOnlyWholeRecords) {
    const int32_t modes[] = {11, 10, 0, -3, 12, 2147483647};
    writeEntries(7, [&](int32_t record, TestEntry& e) { e.mode = modes[record - 2]; });
    writeDictionary(withCount(dictionary() + recordBytes(word("cut short")).substr(0, 700), 20));
    writeBytes(workFilePath(), dictionaryBytes(31, std::vector<TestEntry>(30, word("leftover"))));
    passGives(resetHighModesButton, survivors([](int32_t) { return false; },
                                              [](TestEntry& e) {
                                                  if (e.mode > 10) e.mode = 0;
                                              }));
}

// Entries from record 40 on whose key words or file command hold ".lnk" go, here from the
// form that a class-32 pass rebuilt: passes nest, each rebuilt form running inside the
// pass of the one before, and one OK on the innermost form ends them all and the program.
// An edit not yet stored is no part of a pass; one stored between the passes is.
TEST_F(Passes, DeleteLinksFromARebuiltFormAndOneOkEndsEverything) {
    writeEntries(51, [](int32_t record, TestEntry& e) {
        if (record == 10 || record == 39 || record == 40) e.texts[keyWords] = "start" + std::to_string(record) + ".lnk";
        if (record == 45) e.texts[fileCommand] = "x.lnk here";
        if (record == 46) e.texts[keyWords] = "x.LNK";
        if (record == 48) e.mode = 40;
        if (record == 50) e.wordClass = 32;
    });
    std::vector<TestEntry> expected = survivors([](int32_t r) { return r == 40 || r == 45 || r == 50; });
    expected.back().texts[replyText] = "edited between passes";
    step([] {
        typeInto(entryField(11), "never stored");
        clickControl(deleteClass32Button);
    });
    step([] {
        EXPECT_EQ(controlText(entryNumberBox), " 50");
        typeInto(entryField(8), "edited between passes");
        clickControl(upButton);  // Up on the last entry stores the edit
    });
    passGives(deleteLinksButton, expected);
}

// The work file cannot be written completely: the dictionary is not replaced, the user is
// told, and the form opens again on the old dictionary.
TEST_F(Passes, AWorkFileThatCouldNotBeWrittenNeverReplacesTheDictionary) {
    writeEntries(12, [](int32_t, TestEntry&) {});
    Bytes before = dictionary();
    FileSizeLimit limit;
    limit.set(before.size() - recordSize);
    step([] { clickControl(resetHighModesButton); });
    step([&] {
        limit.lift();
        EXPECT_EQ(answerMessageBox("error...MAIN...").text, "Can't replace TranslationFile.dat");
    });
    step([&] {
        EXPECT_EQ(formView(), shownAs(entries_.back(), 12));
        clickControl(cancelButton);
    });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), before);
}

// The dictionary is a link to a file elsewhere, on this file system and on another one
// (where the work file cannot simply be renamed): the link stays a link, its target gets
// the new entries and keeps its permissions, and no copy is left behind anywhere. A link
// at the work file's name, there at start (first round) or made while the editor runs
// (second), never leads the pass to write where it points.
TEST_F(Passes, ALinkedDictionaryKeepsItsLinkAndItsPermissions) {
    for (std::string base : {session.directory(), std::string("/dev/shm")}) {
        SCOPED_TRACE(base);
        testfs::TempDirectory elsewhereDirectory(base), outside;
        std::string target = elsewhereDirectory.file("dictionary.dat");
        std::string unrelated = outside.file("unrelated.txt");
        writeBytes(unrelated, "keep");
        writeEntries(6, [](int32_t record, TestEntry& e) { e.mode = record == 4 ? 12 : 1; });
        std::filesystem::copy_file(dictionaryPath(), target);
        std::filesystem::remove(dictionaryPath());
        std::filesystem::permissions(target, std::filesystem::perms(0640));
        std::filesystem::create_symlink(target, dictionaryPath());
        auto linkWorkFile = [&] {
            std::filesystem::remove(workFilePath());
            std::filesystem::create_symlink(unrelated, workFilePath());
        };
        if (base == session.directory()) {
            linkWorkFile();
            step([&] {  // the editor is up on its files: a planted link led it nowhere
                EXPECT_TRUE(testfs::tryLockingForWriting(unrelated).ofdLockTaken)
                    << "the work file's link was followed";
            });
        } else
            step(linkWorkFile);
        auto others = [&] {  // what else the two directories hold
            size_t count = 0;
            for (const std::string& directory : {session.directory(), elsewhereDirectory.path()})
                for (auto& item : std::filesystem::directory_iterator(directory))
                    count += item.path() != target && item.path() != dictionaryPath() &&
                             item.path() != workFilePath() && item.path() != elsewhereDirectory.path();
            return count;
        };
        size_t othersBefore = others();
        passGives(resetHighModesButton,
                  survivors([](int32_t) { return false; }, [](TestEntry& e) { e.mode = e.mode > 10 ? 0 : e.mode; }));
        EXPECT_TRUE(std::filesystem::is_symlink(dictionaryPath()));
        EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
        EXPECT_EQ(others(), othersBefore);
        EXPECT_EQ(readBytes(unrelated), "keep");
        std::filesystem::remove(dictionaryPath());
    }
}

}  // namespace
}  // namespace editor
