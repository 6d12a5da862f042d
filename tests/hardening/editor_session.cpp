#include "editor_session.h"

#include "display/headless/headless.h"
#include "kernel/module_path.h"
#include "main_sequence.h"
#include "ui_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace hardening {

std::string headerBytes(int32_t count) {
    std::string record(recordSize, '\0');
    std::memcpy(record.data(), &count, sizeof count);
    return record;
}

int32_t int32At(const std::string& bytes, size_t offset) {
    int32_t value = 0;
    if (offset + sizeof value <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

int32_t headerCount(const std::string& file) { return int32At(file, 0); }

size_t wholeRecords(const std::string& file) { return file.size() / recordSize; }

std::string afterStartUp(const std::string& original) {
    return original.size() >= recordSize ? original : headerBytes(1);
}

std::string passResultFault(const std::string& original, const std::string& result) {
    const std::string before = afterStartUp(original);
    const int64_t entriesHeld = std::min<int64_t>(headerCount(before), int64_t(wholeRecords(before)));
    const int32_t count = headerCount(result);
    if (count < 1 || count > std::max<int64_t>(1, entriesHeld))
        return "count " + std::to_string(count) + " where the original held " + std::to_string(entriesHeld) +
               " entries";
    if (result.size() != static_cast<size_t>(count) * recordSize)
        return std::to_string(result.size()) + " bytes for a count of " + std::to_string(count);
    return "";
}

HWND formWindow() { return testui::topLevel(formTitle); }

HWND control(int id) { return GetDlgItem(formWindow(), id); }

std::string controlText(int id) { return testui::windowText(control(id)); }

void setControlText(int id, const std::string& text) { SetWindowTextA(control(id), text.c_str()); }

void clickControl(int id) { testui::click(control(id)); }

namespace {

BOOL CALLBACK collectStaticText(HWND child, LPARAM collected) {
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    std::string text = testui::windowText(child);
    if (lstrcmpiA(className, "Static") == 0 && !text.empty()) {
        auto& out = *reinterpret_cast<std::string*>(collected);
        out += out.empty() ? text : "\n" + text;
    }
    return TRUE;
}

}  // namespace

EditorSession::EditorSession() : ownDirectory_(std::in_place), directory_(ownDirectory_->path()) {
    display::installHeadless();
    kernel::setModuleFileNameForTesting(directory_ + "/translation-editor");
}

EditorSession::EditorSession(const std::string& directory) : directory_(directory) {
    display::installHeadless();
    kernel::setModuleFileNameForTesting(directory_ + "/translation-editor");
}

EditorSession::~EditorSession() { kernel::setModuleFileNameForTesting(""); }

void EditorSession::nextWait() {
    if (++waits_ > waitLimit_) {
        ADD_FAILURE() << "the program waited more than " << waitLimit_ << " times";
        return;  // no step left: the display ends the run rather than hang
    }
    testui::headless().addStep([this] { nextWait(); });
    HWND form = formWindow();
    HWND active = GetActiveWindow();
    if (active && active != form && IsWindowVisible(active)) {
        BoxSeen box{testui::windowText(active), ""};
        EnumChildWindows(active, collectStaticText, reinterpret_cast<LPARAM>(&box.text));
        log_.boxes.push_back(box);
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
    else if (++closingAttempts_ <= 2)
        clickControl(closingCommand_);
    else {
        log_.closingRefused = true;
        clickControl(29);
    }
}

int32_t EditorSession::run() {
    testui::headless().addStep([this] { nextWait(); });
    return runEditor();
}

}  // namespace hardening
