// The form's commands (Up, Down, Goto, Find and Add): where each leaves the form, what the
// store that each begins with makes of the form's texts, and what happens when the file
// refuses a write.
#include "app/editor_form.h"
#include "editor_session.h"
#include "file_size_limit.h"

#include <filesystem>

namespace editor {
namespace {

class Browsing : public EditorTest {
protected:
    // Entries 2..10, "cat" in 3 and 7 and "cat dog" in 5; entry 6 has the word class 1,
    // which only Up shows as it is.
    void SetUp() override {
        EditorTest::SetUp();
        const char* keys[] = {"w2", "cat", "w4", "cat dog", "w6", "cat", "w8", "w9", "w10"};
        for (int32_t record = 2; record <= 10; ++record)
            entries_.push_back(word(keys[record - 2], record == 6 ? 1 : 3));
        writeDictionary(dictionaryBytes(10, entries_));
        before_ = dictionary();
    }
    const TestEntry& entry(int32_t record) const { return entries_.at(record - 2); }
    FormView shown(int32_t record, bool class1As0 = true) const {
        TestEntry e = entry(record);
        if (class1As0 && e.wordClass == 1) e.wordClass = 0;
        return shownAs(e, record);
    }

    std::vector<TestEntry> entries_;
    Bytes before_;
};

// Where a number typed into the entry-number box (none: the box as it is) and a button
// take the form.
struct Move {
    const char* name;
    const char* boxText;
    int button;
    int32_t record;
    bool class1As0;
};

class BrowsingMoves : public Browsing, public ::testing::WithParamInterface<Move> {};

TEST_P(BrowsingMoves, ShowTheEntryAndWriteNothing) {
    const Move& move = GetParam();
    step([&] {
        if (move.boxText) typeInto(entryNumberBox, move.boxText);
        clickControl(move.button);
    });
    step([&] {
        EXPECT_EQ(formView(), shown(move.record, move.class1As0));
        clickControl(cancelButton);
    });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), before_);
}

INSTANTIATE_TEST_SUITE_P(Moves, BrowsingMoves,
                         ::testing::Values(Move{"UpOnTheLastEntryStaysThere", nullptr, upButton, 10, false},
                                           Move{"UpFromTheBoxNumberShowsTheNextEntryWithClass1AsItIs", "5", upButton, 6,
                                                false},
                                           Move{"DownShowsTheEntryBelowWithClass1As0", "7", downButton, 6, true},
                                           Move{"DownNotBelowTwo", "2", downButton, 2, false},
                                           Move{"GotoShowsTheEntryWithClass1As0", "6", gotoButton, 6, true},
                                           Move{"GotoTheHeaderShowsTheLast", "1", gotoButton, 10, false},
                                           Move{"GotoPastTheEndShowsTheLast", "99", gotoButton, 10, false}),
                         [](const ::testing::TestParamInfo<Move>& move) { return std::string(move.param.name); });

// Every command first stores the entry it leaves, there and nowhere else; entry 6, its
// class 1 shown as 0 after Goto, is stored with the class shown.
TEST_F(Browsing, EveryCommandStoresTheEntryItLeaves) {
    TestEntry edited = entry(6);
    edited.wordClass = 0;
    edited.texts[nameReply] = "name reply";
    for (int button : {upButton, downButton, gotoButton, findButton, addButton}) {
        SCOPED_TRACE(button);
        writeDictionary(before_);
        step([] {
            typeInto(entryNumberBox, "6");
            clickControl(gotoButton);
        });
        step([button] {
            typeInto(entryField(10), "name reply");
            typeInto(entryNumberBox, "4");
            typeInto(findBox, "cat");
            clickControl(button);
        });
        step([] { clickControl(cancelButton); });
        runEditorToEnd();
        for (int32_t record = 2; record <= 10; ++record)
            EXPECT_EQ(entryAt(dictionary(), record), record == 6 ? edited : entry(record)) << "record " << record;
    }
}

// Up with 0 in the box goes to the header, shown like an entry, and Down with a number far
// past the entries to the number below it; what is typed there is never written, over
// the header or far beyond the entries.
TEST_F(Browsing, PositionsOutsideTheEntriesAreNeverWritten) {
    struct Case {
        const char* boxText;
        int button;
        const char* numberShown;
    };
    for (const Case& c : {Case{"0", upButton, " 1"}, Case{"500", downButton, " 499"}}) {
        SCOPED_TRACE(c.boxText);
        step([&] {
            typeInto(entryNumberBox, c.boxText);
            clickControl(c.button);
        });
        step([&] {
            EXPECT_EQ(controlText(entryNumberBox), c.numberShown);
            typeInto(entryField(1), "77");
            typeInto(entryField(8), "stray");
            clickControl(okButton);
        });
        runEditorToEnd();
        EXPECT_EQ(dictionary(), before_);
    }
}

