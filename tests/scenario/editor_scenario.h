// The whole editor, run in-process on the headless display against a dictionary that a
// test writes into a temporary directory. Steps run whenever the program waits for input.
#pragma once

#include "dictionary_bytes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace scenario {

constexpr const char* formTitle = "Add words To translation File";

// What the form shows: the twelve entry fields and the entry-number box.
struct FormView {
    std::array<std::string, 12> fields;
    std::string entryNumber;
    bool operator==(const FormView&) const = default;
};
std::ostream& operator<<(std::ostream& out, const FormView& view);

// How the form shows an entry: numbers after a blank, as the number conversion writes them.
FormView shownAs(const TestEntry& entry, int32_t record);
std::string shownNumber(int32_t value);

// Helpers for use inside steps, while the form is on screen.
HWND visibleTopLevel(const std::string& title);
HWND formWindow();
HWND control(int id);
std::string controlText(int id);
void clickControl(int id);
void typeInto(int id, const std::string& text);  // click, select all, type
void pasteInto(int id, const std::string& text);  // as typeInto, through the clipboard
FormView formView();

struct MessageBoxSeen {
    std::string caption;
    std::string text;
    bool ownedByForm = false;
    bool stopIcon = false;       // red dominates the icon
    bool exclamationIcon = false;  // yellow dominates the icon
};
// The message box with this caption, read and closed with its OK button; an empty
// caption when there is none.
MessageBoxSeen answerMessageBox(const std::string& caption);
bool messageBoxShown(const std::string& caption);

class EditorScenario : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string path(const std::string& name) const { return directory_ + "/" + name; }
    std::string dictionaryPath() const { return path("TranslationFile.dat"); }
    std::string workFilePath() const { return path("TranslationFileNEW.dat"); }

    void writeDictionary(const Bytes& bytes) { writeBytes(dictionaryPath(), bytes); }
    // Header count and entries 2..count made with word("w<record>").
    std::vector<TestEntry> writeNumberedDictionary(int32_t count);
    Bytes dictionary() const { return readBytes(dictionaryPath()); }

    void step(std::function<void()> action);
    // Runs the program to its end; it must return 0 and consume every step.
    void runEditorToEnd();

    std::string directory_;
};

}  // namespace scenario
