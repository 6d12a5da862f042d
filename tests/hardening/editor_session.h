// The whole editor run in-process on the headless display, driven by a list of user
// actions, against translation files that a test writes into a temporary directory.
#pragma once

#include "temp_directory.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hardening {

constexpr size_t recordSize = 2056;
constexpr size_t slotSize = 255;
constexpr const char* formTitle = "Add words To translation File";

std::string headerBytes(int32_t count);  // a whole header record with this count
int32_t int32At(const std::string& bytes, size_t offset);  // 0 when the bytes end before it
int32_t headerCount(const std::string& file);
size_t wholeRecords(const std::string& file);
// What start-up makes of a dictionary: one too short to hold its header gets a header
// with count 1 and nothing else; a file that holds a record is left as it is.
std::string afterStartUp(const std::string& original);
// What is wrong with the dictionary a clean-up pass made of `original`, empty when
// nothing is: its count is at least 1 and no more than the entries the original held,
// and nothing follows its records (nothing a work file held before reaches it).
std::string passResultFault(const std::string& original, const std::string& result);

struct BoxSeen {
    std::string caption;
    std::string text;
};

// What the form and message boxes showed while a session ran.
struct SessionLog {
    std::vector<BoxSeen> boxes;
    int formsShown = 0;  // distinct form windows the actions found on screen
    // The closing command left the form on screen, so the session fell back on Cancel.
    bool closingRefused = false;
};

HWND formWindow();  // the editor form while it is on screen, else null
HWND control(int id);
std::string controlText(int id);
void setControlText(int id, const std::string& text);  // as the program's own updates do
void clickControl(int id);

class EditorSession {
public:
    EditorSession();                                       // in a fresh directory
    explicit EditorSession(const std::string& directory);  // in a directory of the caller's
    ~EditorSession();

    std::string dictionaryPath() const { return directory_ + "/TranslationFile.dat"; }
    std::string workFilePath() const { return directory_ + "/TranslationFileNEW.dat"; }
    const std::string& directory() const { return directory_; }

    // Each action runs when the program waits for input with the form on screen; message
    // boxes are read into the log and answered with Enter in between. When the actions
    // are used up the form is closed with `closingCommand` (OK by default).
    void addAction(std::function<void()> action) { actions_.push_back(std::move(action)); }
    void setClosingCommand(int id) { closingCommand_ = id; }
    // A bound on the program's waits, so that a stalled program fails instead of hanging.
    void setWaitLimit(int waits) { waitLimit_ = waits; }

    int32_t run();  // runEditor()'s result
    const SessionLog& log() const { return log_; }
    size_t actionsDone() const { return next_; }

private:
    void nextWait();

    std::optional<testfs::TempDirectory> ownDirectory_;
    std::string directory_;
    std::vector<std::function<void()>> actions_;
    size_t next_ = 0;
    int closingCommand_ = 28;
    int waits_ = 0;
    int waitLimit_ = 2000;
    int closingAttempts_ = 0;
    HWND lastForm_ = nullptr;
    SessionLog log_;
};

}  // namespace hardening
