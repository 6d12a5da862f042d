#include "editor_session.h"

#include "app/editor_state.h"
#include "app/main_sequence.h"
#include "display/headless/headless.h"
#include "kernel/module_path.h"
#include "ui_driver.h"

#include <cmath>
#include <cstdlib>
#include <ostream>

namespace editor {

std::ostream& operator<<(std::ostream& out, const FormView& view) {
    out << "[box '" << view.entryNumber << "'";
    for (const std::string& field : view.fields) out << " '" << field << "'";
    return out << "]";
}

std::string shownNumber(int32_t value) { return " " + std::to_string(value); }

FormView shownAs(const TestEntry& entry, int32_t record) {
    FormView view;
    view.fields[0] = shownNumber(entry.mode);
    view.fields[1] = shownNumber(entry.command);
    view.fields[2] = shownNumber(entry.replyKind);
    view.fields[3] = shownNumber(entry.wordClass);
    for (size_t i = 0; i < entry.texts.size(); ++i) view.fields[4 + i] = entry.texts[i];
    view.entryNumber = shownNumber(record);
    return view;
}

HWND formWindow() { return testui::topLevel(formTitle); }

HWND control(int id) {
    HWND form = formWindow();
    EXPECT_NE(form, nullptr) << "the form is not on screen";
    HWND item = form ? GetDlgItem(form, id) : nullptr;
    EXPECT_NE(item, nullptr) << "no control " << id;
    return item;
}

std::string controlText(int id) {
    HWND item = control(id);
    return item ? testui::windowText(item) : std::string();
}

void setText(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }

void clickControl(int id) {
    if (HWND item = control(id)) testui::click(item);
}

void typeInto(int id, const std::string& text) {
    if (HWND item = control(id)) testui::replaceText(item, text);
}

void pasteInto(int id, const std::string& text) {
    HWND item = control(id);
    if (!item) return;
    testui::headless().setClipboardText(text);
    testui::click(item);
    testui::key('A', display::ModControl);
    testui::key('V', display::ModControl);
}

FormView formView() {
    FormView view;
    for (int i = 0; i < 12; ++i) view.fields[i] = controlText(firstEntryField + i);
    view.entryNumber = controlText(entryNumberBox);
    return view;
}

MessageBoxSeen answerMessageBox(const std::string& caption) {
    MessageBoxSeen seen;
    HWND box = testui::topLevel(caption);
    EXPECT_NE(box, nullptr) << "no message box '" << caption << "'";
    if (!box) return seen;
    seen.caption = caption;
    HWND form = formWindow();
    seen.ownedByForm = form != nullptr && GetWindow(box, GW_OWNER) == form;
    seen.text = testui::staticTexts(box);
    testui::IconColour icon = testui::dominantIconColour(box);
    seen.stopIcon = icon == testui::IconColour::red;
    seen.exclamationIcon = icon == testui::IconColour::yellow;
    HWND okButton = testui::childWithText(box, "Button", "OK");
    EXPECT_NE(okButton, nullptr) << "message box '" << caption << "' has no OK button";
    if (okButton) testui::click(okButton);
    return seen;
}

bool messageBoxShown(const std::string& caption) { return testui::topLevel(caption) != nullptr; }

namespace {

// The scenario runs on a screen of this scale (EDITOR_TEST_SCALE, a factor, 1 when unset):
// the same steps must pass on a high-resolution screen.
display::Scale testScale() {
    const char* factor = std::getenv("EDITOR_TEST_SCALE");
    display::Scale scale;
    if (factor && *factor) scale.dpi = static_cast<int>(std::lround(std::atof(factor) * display::Scale::kProgramDpi));
    return scale;
}

void installTestDisplay() { display::installHeadless({0, 0, 1024, 768}, {0, 0, 1024, 738}, testScale()); }

}  // namespace

EditorSession::EditorSession() : ownDirectory_(std::in_place), directory_(ownDirectory_->path()) {
    resetEditorState();
    installTestDisplay();
    kernel::setModuleFileNameForTesting(directory_ + "/translation-editor");
}

EditorSession::EditorSession(const std::string& directory) : directory_(directory) {
    resetEditorState();
    installTestDisplay();
    kernel::setModuleFileNameForTesting(directory_ + "/translation-editor");
}

EditorSession::~EditorSession() { kernel::setModuleFileNameForTesting(""); }

std::vector<TestEntry> EditorSession::writeNumberedDictionary(int32_t count) const {
    std::vector<TestEntry> entries = numberedEntries(count);
    writeDictionary(dictionaryBytes(count, entries));
    return entries;
}

void EditorSession::step(std::function<void()> action) {
    stepped_ = true;
    testui::headless().addStep(std::move(action));
}

void EditorSession::nextWait() {
    if (++waits_ > waitLimit_) {
        ADD_FAILURE() << "the program waited more than " << waitLimit_ << " times";
        return;  // no step left: the display ends the run rather than hang
    }
    testui::headless().addStep([this] { nextWait(); });
    HWND form = formWindow();
    HWND active = GetActiveWindow();
    if (active && active != form && IsWindowVisible(active)) {
        log_.boxes.push_back({testui::windowText(active), testui::staticTexts(active)});
        testui::key(VK_RETURN);
        return;
    }
    if (!form) {
        ADD_FAILURE() << "the program waits with neither form nor message box on screen";
        return;
    }
    if (form != lastForm_) {
        lastForm_ = form;
        ++log_.formsShown;
    }
    if (next_ < actions_.size())
        actions_[next_++]();
    else if (nextAction_ && nextAction_())
        return;
    else if (++closingAttempts_ <= 2)
        clickControl(closingCommand_);
    else {
        log_.closingRefused = true;
        clickControl(cancelButton);
    }
}

int32_t EditorSession::run() {
    if (!stepped_) testui::headless().addStep([this] { nextWait(); });
    return runEditor();
}

void EditorTest::runEditorToEnd() {
    EXPECT_EQ(session.run(), 0);
    EXPECT_EQ(testui::headless().stepsLeft(), 0u) << "the program ended before every step ran";
}

}  // namespace editor
