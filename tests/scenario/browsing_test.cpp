// Up, Down, Goto and Add: where each leaves the form, and what each writes.
#include "editor_session.h"

namespace editor {
namespace {

class Browsing : public EditorTest {
protected:
    // Entries 2..10; entry 6 has the word class 1, which only Up shows as it is.
    void SetUp() override {
        EditorTest::SetUp();
        for (int32_t record = 2; record <= 10; ++record)
            entries_.push_back(word("w" + std::to_string(record), record == 6 ? 1 : 3));
        writeDictionary(dictionaryBytes(10, entries_));
        before_ = dictionary();
    }
    const TestEntry& entry(int32_t record) const { return entries_.at(record - 2); }
    FormView shown(int32_t record) const { return shownAs(entry(record), record); }
    FormView shownWithClass0(int32_t record) const {
        TestEntry e = entry(record);
        if (e.wordClass == 1)
            e.wordClass = 0;
        return shownAs(e, record);
    }

    // Types a number into the entry-number box, presses a button and records the form.
    void moveWith(const std::string& boxText, int button, FormView& seen) {
        step([boxText] { typeInto(32, boxText); });
        step([button] { clickControl(button); });
        step([&seen] { seen = formView(); });
    }
    void cancel() {
        step([] { clickControl(29); });
    }

    std::vector<TestEntry> entries_;
    Bytes before_;
};

FormView nextEntrySentinel(int32_t record) {
    FormView view;
    view.fields = {"1", "0", "1", "0", "na", "Next entry", "", "", "", "", "", ""};
    view.entryNumber = shownNumber(record);
    return view;
}

// Where a number typed into the entry-number box (none: the box as it is) and a button
// take the form. Entry 6 has the word class 1, which only Up shows as it is.
struct Move {
    const char* name;
    const char* boxText;
    int button;
    int32_t record;
    bool class1As0;
};

void PrintTo(const Move& move, std::ostream* out) { *out << move.name; }

class BrowsingMoves : public Browsing, public ::testing::WithParamInterface<Move> {};

TEST_P(BrowsingMoves, ShowTheEntryAndWriteNothing) {
    const Move& move = GetParam();
    FormView seen;
    if (move.boxText)
        step([&] { typeInto(32, move.boxText); });
    step([&] { clickControl(move.button); });
    step([&] { seen = formView(); });
    cancel();
    runEditorToEnd();
    EXPECT_EQ(seen, move.class1As0 ? shownWithClass0(move.record) : shown(move.record));
    EXPECT_EQ(dictionary(), before_);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BrowsingMoves,
    ::testing::Values(Move{"UpOnTheLastEntryStaysThere", nullptr, 34, 10, false},
                      Move{"UpFromTheBoxNumberShowsTheNextEntryWithClass1AsItIs", "5", 34, 6, false},
                      Move{"DownShowsTheEntryBelowWithClass1As0", "7", 35, 6, true},
                      Move{"GotoShowsClass1As0", "6", 37, 6, true},
                      Move{"DownNotBelowTwo", "2", 35, 2, false},
                      Move{"GotoShowsTheEntry", "4", 37, 4, false},
                      Move{"GotoTheHeaderShowsTheLast", "1", 37, 10, false},
                      Move{"GotoZeroShowsTheLast", "0", 37, 10, false},
                      Move{"GotoNothingShowsTheLast", "", 37, 10, false},
                      Move{"GotoPastTheEndShowsTheLast", "99", 37, 10, false}),
    [](const ::testing::TestParamInfo<Move>& move) { return std::string(move.param.name); });

// Leaving entry 6 after Up stores it with the class shown; after Down it is stored as 0.
TEST_F(Browsing, AWordClass1ShownAs0IsStoredAs0) {
    FormView seen;
    moveWith("7", 35, seen);      // shows 6 with class 0
    step([] { clickControl(28); });  // stores it
    runEditorToEnd();
    TestEntry expected = entry(6);
    expected.wordClass = 0;
    EXPECT_EQ(entryAt(dictionary(), 6), expected);
}

TEST_F(Browsing, UpWithThePositionAfterTheLastShowsTheSentinelAndStoresItThereOnly) {
    FormView seen;
    moveWith("11", 34, seen);
    step([] { clickControl(28); });
    runEditorToEnd();
    EXPECT_EQ(seen, nextEntrySentinel(11));
    Bytes after = dictionary();
    EXPECT_EQ(int32At(after, 0), 10) << "the count stays";
    TestEntry sentinel;
    sentinel.mode = 1;
    sentinel.replyKind = 1;
    sentinel.texts[replyRef] = "na";
    sentinel.texts[keyWords] = "Next entry";
    EXPECT_EQ(entryAt(after, 11), sentinel);
    EXPECT_EQ(Bytes(after.begin(), after.begin() + before_.size()), before_);
}

TEST_F(Browsing, MovingStoresTheEditsOfTheEntryLeft) {
    FormView seen;
    step([] { typeInto(16, "  spaced out  "); });
    moveWith("4", 37, seen);
    cancel();
    runEditorToEnd();
    EXPECT_EQ(seen, shown(4));
    TestEntry expected = entry(10);
    expected.texts[synonyms] = "  spaced out  ";
    EXPECT_EQ(entryAt(dictionary(), 10), expected);
}

// Up with 0 in the box shows the header like an entry; nothing the form holds may ever
// be written over it.
TEST_F(Browsing, TheHeaderIsNeverWrittenThroughTheForm) {
    FormView seen;
    moveWith("0", 34, seen);
    step([] { typeInto(6, "77"); });
    step([] { clickControl(28); });
    runEditorToEnd();
    EXPECT_EQ(seen.entryNumber, " 1");
    EXPECT_EQ(seen.fields[0], " 10") << "the header's count shown as its first number";
    EXPECT_EQ(dictionary(), before_);
}

// Down accepts a number far past the entries and shows the entry just stored under it;
// that position is never written, so the file does not grow.
TEST_F(Browsing, NothingIsWrittenFarBeyondTheEntries) {
    FormView seen;
    moveWith("500", 35, seen);
    step([] { typeInto(13, "stray"); });
    step([] { clickControl(28); });
    runEditorToEnd();
    FormView expected = shown(10);
    expected.entryNumber = " 499";
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(dictionary(), before_);
}

TEST_F(Browsing, AddAppendsTheTemplateWithTheFindText) {
    FormView seen;
    step([] { typeInto(39, "zebra"); });
    step([] { clickControl(41); });
    step([&] { seen = formView(); });
    cancel();
    runEditorToEnd();
    FormView expected;
    expected.fields = {"1", "0", "0", "1", "na", "zebra", "", "", "", "", "", ""};
    expected.entryNumber = " 11";
    EXPECT_EQ(seen, expected);
    Bytes after = dictionary();
    EXPECT_EQ(int32At(after, 0), 11);
    EXPECT_EQ(Bytes(after.begin() + 4, after.begin() + recordSize), Bytes(before_.begin() + 4, before_.begin() + recordSize))
        << "the rest of the header is kept";
    ASSERT_EQ(recordCount(after), 11u);
    TestEntry added;
    added.mode = 1;
    added.wordClass = 1;
    added.texts[replyRef] = "na";
    added.texts[keyWords] = "zebra";
    EXPECT_EQ(entryAt(after, 11), added);
}

}  // namespace
}  // namespace editor
