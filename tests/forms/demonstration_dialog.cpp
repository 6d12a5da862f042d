#include "demonstration_dialog.h"

namespace demo {

DialogObject dialog;
std::vector<Event> log;
std::function<int32_t()> reaction;

namespace {

int32_t handler() {
    log.push_back({eventContext.message, eventContext.controlId, eventContext.notifyCode, eventContext.wParam,
                   eventContext.lParam});
    return reaction ? reaction() : 0;
}

}  // namespace

void build() {
    log.clear();
    reaction = nullptr;
    createDialog(dialog, 0, 7, 420, 250, 0x80C80080, nullptr, "Forms demonstration", handler);
    addControl(dialog, kindGroupBox, "Entry", 9, 4, 402, 110, 0x50000007, group);
    addControl(dialog, kindLabel, "1 Key words", 21, 30, 99, 19, 0x5000010B, keyLabel);
    addControl(dialog, kindEdit, "", 129, 30, 270, 19, 0x50800000, keyField);
    addControl(dialog, kindLabel, "2 Count", 21, 62, 99, 19, 0x5000010B, countLabel);
    addControl(dialog, kindEdit, "12", 129, 62, 81, 19, 0x50802000, countField);
    addControl(dialog, kindCommandButton, "Up", 21, 140, 81, 29, 0x50000000, upButton);
    addControl(dialog, kindCommandButton, "Down", 111, 140, 81, 29, 0x50000000, downButton);
    addControl(dialog, kindCommandButton, "OK", 318, 190, 81, 29, 0x50000000, okButton);
}

std::vector<Event> commands() {
    std::vector<Event> found;
    for (const Event& e : log)
        if (e.message == commandMessage) found.push_back(e);
    return found;
}

HWND control(int32_t id) { return GetDlgItem(dialog.window, id); }

}  // namespace demo
