// A dialog procedure for tests: it records what reaches it in the window recorders' log
// and lets a test answer messages with a function. The script travels as the
// WM_INITDIALOG parameter.
#pragma once

#include "message_recorder.h"
#include "template_builder.h"

#include <windows.h>

#include <functional>
#include <map>
#include <vector>

namespace testdialogs {

struct Command {
    WPARAM wParam;
    LPARAM lParam;
};

struct DialogScript {
    HWND dialog = nullptr;
    std::vector<Command> commands;  // WM_COMMAND parameters
    // Answers a message; without it WM_INITDIALOG gets TRUE and the rest FALSE.
    std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)> onMessage;

    // The commands with notification code 0 (BN_CLICKED, and the dialog keys'
    // commands), leaving out the notifications controls send as they take the focus.
    std::vector<Command> clicks() const {
        std::vector<Command> result;
        for (const Command& c : commands)
            if (HIWORD(c.wParam) == BN_CLICKED) result.push_back(c);
        return result;
    }

    bool received(UINT message) const { return dialog && !testmsg::received(dialog, message).empty(); }
};

inline INT_PTR CALLBACK scriptedProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetPropA(dialog, "TEST_SCRIPT", reinterpret_cast<HANDLE>(lParam));
    auto* script = static_cast<DialogScript*>(GetPropA(dialog, "TEST_SCRIPT"));
    if (!script) return FALSE;
    if (message == WM_INITDIALOG) script->dialog = dialog;
    if (message == WM_NCDESTROY) RemovePropA(dialog, "TEST_SCRIPT");
    testmsg::record(dialog, message, wParam, lParam);
    if (message == WM_COMMAND) script->commands.push_back({wParam, lParam});
    if (script->onMessage) return script->onMessage(dialog, message, wParam, lParam);
    return message == WM_INITDIALOG;
}

inline INT_PTR runDialog(const DialogLayout& layout, DialogScript& script, HWND owner = nullptr) {
    auto block = TemplateBuilder::build(layout);
    return DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(block.data()), owner, scriptedProcedure,
                                   reinterpret_cast<LPARAM>(&script));
}

inline ItemLayout control(const char16_t* windowClass, WORD id, DWORD style, short x = 10, short y = 10, short cx = 60,
                          short cy = 12, const char16_t* title = u"") {
    ItemLayout layout;
    layout.windowClass = Field::name(windowClass);
    layout.id = id;
    layout.style = WS_CHILD | WS_VISIBLE | style;
    layout.x = x;
    layout.y = y;
    layout.cx = cx;
    layout.cy = cy;
    layout.title = Field::name(title);
    return layout;
}

// "ProbeControl": a control that notes the fonts the dialog manager gives it.
struct ProbeRecord {
    HFONT font = nullptr;
    int fontMessages = 0;
};
inline std::map<HWND, ProbeRecord>& probes() {
    static std::map<HWND, ProbeRecord> all;
    return all;
}
inline LRESULT CALLBACK probeControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    ProbeRecord& record = probes()[window];
    if (message == WM_SETFONT) {
        record.font = reinterpret_cast<HFONT>(wParam);
        ++record.fontMessages;
        return 0;
    }
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(record.font);
    return DefWindowProcA(window, message, wParam, lParam);
}
inline void registerProbeControl() { testmsg::registerOnce("ProbeControl", probeControlProc); }

}  // namespace testdialogs
