// Start-up, the ways the form ends, and what is left on disk afterwards.
#include "app/editor_form.h"
#include "editor_session.h"

#include "ui_driver.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>

#include <sys/stat.h>

namespace editor {
namespace {

using StartAndEnd = EditorTest;

// The form opens on the last entry with an empty Find box, centred on the work area
// (1024 x 738 on the headless screen). The copy that a rebuild killed half-way leaves
// beside the dictionary goes at start-up; files that merely look alike stay.
TEST_F(StartAndEnd, OpensOnTheLastEntryAndCancelLeavesEverythingAsItWas) {
    std::vector<TestEntry> entries = writeNumberedDictionary(57);
    Bytes before = dictionary();
    for (const char* name : {"TranslationFile.dat.rebuild~", "TranslationFile.dat~", "Other.dat.rebuild~"})
        writeBytes(path(name), before);
    step([&] {
        EXPECT_FALSE(fileExists(path("TranslationFile.dat.rebuild~")));
        EXPECT_EQ(formView(), shownAs(entries.back(), 57));
        EXPECT_TRUE(fileExists(workFilePath()));
        EXPECT_EQ(controlText(findBox), "");
        RECT r{};
        GetWindowRect(formWindow(), &r);
        EXPECT_EQ(r.left, 512 - (r.right - r.left) / 2);
        EXPECT_EQ(r.top, 369 - (r.bottom - r.top) / 2);
        clickControl(cancelButton);
    });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), before);
    EXPECT_FALSE(fileExists(workFilePath()));
    for (const char* name : {"TranslationFile.dat~", "Other.dat.rebuild~"})
        EXPECT_EQ(readBytes(path(name)), before) << name;
}

TEST_F(StartAndEnd, AMissingDictionaryIsReportedOnceAndNoFormNorWorkFileRemains) {
    step([&] {
        EXPECT_EQ(formWindow(), nullptr);
        MessageBoxSeen box = answerMessageBox("error...MAIN...");
        EXPECT_EQ(box.text, "Can't find TranslationFile.dat\n" + session.dictionaryPath() +
                                ": The system cannot find the file specified.");
        EXPECT_TRUE(box.exclamationIcon);
        EXPECT_FALSE(box.ownedByForm);
    });
    runEditorToEnd();
    EXPECT_FALSE(fileExists(workFilePath()));
    EXPECT_FALSE(fileExists(dictionaryPath()));
}

// A FIFO or a device at the dictionary's name is no dictionary: the editor says it cannot
// find one, shows no form, and leaves the special file where it was (a pass would have put
// a plain file in its place).
struct SpecialFile {
    const char* name;
    std::function<void(const std::string& path)> make;
    std::filesystem::file_type type;
};

class SpecialDictionary : public EditorTest, public ::testing::WithParamInterface<SpecialFile> {};

TEST_P(SpecialDictionary, IsNotOpenedAndStaysInPlace) {
    GetParam().make(dictionaryPath());
    step([&] {
        EXPECT_EQ(formWindow(), nullptr);
        EXPECT_EQ(answerMessageBox("error...MAIN...").text,
                  "Can't find TranslationFile.dat\n" + dictionaryPath() + ": This is a device or a pipe, not a file.");
    });
    runEditorToEnd();
    EXPECT_EQ(std::filesystem::status(dictionaryPath()).type(), GetParam().type);
}

void linkTo(const char* device, const std::string& path) { std::filesystem::create_symlink(device, path); }

INSTANTIATE_TEST_SUITE_P(
    StartAndEnd, SpecialDictionary,
    ::testing::Values(SpecialFile{"fifo", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
                                  std::filesystem::file_type::fifo},
                      SpecialFile{"linkToDevZero", [](const std::string& path) { linkTo("/dev/zero", path); },
                                  std::filesystem::file_type::character},
                      SpecialFile{"linkToDevFull", [](const std::string& path) { linkTo("/dev/full", path); },
                                  std::filesystem::file_type::character}),
    [](const ::testing::TestParamInfo<SpecialFile>& made) { return std::string(made.param.name); });

// A count that promises entries past the file's end: the form opens on that number with
// empty fields, not on the header's bytes (the record read last), and Cancel changes nothing.
class CountPastTheEnd : public EditorTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(CountPastTheEnd, ShowsTheNumberWithEmptyFields) {
    writeDictionary(dictionaryBytes(GetParam(), {word("first"), word("second")}));
    Bytes before = dictionary();
    step([&] {
        FormView expected;
        expected.entryNumber = shownNumber(GetParam());
        EXPECT_EQ(formView(), expected);
        clickControl(cancelButton);
    });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), before);
}

