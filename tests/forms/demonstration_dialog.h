// A small dialog built like the editor's form, with every control kind the editor uses:
// labels that notify, edit fields with and without ES_NUMBER, a group box and owner-drawn
// command buttons. Its handler logs what it is told.
#pragma once

#include "dialogs.h"
#include "events.h"

#include <functional>
#include <string>
#include <vector>

namespace demo {

enum Id : int32_t {
    keyLabel = 1,  // the label Enter reaches: DM_GETDEFID starts as IDOK
    countLabel = 2,
    keyField = 6,
    countField = 7,
    group = 20,
    upButton = 34,
    downButton = 35,
    okButton = 40,
};

struct Event {
    int32_t message;
    int32_t controlId;
    int32_t notifyCode;
    WPARAM wParam;
    LPARAM lParam;
};

extern DialogObject dialog;
extern std::vector<Event> log;
// Runs inside the handler, after the event was logged, when set.
extern std::function<int32_t()> reaction;

void build();
std::vector<Event> commands();  // the 32772 events of the log
HWND control(int32_t id);

}  // namespace demo
