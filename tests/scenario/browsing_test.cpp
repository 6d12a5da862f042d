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

TEST_F(Browsing, UpOnTheLastEntryStaysThere) {
    FormView seen;
    step([] { clickControl(34); });
    step([&] { seen = formView(); });
    cancel();
    runEditorToEnd();
    EXPECT_EQ(seen, shown(10));
    EXPECT_EQ(dictionary(), before_);
}

TEST_F(Browsing, UpFromTheBoxNumberShowsTheNextEntry) {
    FormView seen;
    moveWith("5", 34, seen);
    cancel();
    runEditorToEnd();
    EXPECT_EQ(seen, shown(6));
}

TEST_F(Browsing, TheWordClass1IsShownAsItIsByUpButAs0ByDownAndGoto) {
    FormView byUp, byDown, byGoto;
    moveWith("5", 34, byUp);
    moveWith("7", 35, byDown);
    moveWith("6", 37, byGoto);
    cancel();
    runEditorToEnd();
    EXPECT_EQ(byUp.fields[3], " 1");
    EXPECT_EQ(byUp, shown(6));
    EXPECT_EQ(byDown.fields[3], " 0");
    EXPECT_EQ(byDown, shownWithClass0(6));
    EXPECT_EQ(byGoto, shownWithClass0(6));
}

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

TEST_F(Browsing, DownGoesToTheEntryBelowButNotBelowTwo) {
    FormView fromSeven, fromTwo;
    moveWith("7", 35, fromSeven);
    moveWith("2", 35, fromTwo);
    cancel();
    runEditorToEnd();
    EXPECT_EQ(fromSeven, shownWithClass0(6));
    EXPECT_EQ(fromTwo, shown(2));
}

TEST_F(Browsing, GotoShowsTheEntryOrTheLastOneWhenOutOfRange) {
    FormView four, one, zero, empty, above;
    moveWith("4", 37, four);
    moveWith("1", 37, one);
    moveWith("0", 37, zero);
    moveWith("", 37, empty);
    moveWith("99", 37, above);
    cancel();
    runEditorToEnd();
    EXPECT_EQ(four, shown(4));
    EXPECT_EQ(one, shown(10));
    EXPECT_EQ(zero, shown(10));
    EXPECT_EQ(empty, shown(10));
    EXPECT_EQ(above, shown(10));
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
