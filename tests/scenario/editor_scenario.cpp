#include "editor_scenario.h"

#include "display/headless/headless.h"
#include "kernel/module_path.h"
#include "main_sequence.h"
#include "ui_driver.h"

#include <cstdlib>
#include <strings.h>
#include <filesystem>
#include <ostream>

namespace scenario {

std::ostream& operator<<(std::ostream& out, const FormView& view) {
    out << "[box '" << view.entryNumber << "'";
    for (const std::string& field : view.fields)
        out << " '" << field << "'";
    return out << "]";
}

std::string shownNumber(int32_t value) { return " " + std::to_string(value); }

FormView shownAs(const TestEntry& entry, int32_t record) {
    FormView view;
    view.fields[0] = shownNumber(entry.mode);
    view.fields[1] = shownNumber(entry.command);
    view.fields[2] = shownNumber(entry.replyKind);
    view.fields[3] = shownNumber(entry.wordClass);
    for (size_t i = 0; i < entry.texts.size(); ++i)
        view.fields[4 + i] = entry.texts[i];
    view.entryNumber = shownNumber(record);
    return view;
}

// A hidden window of the same title may still exist: a form ended by a pass stays until
// the form shown after it is closed.
HWND visibleTopLevel(const std::string& title) {
    for (HWND window = GetWindow(GetDesktopWindow(), GW_CHILD); window; window = GetWindow(window, GW_HWNDNEXT))
        if (IsWindowVisible(window) && testui::windowText(window) == title)
            return window;
    return nullptr;
}

HWND formWindow() { return visibleTopLevel(formTitle); }

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

void clickControl(int id) {
    if (HWND item = control(id))
        testui::click(item);
}

void typeInto(int id, const std::string& text) {
    if (HWND item = control(id))
        testui::replaceText(item, text);
}

void pasteInto(int id, const std::string& text) {
    HWND item = control(id);
    if (!item)
        return;
    testui::headless().setClipboardText(text);
    testui::click(item);
    testui::key('A', display::ModControl);
    testui::key('V', display::ModControl);
}

FormView formView() {
    FormView view;
    for (int i = 0; i < 12; ++i)
        view.fields[i] = controlText(6 + i);
    view.entryNumber = controlText(32);
    return view;
}

namespace {

struct ChildSearch {
    std::vector<HWND> children;
};

BOOL CALLBACK collectChild(HWND child, LPARAM context) {
    reinterpret_cast<ChildSearch*>(context)->children.push_back(child);
    return TRUE;
}

std::string className(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

bool isClass(HWND window, const char* name) { return strcasecmp(className(window).c_str(), name) == 0; }

// Which colour the icon area of a message box shows most: the stop icon is red, the
// exclamation icon yellow.
void judgeIcon(HWND box, MessageBoxSeen& seen) {
    testui::pumpUntilIdle();
    display::Pixels screen = testui::headless().screenshot();
    RECT r{};
    GetWindowRect(box, &r);
    int red = 0, yellow = 0;
    for (int y = r.top; y < r.bottom && y < screen.height; ++y)
        for (int x = r.left; x < r.right && x < screen.width; ++x) {
            if (x < 0 || y < 0)
                continue;
            uint32_t p = screen.at(x, y);
            int cr = (p >> 16) & 0xFF, cg = (p >> 8) & 0xFF, cb = p & 0xFF;
            if (cr > 180 && cg < 80 && cb < 80)
                ++red;
            else if (cr > 180 && cg > 180 && cb < 80)
                ++yellow;
        }
    seen.stopIcon = red > 20 && red > yellow;
    seen.exclamationIcon = yellow > 20 && yellow > red;
}

}  // namespace

MessageBoxSeen answerMessageBox(const std::string& caption) {
    MessageBoxSeen seen;
    HWND box = visibleTopLevel(caption);
    EXPECT_NE(box, nullptr) << "no message box '" << caption << "'";
    if (!box)
        return seen;
    seen.caption = caption;
    HWND form = formWindow();
    seen.ownedByForm = form != nullptr && GetWindow(box, GW_OWNER) == form;
    ChildSearch search;
    EnumChildWindows(box, collectChild, reinterpret_cast<LPARAM>(&search));
    HWND okButton = nullptr;
    for (HWND child : search.children) {
        std::string text = testui::windowText(child);
        if (isClass(child, "Button") && text == "OK")
            okButton = child;
        else if (isClass(child, "Static") && !text.empty())
            seen.text = text;
    }
    judgeIcon(box, seen);
    EXPECT_NE(okButton, nullptr) << "message box '" << caption << "' has no OK button";
    if (okButton)
        testui::click(okButton);
    return seen;
}

bool messageBoxShown(const std::string& caption) { return visibleTopLevel(caption) != nullptr; }

void EditorScenario::SetUp() {
    std::string base = (std::filesystem::temp_directory_path() / "editor-scenario-XXXXXX").string();
    ASSERT_NE(mkdtemp(base.data()), nullptr);
    directory_ = base;
    kernel::setModuleFileNameForTesting(directory_ + "/translation-editor");
    display::installHeadless();
}

void EditorScenario::TearDown() {
    kernel::setModuleFileNameForTesting("");
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::vector<TestEntry> EditorScenario::writeNumberedDictionary(int32_t count) {
    std::vector<TestEntry> entries;
    for (int32_t record = 2; record <= count; ++record)
        entries.push_back(word("w" + std::to_string(record)));
    writeDictionary(dictionaryBytes(count, entries));
    return entries;
}

void EditorScenario::step(std::function<void()> action) { testui::headless().addStep(std::move(action)); }

void EditorScenario::runEditorToEnd() {
    EXPECT_EQ(runEditor(), 0);
    EXPECT_EQ(testui::headless().stepsLeft(), 0u) << "the program ended before every step ran";
}

}  // namespace scenario
