// Up, Down, Goto, Find and Add: where each leaves the form, and what each writes.
#include "editor_session.h"

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
        if (class1As0 && e.wordClass == 1)
            e.wordClass = 0;
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
        if (move.boxText)
            typeInto(32, move.boxText);
        clickControl(move.button);
    });
    step([&] {
        EXPECT_EQ(formView(), shown(move.record, move.class1As0));
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), before_);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BrowsingMoves,
    ::testing::Values(Move{"UpOnTheLastEntryStaysThere", nullptr, 34, 10, false},
                      Move{"UpFromTheBoxNumberShowsTheNextEntryWithClass1AsItIs", "5", 34, 6, false},
                      Move{"DownShowsTheEntryBelowWithClass1As0", "7", 35, 6, true},
                      Move{"DownNotBelowTwo", "2", 35, 2, false},
                      Move{"GotoShowsTheEntryWithClass1As0", "6", 37, 6, true},
                      Move{"GotoTheHeaderShowsTheLast", "1", 37, 10, false},
                      Move{"GotoPastTheEndShowsTheLast", "99", 37, 10, false}),
    [](const ::testing::TestParamInfo<Move>& move) { return std::string(move.param.name); });

// Every command first stores the entry it leaves, there and nowhere else; entry 6, its
// class 1 shown as 0 after Goto, is stored with the class shown.
TEST_F(Browsing, EveryCommandStoresTheEntryItLeaves) {
    TestEntry edited = entry(6);
    edited.wordClass = 0;
    edited.texts[nameReply] = "name reply";
    for (int button : {34, 35, 37, 40, 41}) {  // Up, Down, Goto, Find, Add
        SCOPED_TRACE(button);
        writeDictionary(before_);
        step([] { typeInto(32, "6"); clickControl(37); });
        step([button] {
            typeInto(15, "name reply");
            typeInto(32, "4");
            typeInto(39, "cat");
            clickControl(button);
        });
        step([] { clickControl(29); });
        runEditorToEnd();
        Bytes after = dictionary();
        for (int32_t record = 2; record <= 10; ++record)
            EXPECT_EQ(entryAt(after, record), record == 6 ? edited : entry(record)) << "record " << record;
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
    for (const Case& c : {Case{"0", 34, " 1"}, Case{"500", 35, " 499"}}) {
        SCOPED_TRACE(c.boxText);
        step([&] { typeInto(32, c.boxText); clickControl(c.button); });
        step([&] {
            EXPECT_EQ(controlText(32), c.numberShown);
            typeInto(6, "77");
            typeInto(13, "stray");
            clickControl(28);
        });
        runEditorToEnd();
        EXPECT_EQ(dictionary(), before_);
    }
}

TEST_F(Browsing, AddAppendsTheTemplateWithTheFindText) {
    step([] { typeInto(39, "zebra"); clickControl(41); });
    step([&] {
        EXPECT_EQ(controlText(32), " 11");
        clickControl(29);
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
    step([&] { typeInto(39, sought.words); clickControl(40); });
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
    step([] { clickControl(29); });
    runEditorToEnd();
}

INSTANTIATE_TEST_SUITE_P(Words, Finding,
                         ::testing::Values(Sought{"TheLastOfSeveralMatches", "cat", 7, false},
                                           Sought{"ADifferentCaseFindsNothing", "Cat", 10, true},
                                           Sought{"OnlyTheWholeKeyWordsMatch", "cat dog", 5, false}),
                         [](const ::testing::TestParamInfo<Sought>& sought) { return std::string(sought.param.name); });

}  // namespace
}  // namespace editor
