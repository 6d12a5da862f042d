// Find: whole key words, case counted, the last match wins; a miss shows the last entry
// and then says so.
#include "editor_session.h"

namespace editor {
namespace {

class Lookup : public EditorTest {
protected:
    // Entries 2..9; "cat" in 3 and 7, "cat dog" in 5.
    void SetUp() override {
        EditorTest::SetUp();
        for (int32_t record = 2; record <= 9; ++record) {
            std::string keys = "w" + std::to_string(record);
            if (record == 3 || record == 7)
                keys = "cat";
            if (record == 5)
                keys = "cat dog";
            entries_.push_back(word(keys, record == 9 ? 1 : 4));
        }
        writeDictionary(dictionaryBytes(9, entries_));
    }
    FormView shown(int32_t record) const {
        TestEntry e = entries_.at(record - 2);
        if (e.wordClass == 1)
            e.wordClass = 0;
        return shownAs(e, record);
    }

    std::vector<TestEntry> entries_;
};

TEST_F(Lookup, TheLastOfSeveralMatchesIsShownWithoutAMessage) {
    FormView seen;
    bool boxShown = true;
    step([] { typeInto(39, "cat"); });
    step([] { clickControl(40); });
    step([&] {
        boxShown = messageBoxShown("Not Found");
        seen = formView();
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_FALSE(boxShown);
    EXPECT_EQ(seen, shown(7));
}

// The form already shows the last entry when the stop box comes up.
TEST_F(Lookup, ADifferentCaseFindsNothingAndTheLastEntryIsShownBeforeTheMessage) {
    FormView underTheBox;
    MessageBoxSeen box;
    step([] { typeInto(39, "Cat"); });
    step([] { clickControl(40); });
    step([&] {
        underTheBox = formView();
        box = answerMessageBox("Not Found");
    });
    step([] { clickControl(29); });
    runEditorToEnd();
    EXPECT_EQ(underTheBox, shown(9));
    EXPECT_EQ(box.text, "Not Found, click Add To Put into TF");
    EXPECT_TRUE(box.ownedByForm);
    EXPECT_TRUE(box.stopIcon);
}

TEST_F(Lookup, OnlyTheWholeKeyWordsMatch) {
    MessageBoxSeen box;
    FormView seen;
    step([] { typeInto(39, "cat dog"); });
    step([] { clickControl(40); });
    step([&] {
        seen = formView();
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(seen, shown(5));
}

TEST_F(Lookup, FindStoresTheEditsOfTheEntryOnShowFirst) {
    step([] { typeInto(15, "name reply"); });
    step([] { typeInto(39, "cat"); });
    step([] { clickControl(40); });
    step([] { clickControl(29); });
    runEditorToEnd();
    TestEntry expected = entries_.back();
    expected.wordClass = 0;  // shown as 0 at start, so stored as 0
    expected.texts[nameReply] = "name reply";
    EXPECT_EQ(entryAt(dictionary(), 9), expected);
}

TEST_F(Lookup, AddAfterAMissMakesAnEntryForTheWordSought) {
    step([] { typeInto(39, "zebra"); });
    step([] { clickControl(40); });
    step([] { answerMessageBox("Not Found"); });
    step([] { clickControl(41); });
    step([] { clickControl(28); });
    runEditorToEnd();
    Bytes after = dictionary();
    EXPECT_EQ(int32At(after, 0), 10);
    EXPECT_EQ(entryAt(after, 10).texts[keyWords], "zebra");
    EXPECT_EQ(recordCount(after), 10u);
}

}  // namespace
}  // namespace editor
