// Test windows that record the messages they receive, and a fixture that gives each test
// a fresh headless display and removes every window the test left behind.
#pragma once

#include "display/headless/headless.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace wmtest {

struct Received {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Everything any recording window received, in order.
std::vector<Received>& log();
// Messages of one window with this number, in order.
std::vector<Received> received(HWND window, UINT message);
// Their wParam / lParam values, in order.
std::vector<WPARAM> wParams(HWND window, UINT message);
std::vector<LPARAM> lParams(HWND window, UINT message);
// Position of the first such message in the log, or -1.
int firstIndex(HWND window, UINT message);

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
COLORREF screenPixel(int x, int y);  // of the headless screenshot, after presenting

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    display::HeadlessBackend* display = nullptr;
};

}  // namespace wmtest