INSTANTIATE_TEST_SUITE_P(StartAndEnd, CountPastTheEnd, ::testing::Values(9, 2147483647));

// An edit, then each way of ending: Cancel and the close box drop it, OK and Enter store
// it; Escape ends nothing, and Cancel after it drops the edit.
struct Ending {
    const char* name;
    std::function<void()> end;
    bool stores;
    bool ends = true;
};

class EndingTheForm : public EditorTest, public ::testing::WithParamInterface<Ending> {};

TEST_P(EndingTheForm, StoresTheEditOnlyWhenTheEndingSaves) {
    std::vector<TestEntry> entries = writeNumberedDictionary(6);
    Bytes expected = dictionary();
    if (GetParam().stores) {
        TestEntry edited = entries.back();
        edited.texts[replyText] = "edited reply";
        expected.replace(5 * recordSize, recordSize, recordBytes(edited));
    }
    step([] { typeInto(entryField(8), "edited reply"); });
    step(GetParam().end);
    if (!GetParam().ends)
        step([] {
            EXPECT_NE(formWindow(), nullptr);
            clickControl(cancelButton);
        });
    runEditorToEnd();
    EXPECT_EQ(dictionary(), expected);
    EXPECT_FALSE(fileExists(workFilePath()));
}

INSTANTIATE_TEST_SUITE_P(Endings, EndingTheForm,
                         ::testing::Values(Ending{"Cancel", [] { clickControl(cancelButton); }, false},
                                           Ending{"CloseBox", [] { testui::key(VK_F4, display::ModAlt); }, false},
                                           Ending{"Ok", [] { clickControl(okButton); }, true},
                                           Ending{"Enter", [] { testui::key(VK_RETURN); }, true},
                                           Ending{"LabelOfField1", [] { clickControl(defaultCommand); }, true},
                                           Ending{"Escape", [] { testui::key(VK_ESCAPE); }, false, false}),
                         [](const ::testing::TestParamInfo<Ending>& ending) { return std::string(ending.param.name); });

// A stop signal (a session logging out, a terminal closed, Ctrl+C) ends the program as the
// close box does: the edit on the form is dropped, and the work file goes. A box that is up
// is closed first, then the form. The program's whole life runs in a child process, as the signal's
// effects last for the process.
struct StopSignalCase {
    const char* name;
    int signal;
    bool boxUp;
};

class StopSignal : public EditorTest, public ::testing::WithParamInterface<StopSignalCase> {};

TEST_P(StopSignal, EndsTheProgramAsTheCloseBoxDoes) {
    writeNumberedDictionary(6);
    EXPECT_EXIT(
        {
            Bytes before = dictionary();
            step([] {
                if (GetParam().boxUp) {
                    typeInto(findBox, "no such words");
                    clickControl(findButton);  // Find: "Not Found"
                } else {
                    typeInto(entryField(8), "edited reply");
                }
            });
            step([] { std::raise(GetParam().signal); });
            bool ended = session.run() == 0 && testui::headless().stepsLeft() == 0;
            std::_Exit(ended && dictionary() == before && !fileExists(workFilePath()) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignal,
                         ::testing::Values(StopSignalCase{"TerminateWithABoxUp", SIGTERM, true},
                                           StopSignalCase{"HangUp", SIGHUP, false},
                                           StopSignalCase{"Interrupt", SIGINT, false}),
                         [](const ::testing::TestParamInfo<StopSignalCase>& c) { return std::string(c.param.name); });

// A dictionary too short for its header (empty, or a header cut to its first byte, which
// is no count) gets a header saying "no entries", so the first Add makes record 2
// instead of writing an entry over the header or after entries nobody made.
class ShortDictionary : public EditorTest, public ::testing::WithParamInterface<Bytes> {};

TEST_P(ShortDictionary, GetsEntryNumberingAndTheFirstAddMakesRecordTwo) {
    writeDictionary(GetParam());
    step([] {
        typeInto(findBox, "first");
        clickControl(addButton);
    });
    step([] { clickControl(okButton); });
    runEditorToEnd();
    Bytes after = dictionary();
    ASSERT_EQ(after.size(), 2 * recordSize);
    EXPECT_EQ(int32At(after, 0), 2);
    EXPECT_EQ(entryAt(after, 2).texts[keyWords], "first");
}

INSTANTIATE_TEST_SUITE_P(Files, ShortDictionary, ::testing::Values(Bytes{}, Bytes{5}));

}  // namespace
}  // namespace editor
