// What the store makes of the form's texts, and what happens when the file refuses it.
#include "editor_session.h"
#include "file_size_limit.h"

#include <filesystem>

namespace editor {
namespace {

using Cases = std::vector<std::pair<std::string, std::string>>;

// Each text put into the field (by `enter`) and stored by Goto to the entry on show, which
// shows the stored record again; what the field then shows against what each case expects.
class Store : public EditorTest {
protected:
    void expectStoredAs(int field, const Cases& cases, void (*enter)(int, const std::string&)) {
        std::vector<std::string> shown(cases.size());
        for (size_t i = 0; i < cases.size(); ++i) {
            std::string typed = cases[i].first;
            step([=] { enter(field, typed); });
            step([] { clickControl(37); });
            step([&shown, field, i] { shown[i] = controlText(field); });
        }
        step([] { clickControl(29); });
        runEditorToEnd();
        for (size_t i = 0; i < cases.size(); ++i)
            EXPECT_EQ(shown[i], cases[i].second) << "typed '" << cases[i].first << "'";
    }
};

TEST_F(Store, NumbersAreRoundedToNearestWithHalvesToEven) {
    writeNumberedDictionary(3);
    expectStoredAs(8,
                   {{"7", " 7"}, {" 12", " 12"}, {"1.5", " 2"}, {"0.5", " 0"}, {"2.5", " 2"},
                    {"3.5", " 4"}, {"-3", " -3"}, {"-2.5", " -2"}, {"x", " 0"}, {"", " 0"}},
                   pasteInto);
    EXPECT_EQ(entryAt(dictionary(), 3).replyKind, 0) << "the last case, an empty field, is stored as 0";
}

TEST_F(Store, OnlyTheFirstOfEachSeparatorInTheDescriptionBecomesABlank) {
    writeNumberedDictionary(3);
    expectStoredAs(17,
                   {{"no separators here", "no separators here"}, {"a.b.c", "a b.c"}, {"(word)", " word "},
                    {"word. (second).", "word   second ."}, {"x;y,z[1]", "x y z 1 "}, {"a;;b,,c", "a ;b ,c"}},
                   typeInto);
    EXPECT_EQ(entryAt(dictionary(), 3).texts[description], "a ;b ,c");
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
    step([] { clickControl(37); });  // Goto to the entry on show stores it and shows it again
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

// A header promising more entries than the file holds: the position past the file's end
// is not written (that would make up the records before it); the user is told once, with
// the texts still in the form, and the next command goes on without storing them.
TEST_F(Store, APositionPastTheFileEndIsRefusedOnceAndNothingIsMadeUp) {
    std::vector<TestEntry> entries;
    for (int32_t record = 2; record <= 13; ++record)
        entries.push_back(word("w" + std::to_string(record)));
    writeDictionary(dictionaryBytes(40, entries));
    Bytes before = dictionary();
    MessageBoxSeen box;
    std::string kept, numberAfterRefusal, numberAfterSecondTry;
    step([] { typeInto(13, "typed"); });
    step([] { clickControl(35); });
    step([&] { box = answerMessageBox("error...MAIN..."); });
    step([&] {
        kept = controlText(13);
        numberAfterRefusal = controlText(32);
        clickControl(35);
    });
    step([&] {
        numberAfterSecondTry = controlText(32);
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(box.text, "TranslationFile.dat ends before this entry, it can't be stored");
    EXPECT_TRUE(box.ownedByForm);
    EXPECT_EQ(kept, "typed");
    EXPECT_EQ(numberAfterRefusal, " 40");
    EXPECT_EQ(numberAfterSecondTry, " 39");
    EXPECT_EQ(dictionary(), before);
}

// At the last record a record file can address, the position after it takes nothing:
// what is typed there stays in the form, Up and Add say the dictionary is full. The file
// is sparse, so its 2 GB cost no disk space.
TEST_F(Store, BeyondTheLastAddressableRecordTheUserIsToldTheDictionaryIsFull) {
    constexpr int32_t lastAddressable = 1044496;
    const uintmax_t length = uintmax_t(lastAddressable) * recordSize;
    writeDictionary(headerBytes(lastAddressable));
    std::filesystem::resize_file(dictionaryPath(), length);
    std::vector<MessageBoxSeen> boxes(2);
    std::string keptAfterUp, keptAfterAdd;
    step([] { typeInto(32, "1044497"); });
    step([] { clickControl(34); });  // the Next-entry sentinel
    step([] { typeInto(13, "typed"); });
    step([] { clickControl(34); });
    step([&] { boxes[0] = answerMessageBox("error...MAIN..."); });
    step([&] {
        keptAfterUp = controlText(13);
        clickControl(41);
    });
    step([&] { boxes[1] = answerMessageBox("error...MAIN..."); });
    step([&] {
        keptAfterAdd = controlText(13);
        clickControl(29);
    });
    runEditorToEnd();
    for (const MessageBoxSeen& box : boxes)
        EXPECT_EQ(box.text, "TranslationFile.dat is full, this entry can't be stored");
    EXPECT_EQ(keptAfterUp, "typed");
    EXPECT_EQ(keptAfterAdd, "typed");
    EXPECT_EQ(std::filesystem::file_size(dictionaryPath()), length);
    EXPECT_EQ(int32At(dictionary(), 0), lastAddressable);
}

// A full disk takes only part of the new record: the Add is undone, the file is what it
// was, the form is back on the entry Add came from, and moving on still works.
TEST_F(Store, AnAddTheDiskRefusesLeavesTheFileAsItWasAndTheUserFree) {
    std::vector<TestEntry> entries = writeNumberedDictionary(10);
    Bytes before = dictionary();
    FileSizeLimit limit;
    MessageBoxSeen box;
    FormView afterRefusal, afterDown;
    Bytes fileAfterRefusal;
    bool secondBox = true;
    step([&] {
        limit.set(10 * recordSize + 440);
        typeInto(39, "new word");
        clickControl(41);
    });
    step([&] { box = answerMessageBox("error...MAIN..."); });
    step([&] {
        afterRefusal = formView();
        fileAfterRefusal = dictionary();
        clickControl(35);
    });
    step([&] {
        secondBox = messageBoxShown("error...MAIN...");
        afterDown = formView();
        limit.lift();
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(box.text, "Can't write TranslationFile.dat");
    EXPECT_EQ(fileAfterRefusal, before);
    EXPECT_EQ(afterRefusal, shownAs(entries.back(), 10));
    EXPECT_FALSE(secondBox);
    EXPECT_EQ(afterDown, shownAs(entries[7], 9));
    EXPECT_EQ(dictionary(), before);
}

}  // namespace
}  // namespace editor
