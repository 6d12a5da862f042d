// What the store makes of the form's texts, and what happens when the file refuses it.
#include "editor_scenario.h"
#include "file_size_limit.h"

namespace scenario {
namespace {

using Store = EditorScenario;

// Goto to the entry on show stores the form and shows the stored record again.
void storeAndReshow() { clickControl(37); }

TEST_F(Store, NumbersAreRoundedToNearestWithHalvesToEven) {
    writeNumberedDictionary(3);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"7", " 7"},   {" 12", " 12"}, {"1.5", " 2"}, {"0.5", " 0"},   {"2.5", " 2"},
        {"3.5", " 4"}, {"-3", " -3"},  {"-2.5", " -2"}, {"x", " 0"}, {"", " 0"},
    };
    std::vector<std::string> shown(cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        std::string typed = cases[i].first;
        step([typed] { pasteInto(8, typed); });
        step([] { storeAndReshow(); });
        step([&shown, i] { shown[i] = controlText(8); });
    }
    step([] { clickControl(29); });
    runEditorToEnd();
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(shown[i], cases[i].second) << "typed '" << cases[i].first << "'";
    EXPECT_EQ(entryAt(dictionary(), 3).replyKind, 0) << "the last case, an empty field, is stored as 0";
}

TEST_F(Store, OnlyTheFirstOfEachSeparatorInTheDescriptionBecomesABlank) {
    writeNumberedDictionary(3);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"no separators here", "no separators here"},
        {"a.b.c", "a b.c"},
        {"(word)", " word "},
        {"word. (second).", "word   second ."},
        {"x;y,z[1]", "x y z 1 "},
        {"a;;b,,c", "a ;b ,c"},
    };
    std::vector<std::string> shown(cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        std::string typed = cases[i].first;
        step([typed] { typeInto(17, typed); });
        step([] { storeAndReshow(); });
        step([&shown, i] { shown[i] = controlText(17); });
    }
    step([] { clickControl(29); });
    runEditorToEnd();
    for (size_t i = 0; i < cases.size(); ++i)
        EXPECT_EQ(shown[i], cases[i].second) << "typed '" << cases[i].first << "'";
    EXPECT_EQ(entryAt(dictionary(), 3).texts[description], cases.back().second);
}

// Separators elsewhere are kept; only the description is cleaned.
TEST_F(Store, OtherTextsAreStoredExactlyAsTyped) {
    writeNumberedDictionary(3);
    step([] { typeInto(10, " a.b (c) "); });
    step([] { typeInto(14, "RUN.exe;"); });
    step([] { clickControl(28); });
    runEditorToEnd();
    TestEntry stored = entryAt(dictionary(), 3);
    EXPECT_EQ(stored.texts[replyRef], " a.b (c) ");
    EXPECT_EQ(stored.texts[fileCommand], "RUN.exe;");
}

// A text longer than a slot is cut to the 254 characters the slot holds; the fields
// after it keep their own texts.
TEST_F(Store, ATextLongerThanItsSlotIsCutAndTheRecordStaysIntact) {
    std::vector<TestEntry> entries = writeNumberedDictionary(3);
    std::string shownAfter;
    step([] { typeInto(11, std::string(300, 'k')); });
    step([] { typeInto(17, std::string(254, 'd')); });
    step([] { storeAndReshow(); });
    step([&] {
        shownAfter = controlText(11);
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(shownAfter, std::string(254, 'k'));
    TestEntry expected = entries.back();
    expected.texts[keyWords] = std::string(254, 'k');
    expected.texts[description] = std::string(254, 'd');
    EXPECT_EQ(entryAt(dictionary(), 3), expected);
    EXPECT_EQ(dictionary().size(), 3 * recordSize);
}

// A refused write is reported; the command ends there and the form keeps the edit, so
// a second try, once the file takes writes again, stores it.
TEST_F(Store, ARefusedStoreIsReportedAndTheFormKeepsTheEdit) {
    writeNumberedDictionary(10);
    FileSizeLimit limit;
    MessageBoxSeen box;
    bool formStillOpen = false;
    std::string editStillThere;
    step([] { typeInto(32, "11"); });
    step([] { clickControl(34); });  // the position after the last entry
    step([&] {
        limit.set(10 * recordSize);
        typeInto(13, "keep me");
    });
    step([] { clickControl(28); });
    step([&] { box = answerMessageBox("error...MAIN..."); });
    step([&] {
        formStillOpen = formWindow() != nullptr;
        editStillThere = controlText(13);
        limit.lift();
        clickControl(28);
    });
    runEditorToEnd();
    EXPECT_EQ(box.text, "Can't write TranslationFile.dat");
    EXPECT_TRUE(formStillOpen);
    EXPECT_EQ(editStillThere, "keep me");
    Bytes after = dictionary();
    ASSERT_EQ(recordCount(after), 11u);
    EXPECT_EQ(entryAt(after, 11).texts[replyText], "keep me");
}

}  // namespace
}  // namespace scenario
