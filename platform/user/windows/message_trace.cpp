#include "user/windows/message_trace.h"

#include "user/windows/window_internal.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace user {

namespace {

struct NamedMessage {
    UINT number;
    const char* name;
};

#define NAMED(message) \
    { message, #message }
// The messages the layer sends, posts or answers. The dialog manager's two are numbered from
// WM_USER, which is also where a program's own messages start: those show by that name.
constexpr NamedMessage kNames[] = {
    NAMED(WM_NULL),
    NAMED(WM_CREATE),
    NAMED(WM_DESTROY),
    NAMED(WM_MOVE),
    NAMED(WM_SIZE),
    NAMED(WM_ACTIVATE),
    NAMED(WM_SETFOCUS),
    NAMED(WM_KILLFOCUS),
    NAMED(WM_ENABLE),
    NAMED(WM_SETREDRAW),
    NAMED(WM_SETTEXT),
    NAMED(WM_GETTEXT),
    NAMED(WM_GETTEXTLENGTH),
    NAMED(WM_PAINT),
    NAMED(WM_CLOSE),
    NAMED(WM_QUIT),
    NAMED(WM_ERASEBKGND),
    NAMED(WM_SYSCOLORCHANGE),
    NAMED(WM_SHOWWINDOW),
    NAMED(WM_CTLCOLOR),
    NAMED(WM_ACTIVATEAPP),
    NAMED(WM_CANCELMODE),
    NAMED(WM_SETCURSOR),
    NAMED(WM_MOUSEACTIVATE),
    NAMED(WM_GETMINMAXINFO),
    NAMED(WM_NEXTDLGCTL),
    NAMED(WM_DRAWITEM),
    NAMED(WM_VKEYTOITEM),
    NAMED(WM_CHARTOITEM),
    NAMED(WM_SETFONT),
    NAMED(WM_GETFONT),
    NAMED(WM_QUERYDRAGICON),
    NAMED(WM_COMPAREITEM),
    NAMED(WM_WINDOWPOSCHANGING),
    NAMED(WM_WINDOWPOSCHANGED),
    NAMED(WM_NOTIFY),
    NAMED(WM_CONTEXTMENU),
    NAMED(WM_NCCREATE),
    NAMED(WM_NCDESTROY),
    NAMED(WM_NCCALCSIZE),
    NAMED(WM_NCHITTEST),
    NAMED(WM_NCPAINT),
    NAMED(WM_NCACTIVATE),
    NAMED(WM_GETDLGCODE),
    NAMED(WM_NCMOUSEMOVE),
    NAMED(WM_NCLBUTTONDOWN),
    NAMED(WM_NCLBUTTONUP),
    NAMED(WM_NCLBUTTONDBLCLK),
    NAMED(WM_NCRBUTTONDOWN),
    NAMED(WM_NCRBUTTONUP),
    NAMED(WM_NCRBUTTONDBLCLK),
    NAMED(EM_GETSEL),
    NAMED(EM_SETSEL),
    NAMED(EM_GETMODIFY),
    NAMED(EM_SETMODIFY),
    NAMED(EM_REPLACESEL),
    NAMED(EM_LIMITTEXT),
    NAMED(EM_SETREADONLY),
    NAMED(EM_GETLIMITTEXT),
    NAMED(BM_GETCHECK),
    NAMED(BM_SETCHECK),
    NAMED(BM_GETSTATE),
    NAMED(BM_SETSTATE),
    NAMED(BM_SETSTYLE),
    NAMED(BM_CLICK),
    NAMED(BM_GETIMAGE),
    NAMED(BM_SETIMAGE),
    NAMED(WM_KEYDOWN),
    NAMED(WM_KEYUP),
    NAMED(WM_CHAR),
    NAMED(WM_DEADCHAR),
    NAMED(WM_SYSKEYDOWN),
    NAMED(WM_SYSKEYUP),
    NAMED(WM_SYSCHAR),
    NAMED(WM_INITDIALOG),
    NAMED(WM_COMMAND),
    NAMED(WM_SYSCOMMAND),
    NAMED(WM_TIMER),
    NAMED(WM_HSCROLL),
    NAMED(WM_VSCROLL),
    NAMED(WM_ENTERIDLE),
    NAMED(WM_CTLCOLORMSGBOX),
    NAMED(WM_CTLCOLOREDIT),
    NAMED(WM_CTLCOLORLISTBOX),
    NAMED(WM_CTLCOLORBTN),
    NAMED(WM_CTLCOLORDLG),
    NAMED(WM_CTLCOLORSCROLLBAR),
    NAMED(WM_CTLCOLORSTATIC),
    NAMED(STM_SETICON),
    NAMED(STM_GETICON),
    NAMED(STM_SETIMAGE),
    NAMED(STM_GETIMAGE),
    NAMED(WM_MOUSEMOVE),
    NAMED(WM_LBUTTONDOWN),
    NAMED(WM_LBUTTONUP),
    NAMED(WM_LBUTTONDBLCLK),
    NAMED(WM_RBUTTONDOWN),
    NAMED(WM_RBUTTONUP),
    NAMED(WM_RBUTTONDBLCLK),
    NAMED(WM_MBUTTONDOWN),
    NAMED(WM_MBUTTONUP),
    NAMED(WM_MBUTTONDBLCLK),
    NAMED(WM_MOUSEWHEEL),
    NAMED(WM_PARENTNOTIFY),
    NAMED(WM_ENTERMENULOOP),
    NAMED(WM_SIZING),
    NAMED(WM_CAPTURECHANGED),
    NAMED(WM_MOVING),
    NAMED(WM_CUT),
    NAMED(WM_COPY),
    NAMED(WM_PASTE),
    NAMED(WM_CLEAR),
    NAMED(WM_UNDO),
    NAMED(DM_GETDEFID),
    NAMED(DM_SETDEFID),
};
#undef NAMED

const char* passageName(Passage passage) {
    switch (passage) {
    case Passage::Sent:
        return "sent";
    case Passage::Posted:
        return "posted";
    case Passage::Dispatched:
        return "dispatched";
    }
    return "";
}

// How many sent or dispatched messages are under way, for the indentation.
int depth = 0;

const char* printableName(UINT message, char (&number)[16]) {
    if (const char* name = messageName(message)) return name;
    std::snprintf(number, sizeof number, "0x%04X", message);
    return number;
}

}  // namespace

const char* messageName(UINT message) {
    for (const NamedMessage& named : kNames)
        if (named.number == message) return named.name;
    return nullptr;
}

const bool messageTraceOn = [] {
    const char* trace = std::getenv("EDITOR_TRACE");
    return trace && std::strcmp(trace, "msg") == 0;
}();

void traceMessage(Passage passage, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char className[64] = "";
    if (window) GetClassNameA(window, className, sizeof className);
    int id = window && (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) ? GetDlgCtrlID(window) : 0;
    char number[16];
    std::fprintf(stderr, "msg %*s%-10s %p %s id %d %s wParam %#llx lParam %#llx\n", 2 * depth, "", passageName(passage),
                 static_cast<void*>(window), className, id, printableName(message, number),
                 static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam));
    if (passage != Passage::Posted) ++depth;
}

void traceResult(HWND window, UINT message, LRESULT result) {
    --depth;
    char number[16];
    std::fprintf(stderr, "msg %*sreturned   %p %s -> %#llx\n", 2 * depth, "", static_cast<void*>(window),
                 printableName(message, number), static_cast<unsigned long long>(result));
}

}  // namespace user
