// What the store makes of the form's texts, and what happens when the file refuses it.
#include "editor_session.h"
#include "file_size_limit.h"

#include <filesystem>

namespace editor {
namespace {

// Each text put into the field (by `enter`) and stored by Goto to the entry on show, which
// shows the stored record again; what the field then shows against what each case expects.
class Store : public EditorTest {
protected:
    void expectStoredAs(int field, const std::vector<std::pair<std::string, std::string>>& cases,
                        void (*enter)(int, const std::string&)) {
        for (const auto& [typed, stored] : cases) {
            step([=] { enter(field, typed); clickControl(37); });
            step([=] { EXPECT_EQ(controlText(field), stored) << "typed '" << typed << "'"; });
        }
        step([] { clickControl(29); });
        runEditorToEnd();
    }

    // Types into the reply text and presses `button`: the box over the form says why the
    // entry can't be stored, and the form keeps the text.
    void storeRefused(int button, const std::string& why) {
        step([button] {
            typeInto(13, "typed");
            clickControl(button);
        });
        step([why] {
            MessageBoxSeen box = answerMessageBox("error...MAIN...");
            EXPECT_EQ(box.text, why);
            EXPECT_TRUE(box.ownedByForm);
        });
        step([] {
            EXPECT_NE(formWindow(), nullptr);
            EXPECT_EQ(controlText(13), "typed");
        });
    }
};

// Numbers are rounded to the nearest, halves to even; in the description only the first
// of each separator becomes a blank.
TEST_F(Store, NumbersAreRoundedAndOnlyTheFirstOfEachSeparatorInTheDescriptionBecomesABlank) {
    writeNumberedDictionary(3);
    expectStoredAs(8,
                   {{"7", " 7"}, {" 12", " 12"}, {"1.5", " 2"}, {"0.5", " 0"}, {"2.5", " 2"},
                    {"3.5", " 4"}, {"-3", " -3"}, {"-2.5", " -2"}, {"x", " 0"}, {"", " 0"}},
                   pasteInto);
    EXPECT_EQ(entryAt(dictionary(), 3).replyKind, 0) << "the last case, an empty field, is stored as 0";
    expectStoredAs(17,
                   {{"no separators here", "no separators here"}, {"a.b.c", "a b.c"}, {"(word)", " word "},
                    {"word. (second).", "word   second ."}, {"x;y,z[1]", "x y z 1 "}, {"a;;b,,c", "a ;b ,c"}},
                   typeInto);
    EXPECT_EQ(entryAt(dictionary(), 3).texts[description], "a ;b ,c");
}

// Separators elsewhere are kept; only the description is cleaned.
TEST_F(Store, OtherTextsAreStoredExactlyAsTyped) {
    writeNumberedDictionary(3);
    step([] {
        typeInto(10, " a.b (c) ");
        typeInto(14, "RUN.exe;");
        clickControl(28);
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
        typeInto(11, std::string(300, 'k'));
        typeInto(17, std::string(254, 'd'));
        clickControl(37);  // Goto to the entry on show stores it
    });
    step([] { clickControl(29); });
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
    step([] { typeInto(39, "new word"); clickControl(41); });
    step([] { EXPECT_EQ(answerMessageBox("error...MAIN...").text, "Can't write TranslationFile.dat"); });
    step([&] {
        EXPECT_EQ(formView(), shownAs(entries.back(), 10));
        EXPECT_EQ(dictionary(), before);
        typeInto(32, "11");
        clickControl(34);
    });
    step([] {
        EXPECT_FALSE(messageBoxShown("error...MAIN..."));
        EXPECT_EQ(controlText(32), " 11");
    });
    storeRefused(28, "Can't write TranslationFile.dat");
    step([&] {
        limit.lift();
        clickControl(28);
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
    storeRefused(35, "TranslationFile.dat ends before this entry, it can't be stored");
    step([] {
        EXPECT_EQ(controlText(32), " 40");
        clickControl(35);
    });
    step([] {
        EXPECT_EQ(controlText(32), " 39");
        clickControl(29);
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
    step([] { typeInto(32, "1044497"); clickControl(34); });  // the Next-entry sentinel
    storeRefused(34, "TranslationFile.dat is full, this entry can't be stored");
    storeRefused(41, "TranslationFile.dat is full, this entry can't be stored");
    step([] { clickControl(29); });
    runEditorToEnd();
    EXPECT_EQ(std::filesystem::file_size(dictionaryPath()), length);
    EXPECT_EQ(int32At(dictionary(), 0), lastAddressable);
}

}  // namespace
}  // namespace editor
