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

// A sequence as Win32's message tests write one: the log's entries of these message
// numbers, in order. Compare it with a table of Received.
std::vector<Received> sequence(std::initializer_list<UINT> messages);
bool operator==(const Received& a, const Received& b);
void PrintTo(const Received& r, std::ostream* out);

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

HWND topLevel(int x, int y, int width, int height, DWORD style = WS_POPUP | WS_VISIBLE,
              const char* title = "", DWORD exStyle = 0, const char* className = nullptr);
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
