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

// What Find shows for a word sought, and whether a stop box says it found nothing; the
// form already shows the last entry when that box comes up.
struct Sought {
    const char* name;
    const char* words;
    int32_t record;
    bool notFound;
};

void PrintTo(const Sought& sought, std::ostream* out) { *out << '"' << sought.words << '"'; }

class Finding : public Lookup, public ::testing::WithParamInterface<Sought> {};

TEST_P(Finding, ShowsTheLastWholeMatchOrSaysNotFound) {
    const Sought& sought = GetParam();
    FormView seen;
    MessageBoxSeen box;
    bool boxShown = false;
    step([&] { typeInto(39, sought.words); });
    step([] { clickControl(40); });
    step([&] {
        seen = formView();
        boxShown = messageBoxShown("Not Found");
        if (boxShown)
            box = answerMessageBox("Not Found");
        else
            clickControl(29);
    });
    if (sought.notFound)
        step([] { clickControl(29); });
    runEditorToEnd();
    EXPECT_EQ(seen, shown(sought.record));
    ASSERT_EQ(boxShown, sought.notFound);
    if (sought.notFound) {
        EXPECT_EQ(box.text, "Not Found, click Add To Put into TF");
        EXPECT_TRUE(box.ownedByForm);
        EXPECT_TRUE(box.stopIcon);
    }
}

INSTANTIATE_TEST_SUITE_P(Words, Finding,
                         ::testing::Values(Sought{"TheLastOfSeveralMatches", "cat", 7, false},
                                           Sought{"ADifferentCaseFindsNothing", "Cat", 9, true},
                                           Sought{"OnlyTheWholeKeyWordsMatch", "cat dog", 5, false}),
                         [](const ::testing::TestParamInfo<Sought>& sought) { return std::string(sought.param.name); });

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