TEST_F(Browsing, AddAppendsTheTemplateWithTheFindText) {
    step([] {
        typeInto(findBox, "zebra");
        clickControl(addButton);
    });
    step([&] {
        EXPECT_EQ(controlText(entryNumberBox), " 11");
        clickControl(cancelButton);
    });
    runEditorToEnd();
    Bytes after = dictionary();
    EXPECT_EQ(int32At(after, 0), 11);
    EXPECT_EQ(after.substr(4, recordSize - 4), before_.substr(4, recordSize - 4)) << "the rest of the header is kept";
    TestEntry added;
    added.mode = 1;
    added.wordClass = 1;
    added.texts[replyRef] = "na";
    added.texts[keyWords] = "zebra";
    EXPECT_EQ(entryAt(after, 11), added);
}

// What Find shows for a word sought: whole key words, case counted, the last match wins;
// after a miss the form shows the last entry when a stop box over it says so.
struct Sought {
    const char* name;
    const char* words;
    int32_t record;
    bool notFound;
};

class Finding : public Browsing, public ::testing::WithParamInterface<Sought> {};

TEST_P(Finding, ShowsTheLastWholeMatchOrSaysNotFound) {
    const Sought& sought = GetParam();
    step([&] {
        typeInto(findBox, sought.words);
        clickControl(findButton);
    });
    step([&] {
        EXPECT_EQ(formView(), shown(sought.record));
        bool boxShown = messageBoxShown("Not Found");
        EXPECT_EQ(boxShown, sought.notFound);
        if (boxShown) {
            MessageBoxSeen box = answerMessageBox("Not Found");
            EXPECT_EQ(box.text, "Not Found, click Add To Put into TF");
            EXPECT_TRUE(box.ownedByForm);
            EXPECT_TRUE(box.stopIcon);
        }
    });
    step([] { clickControl(cancelButton); });
    runEditorToEnd();
}

INSTANTIATE_TEST_SUITE_P(Words, Finding,
                         ::testing::Values(Sought{"TheLastOfSeveralMatches", "cat", 7, false},
                                           Sought{"ADifferentCaseFindsNothing", "Cat", 10, true},
                                           Sought{"OnlyTheWholeKeyWordsMatch", "cat dog", 5, false}),
                         [](const ::testing::TestParamInfo<Sought>& sought) { return std::string(sought.param.name); });

// Each text put into the field (by `enter`) and stored by Goto to the entry on show, which
// shows the stored record again; what the field then shows against what each case expects.
class Store : public EditorTest {
protected:
    void expectStoredAs(int field, const std::vector<std::pair<std::string, std::string>>& cases,
                        void (*enter)(int, const std::string&)) {
        for (const auto& typedAndStored : cases) {
            const std::string& typed = typedAndStored.first;
            const std::string& stored = typedAndStored.second;
            step([=] {
                enter(field, typed);
                clickControl(gotoButton);
            });
            step([=] { EXPECT_EQ(controlText(field), stored) << "typed '" << typed << "'"; });
        }
        step([] { clickControl(cancelButton); });
        runEditorToEnd();
    }

    // Types into the reply text and presses `button`: the box over the form says why the
    // entry can't be stored, and the form keeps the text.
    void storeRefused(int button, const std::string& why) {
        step([button] {
            typeInto(entryField(8), "typed");
            clickControl(button);
        });
        step([why] {
            MessageBoxSeen box = answerMessageBox("error...MAIN...");
            EXPECT_EQ(box.text, why);
            EXPECT_TRUE(box.ownedByForm);
        });
        step([] {
            EXPECT_NE(formWindow(), nullptr);
            EXPECT_EQ(controlText(entryField(8)), "typed");
        });
    }
};

// Numbers are rounded to the nearest, halves to even; in the description only the first
// of each separator becomes a blank.
TEST_F(Store, NumbersAreRoundedAndOnlyTheFirstOfEachSeparatorInTheDescriptionBecomesABlank) {
    writeNumberedDictionary(3);
    expectStoredAs(8,
                   {{"7", " 7"},
                    {" 12", " 12"},
                    {"1.5", " 2"},
                    {"0.5", " 0"},
                    {"2.5", " 2"},
                    {"3.5", " 4"},
                    {"-3", " -3"},
                    {"-2.5", " -2"},
                    {"x", " 0"},
                    {"", " 0"}},
                   pasteInto);
    EXPECT_EQ(entryAt(dictionary(), 3).replyKind, 0) << "the last case, an empty field, is stored as 0";
    expectStoredAs(17,
                   {{"no separators here", "no separators here"},
                    {"a.b.c", "a b.c"},
                    {"(word)", " word "},
                    {"word. (second).", "word   second ."},
                    {"x;y,z[1]", "x y z 1 "},
                    {"a;;b,,c", "a ;b ,c"}},
                   typeInto);
    EXPECT_EQ(entryAt(dictionary(), 3).texts[description], "a ;b ,c");
}

