// The whole editor run in-process on the headless display, against a dictionary that a
// test writes into a temporary directory. A run is driven either by steps, which run at
// the program's next waits whatever is on screen, or by actions, which run while the form
// is up, with message boxes logged and answered with Enter in between.
#pragma once

#include "app/editor_form.h"
#include "dictionary_codec.h"
#include "temp_directory.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace editor {

using namespace dict;
using testfs::fileExists;
using testfs::readBytes;
using testfs::writeBytes;

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

// The control of the form's field `number`, 1 to 12 as its labels count them.
constexpr int entryField(int number) { return firstEntryField + number - 1; }

// While the form is on screen. A hidden form of the same title may still exist: a form
// ended by a pass stays until the form shown after it is closed.
HWND formWindow();
HWND control(int id);
std::string controlText(int id);
void setText(int id, const std::string& text);  // as the program's own updates do
void clickControl(int id);
void typeInto(int id, const std::string& text);   // click, select all, type
void pasteInto(int id, const std::string& text);  // as typeInto, through the clipboard
FormView formView();

struct MessageBoxSeen {
    std::string caption;
    std::string text;
    bool ownedByForm = false;
    bool stopIcon = false;         // red dominates the icon
    bool exclamationIcon = false;  // yellow dominates the icon
};
// The message box with this caption, read and closed with its OK button; an empty
// caption when there is none.
MessageBoxSeen answerMessageBox(const std::string& caption);
bool messageBoxShown(const std::string& caption);

struct BoxSeen {
    std::string caption;
    std::string text;
};

// What the form and message boxes showed while actions ran.
struct SessionLog {
    std::vector<BoxSeen> boxes;
    int formsShown = 0;  // distinct form windows the actions found on screen
    // The closing command left the form on screen, so the session fell back on Cancel.
    bool closingRefused = false;
};

class EditorSession {
public:
    EditorSession();                                       // in a fresh directory
    explicit EditorSession(const std::string& directory);  // in a directory of the caller's
    ~EditorSession();

    std::string dictionaryPath() const { return directory_ + "/TranslationFile.dat"; }
    std::string workFilePath() const { return directory_ + "/TranslationFileNEW.dat"; }
    const std::string& directory() const { return directory_; }
    void writeDictionary(const Bytes& bytes) const { writeBytes(dictionaryPath(), bytes); }
    Bytes dictionary() const { return readBytes(dictionaryPath()); }
    std::vector<TestEntry> writeNumberedDictionary(int32_t count) const;

    void step(std::function<void()> action);
    // When the actions are used up the form is closed with `closingCommand` (OK by default).
    void addAction(std::function<void()> action) { actions_.push_back(std::move(action)); }
    // Runs, once the listed actions are used up, at each wait with the form up; when it
    // returns false the form is closed as above.
    void setNextAction(std::function<bool()> next) { nextAction_ = std::move(next); }
    void setClosingCommand(int id) { closingCommand_ = id; }
    // A bound on the program's waits, so that a stalled program fails instead of hanging.
    void setWaitLimit(int waits) { waitLimit_ = waits; }

    int32_t run();  // runEditor()'s result; actions unless steps were given
    const SessionLog& log() const { return log_; }
    size_t actionsDone() const { return next_; }

private:
    void nextWait();

    std::optional<testfs::TempDirectory> ownDirectory_;
    std::string directory_;
    std::vector<std::function<void()>> actions_;
    std::function<bool()> nextAction_;
    size_t next_ = 0;
    bool stepped_ = false;
    int closingCommand_ = okButton;
    int waits_ = 0;
    int waitLimit_ = 2000;
    int closingAttempts_ = 0;
    HWND lastForm_ = nullptr;
    SessionLog log_;
};

// A fixture for tests written as steps.
class EditorTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return session.directory() + "/" + name; }
    std::string dictionaryPath() const { return session.dictionaryPath(); }
    std::string workFilePath() const { return session.workFilePath(); }
    void writeDictionary(const Bytes& bytes) const { session.writeDictionary(bytes); }
    Bytes dictionary() const { return session.dictionary(); }
    std::vector<TestEntry> writeNumberedDictionary(int32_t count) const {
        return session.writeNumberedDictionary(count);
    }
    void step(std::function<void()> action) { session.step(std::move(action)); }
    // Runs the program to its end; it must return 0 and consume every step.
    void runEditorToEnd();

    EditorSession session;
};

}  // namespace editor
