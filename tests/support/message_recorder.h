// Test windows that record the messages they receive, and a fixture that gives each test
// a fresh headless display and removes every window the test left behind.
#pragma once

#include "display/headless/headless.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace testmsg {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Everything any recording window received, in order, with the calls of a CbtRecorder.
std::vector<Received>& log();
void record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Messages of one window with this number, in order.
std::vector<Received> received(HWND window, UINT message);
// Their wParam / lParam values, in order.
std::vector<WPARAM> wParams(HWND window, UINT message);
std::vector<LPARAM> lParams(HWND window, UINT message);
// Position of the first such message in the log, or -1.
int firstIndex(HWND window, UINT message);

// One message of an expected sequence. The window and the message always count; wParam
// and lParam count when `compare` says so; an optional entry may be missing. For
// WM_WINDOWPOSCHANGING and WM_WINDOWPOSCHANGED the log holds the WINDOWPOS flags as wParam.
enum Compare : unsigned { kWParam = 1, kLParam = 2, kParams = kWParam | kLParam, kOptional = 4 };
struct Expected {
    HWND window;
    UINT message;
    unsigned compare = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Whether the log since it was last cleared is `expected`, compared whole as Win32's
// message tests compare sequences: entry by entry, an optional entry skipped where it does
// not match, and any other difference, a missing message or one more, a failure that
// shows both sequences by name. Clears the log. Pointing, asking for text and fonts, and
// painting are left out, as they come and go with the pointer's path and with when the
// queue was last idle, unless `alsoCompared` names them.
::testing::AssertionResult sequenceIs(const std::vector<Expected>& expected,
                                      const std::vector<UINT>& alsoCompared = {});

// Records what an existing window (a control, a dialog) receives, before its own procedure.
void recordMessagesOf(HWND window);

// While it lives, a thread CBT hook records HCBT_ACTIVATE as {activated window,
// kCbtActivate, fMouse, previously active window} and HCBT_SETFOCUS as {new focus,
// kCbtSetFocus, 0, old focus}. `refuse` answers whether the hook forbids the change.
constexpr UINT kCbtActivate = 0x10000 + HCBT_ACTIVATE;
constexpr UINT kCbtSetFocus = 0x10000 + HCBT_SETFOCUS;
class CbtRecorder {
public:
    explicit CbtRecorder(std::function<bool(int code, WPARAM wParam)> refuse = nullptr);
    ~CbtRecorder();
    CbtRecorder(const CbtRecorder&) = delete;
    CbtRecorder& operator=(const CbtRecorder&) = delete;
};

// Registers a class of this procedure (with the recorders' extra bytes and background)
// unless one of that name exists; returns the name.
const char* registerOnce(const char* name, WNDPROC procedure, UINT style = 0, LPCSTR cursor = IDC_ARROW);

// "Recorder": records, then leaves the message to DefWindowProcA. Paints its client area
// in the colour stored in GWLP_USERDATA (when non-zero) on WM_PAINT.
// "DoubleClickRecorder": the same with CS_DBLCLKS.
const char* recorderClass();
const char* doubleClickRecorderClass();

HWND topLevel(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE, const char* title = "",
              DWORD exStyle = 0, const char* className = nullptr);
HWND child(HWND parent, int id, int x, int y, int width, int height, DWORD style = WS_CHILD | WS_VISIBLE,
           const char* className = nullptr);

void pump();  // TranslateMessage and DispatchMessageA until the queue is idle

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    display::HeadlessBackend* display = nullptr;
};

}  // namespace testmsg