// Separators elsewhere are kept; only the description is cleaned.
TEST_F(Store, OtherTextsAreStoredExactlyAsTyped) {
    writeNumberedDictionary(3);
    step([] {
        typeInto(entryField(5), " a.b (c) ");
        typeInto(entryField(9), "RUN.exe;");
        clickControl(okButton);
    });
    runEditorToEnd();
    TestEntry stored = entryAt(dictionary(), 3);
    EXPECT_EQ(stored.texts[replyRef], " a.b (c) ");
    EXPECT_EQ(stored.texts[fileCommand], "RUN.exe;");
}

// A text longer than a slot is cut to the 254 characters the slot holds; the fields
// after it keep their own texts.
TEST_F(Store, ATextLongerThanItsSlotIsCutAndTheRecordStaysIntact) {
    std::vector<TestEntry> entries = writeNumberedDictionary(3);
    step([] {
        typeInto(entryField(6), std::string(300, 'k'));
        typeInto(entryField(12), std::string(254, 'd'));
        clickControl(gotoButton);  // Goto to the entry on show stores it
    });
    step([] { clickControl(cancelButton); });
    runEditorToEnd();
    TestEntry expected = entries.back();
    expected.texts[keyWords] = std::string(254, 'k');
    expected.texts[description] = std::string(254, 'd');
    EXPECT_EQ(entryAt(dictionary(), 3), expected);
    EXPECT_EQ(dictionary().size(), 3 * recordSize);
}

// Writes the file refuses. A full disk takes only part of the record an Add appends: the
// Add is undone, the file is what it was, the form is back on the entry Add came from,
// and moving on still works; here Up to the position after the last entry, which shows
// the Next-entry sentinel. A store there that the file refuses is reported; the command
// ends there and the form keeps the edit, so a second try, once the file takes writes
// again, stores it there only: the count stays.
TEST_F(Store, ARefusedWriteIsReportedAndTheFormKeepsTheEdit) {
    std::vector<TestEntry> entries = writeNumberedDictionary(10);
    Bytes before = dictionary();
    FileSizeLimit limit;
    limit.set(10 * recordSize + 440);
    step([] {
        typeInto(findBox, "new word");
        clickControl(addButton);
    });
    step([] { EXPECT_EQ(answerMessageBox("error...MAIN...").text, "Can't write TranslationFile.dat"); });
    step([&] {
        EXPECT_EQ(formView(), shownAs(entries.back(), 10));
        EXPECT_EQ(dictionary(), before);
        typeInto(entryNumberBox, "11");
        clickControl(upButton);
    });
    step([] {
        EXPECT_FALSE(messageBoxShown("error...MAIN..."));
        EXPECT_EQ(controlText(entryNumberBox), " 11");
    });
    storeRefused(okButton, "Can't write TranslationFile.dat");
    step([&] {
        limit.lift();
        clickControl(okButton);
    });
    runEditorToEnd();
    Bytes after = dictionary();
    EXPECT_EQ(after.substr(0, before.size()), before) << "the count and the entries stay";
    TestEntry stored;
    stored.mode = 1;
    stored.replyKind = 1;
    stored.texts[replyRef] = "na";
    stored.texts[keyWords] = "Next entry";
    stored.texts[replyText] = "typed";
    EXPECT_EQ(entryAt(after, 11), stored);
}

// A header promising more entries than the file holds: the position past the file's end
// is not written (that would make up the records before it); the user is told once, and
// the next command goes on without storing the texts.
TEST_F(Store, APositionPastTheFileEndIsRefusedOnceAndNothingIsMadeUp) {
    writeDictionary(dictionaryBytes(40, numberedEntries(13)));
    Bytes before = dictionary();
    storeRefused(downButton, "TranslationFile.dat ends before this entry, it can't be stored");
    step([] {
        EXPECT_EQ(controlText(entryNumberBox), " 40");
        clickControl(downButton);
    });
    step([] {
        EXPECT_EQ(controlText(entryNumberBox), " 39");
        clickControl(cancelButton);
    });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), before);
}

// At the last record a record file can address, the position after it takes nothing: Up
// and Add say the dictionary is full. The file is sparse, so its 2 GB cost no disk space.
TEST_F(Store, BeyondTheLastAddressableRecordTheUserIsToldTheDictionaryIsFull) {
    constexpr int32_t lastAddressable = 1044496;
    const uintmax_t length = uintmax_t(lastAddressable) * recordSize;
    writeDictionary(headerBytes(lastAddressable));
    std::filesystem::resize_file(dictionaryPath(), length);
    step([] {
        typeInto(entryNumberBox, "1044497");
        clickControl(upButton);
    });  // the Next-entry sentinel
    storeRefused(upButton, "TranslationFile.dat is full, this entry can't be stored");
    storeRefused(addButton, "TranslationFile.dat is full, this entry can't be stored");
    step([] { clickControl(cancelButton); });
    runEditorToEnd();
    EXPECT_EQ(std::filesystem::file_size(dictionaryPath()), length);
    EXPECT_EQ(int32At(dictionary(), 0), lastAddressable);
}

}  // namespace
}  // namespace editor
