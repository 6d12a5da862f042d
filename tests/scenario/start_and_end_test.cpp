// Start-up, the ways the form ends, and what is left on disk afterwards.
#include "editor_session.h"

#include "ui_driver.h"

namespace editor {
namespace {

using StartAndEnd = EditorTest;

// The form opens on the last entry with an empty Find box, centred on the work area
// (1024 x 738 on the headless screen).
TEST_F(StartAndEnd, OpensOnTheLastEntryAndCancelLeavesEverythingAsItWas) {
    std::vector<TestEntry> entries = writeNumberedDictionary(57);
    Bytes before = dictionary();
    FormView seen;
    bool workFileWhileOpen = false;
    std::string findText = "unset";
    RECT r{};
    step([&] {
        seen = formView();
        workFileWhileOpen = fileExists(workFilePath());
        findText = controlText(39);
        GetWindowRect(formWindow(), &r);
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_EQ(seen, shownAs(entries.back(), 57));
    EXPECT_EQ(seen.entryNumber, " 57");
    EXPECT_TRUE(workFileWhileOpen);
    EXPECT_EQ(findText, "");
    int width = r.right - r.left, height = r.bottom - r.top;
    EXPECT_EQ(r.left, 512 - width / 2);
    EXPECT_EQ(r.top, 369 - height / 2);
    EXPECT_EQ(dictionary(), before);
    EXPECT_FALSE(fileExists(workFilePath()));
}

TEST_F(StartAndEnd, AMissingDictionaryIsReportedOnceAndNoFormNorWorkFileRemains) {
    MessageBoxSeen box;
    bool formShown = true;
    step([&] {
        formShown = formWindow() != nullptr;
        box = answerMessageBox("error...MAIN...");
    });
    runEditorToEnd();
    EXPECT_EQ(box.text, "Can't find TranslationFile.dat");
    EXPECT_TRUE(box.exclamationIcon);
    EXPECT_FALSE(box.ownedByForm);
    EXPECT_FALSE(formShown);
    EXPECT_FALSE(fileExists(workFilePath()));
    EXPECT_FALSE(fileExists(dictionaryPath()));
}

// A work file from an earlier run goes at the end; the copy that a rebuild killed half-way
// leaves beside the dictionary goes at start-up; files that merely look alike stay.
TEST_F(StartAndEnd, WhatAnEarlierRunLeftIsClearedAndNothingElse) {
    writeNumberedDictionary(4);
    const Bytes half = headerBytes(9);
    writeBytes(workFilePath(), dictionaryBytes(3, {word("old"), word("older")}));
    for (const char* name : {"TranslationFile.dat.rebuild~", "TranslationFile.dat~", "Other.dat.rebuild~"})
        writeBytes(path(name), half);
    bool copyGoneAtStart = false;
    step([&] {
        copyGoneAtStart = !fileExists(path("TranslationFile.dat.rebuild~"));
        clickControl(29);
    });
    runEditorToEnd();
    EXPECT_TRUE(copyGoneAtStart);
    EXPECT_FALSE(fileExists(workFilePath()));
    EXPECT_EQ(readBytes(path("TranslationFile.dat~")), half);
    EXPECT_EQ(readBytes(path("Other.dat.rebuild~")), half);
}

// An edit, then each way of ending: Cancel and the close box drop it, OK and Enter store
// it; Escape ends nothing, and Cancel after it drops the edit.
struct Ending {
    const char* name;
    std::function<void()> end;
    bool stores;
    bool ends = true;
};

void PrintTo(const Ending& ending, std::ostream* out) { *out << ending.name; }

class EndingTheForm : public EditorTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTheForm, StoresTheEditOnlyWhenTheEndingSaves) {
    std::vector<TestEntry> entries = writeNumberedDictionary(6);
    Bytes before = dictionary();
    bool stillOpen = false;
    step([] { typeInto(13, "edited reply"); });
    step(GetParam().end);
    if (!GetParam().ends)
        step([&] {
            stillOpen = formWindow() != nullptr;
            clickControl(29);
        });
    runEditorToEnd();
    EXPECT_EQ(stillOpen, !GetParam().ends);
    Bytes after = dictionary();
    if (GetParam().stores) {
        TestEntry expected = entries.back();
        expected.texts[replyText] = "edited reply";
        // The description's first space-like separator rules leave "about w6" unchanged.
        EXPECT_EQ(entryAt(after, 6), expected);
        EXPECT_EQ(after.size(), before.size());
        for (int32_t record = 1; record <= 5; ++record)
            EXPECT_EQ(entryAt(after, record), entryAt(before, record)) << "record " << record;
    } else {
        EXPECT_EQ(after, before);
    }
    EXPECT_FALSE(fileExists(workFilePath()));
}

INSTANTIATE_TEST_SUITE_P(
    Endings, EndingTheForm,
    ::testing::Values(Ending{"Cancel", [] { clickControl(29); }, false},
                      Ending{"CloseBox", [] { testui::key(VK_F4, display::ModAlt); }, false},
                      Ending{"Ok", [] { clickControl(28); }, true},
                      Ending{"Enter", [] { testui::key(VK_RETURN); }, true},
                      Ending{"LabelOfField1", [] { clickControl(1); }, true},
                      Ending{"Escape", [] { testui::key(VK_ESCAPE); }, false, false}),
    [](const ::testing::TestParamInfo<Ending>& ending) { return std::string(ending.param.name); });

// A dictionary too short for its header (empty, or a header cut to its first byte, which
// is no count) gets a header saying "no entries", so the first Add makes record 2
// instead of writing an entry over the header or after entries nobody made.
class ShortDictionary : public EditorTest, public ::testing::WithParamInterface<Bytes> {};

TEST_P(ShortDictionary, GetsEntryNumberingAndTheFirstAddMakesRecordTwo) {
    writeDictionary(GetParam());
    step([] { typeInto(39, "first"); });
    step([] { clickControl(41); });
    step([] { clickControl(28); });
    runEditorToEnd();
    Bytes after = dictionary();
    ASSERT_EQ(after.size(), 2 * recordSize);
    EXPECT_EQ(int32At(after, 0), 2);
    TestEntry expected;
    expected.mode = 1;
    expected.wordClass = 1;
    expected.texts[replyRef] = "na";
    expected.texts[keyWords] = "first";
    EXPECT_EQ(entryAt(after, 2), expected);
}

INSTANTIATE_TEST_SUITE_P(Files, ShortDictionary, ::testing::Values(Bytes{}, Bytes{5}, Bytes{9, 0, 0}));

}  // namespace
}  // namespace editor
