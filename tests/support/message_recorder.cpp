#include "message_recorder.h"

#include "ui_driver.h"
#include "user/windows/message_trace.h"
#include "user/windows/window_manager.h"

#include <algorithm>
#include <sstream>

namespace testmsg {

namespace {

LRESULT CALLBACK recordingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    record(window, message, wParam, lParam);
    if (message == WM_PAINT) {
        auto colour = static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (colour) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(window, &ps);
            RECT r;
            GetClientRect(window, &r);
            HBRUSH brush = CreateSolidBrush(colour & 0xFFFFFF);
            FillRect(dc, &r, brush);
            DeleteObject(brush);
            EndPaint(window, &ps);
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK recordingSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    record(window, message, wParam, lParam);
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, "RECORDED_PROC"));
    if (message == WM_NCDESTROY) RemovePropA(window, "RECORDED_PROC");
    return previous ? CallWindowProcA(previous, window, message, wParam, lParam) : 0;
}

struct CbtState {
    HHOOK hook = nullptr;
    std::function<bool(int, WPARAM)> refuse;
};
CbtState& cbt() {
    static CbtState state;
    return state;
}

LRESULT CALLBACK recordingCbtHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE || code == HCBT_SETFOCUS) {
        auto* activation = reinterpret_cast<const CBTACTIVATESTRUCT*>(lParam);
        if (code == HCBT_ACTIVATE)
            record(reinterpret_cast<HWND>(wParam), kCbtActivate, static_cast<WPARAM>(activation->fMouse),
                   reinterpret_cast<LPARAM>(activation->hWndActive));
        else
            record(reinterpret_cast<HWND>(wParam), kCbtSetFocus, 0, lParam);
        if (cbt().refuse && cbt().refuse(code, wParam)) return 1;
    }
    return CallNextHookEx(cbt().hook, code, wParam, lParam);
}

bool matches(const Expected& expected, const Received& received) {
    return expected.window == received.window && expected.message == received.message &&
           (!(expected.compare & kWParam) || expected.wParam == received.wParam) &&
           (!(expected.compare & kLParam) || expected.lParam == received.lParam);
}

void describe(std::ostream& out, size_t index, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
              unsigned compare) {
    const char* name = message == kCbtActivate   ? "HCBT_ACTIVATE"
                       : message == kCbtSetFocus ? "HCBT_SETFOCUS"
                                                 : user::messageName(message);
    out << "  " << index << ": " << window << ' ' << (name ? name : "") << std::hex;
    if (!name) out << "0x" << message;
    if (compare & kWParam) out << " wParam 0x" << wParam;
    if (compare & kLParam) out << " lParam 0x" << lParam;
    out << std::dec << (compare & kOptional ? " (optional)\n" : "\n");
}

BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<Received>& log() {
    static std::vector<Received> messages;
    return messages;
}

void record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING || message == WM_WINDOWPOSCHANGED)
        wParam = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
    log().push_back(Received{window, message, wParam, lParam});
}

::testing::AssertionResult sequenceIs(const std::vector<Expected>& expected, const std::vector<UINT>& alsoCompared) {
    static const UINT incidental[] = {WM_NCHITTEST,   WM_SETCURSOR,      WM_MOUSEMOVE,    WM_NCMOUSEMOVE,
                                      WM_GETTEXT,     WM_GETTEXTLENGTH,  WM_GETFONT,      WM_PAINT,
                                      WM_NCPAINT,     WM_ERASEBKGND,     WM_CTLCOLOREDIT, WM_CTLCOLORBTN,
                                      WM_CTLCOLORDLG, WM_CTLCOLORSTATIC, WM_DRAWITEM};
    auto compared = [&](UINT message) {
        return std::find(std::begin(incidental), std::end(incidental), message) == std::end(incidental) ||
               std::find(alsoCompared.begin(), alsoCompared.end(), message) != alsoCompared.end();
    };
    std::vector<Received> actual;
    for (const Received& r : log())
        if (compared(r.message)) actual.push_back(r);
    log().clear();
    size_t e = 0, a = 0;
    while (e < expected.size() && a < actual.size()) {
        if (matches(expected[e], actual[a])) {
            ++e;
            ++a;
        } else if (expected[e].compare & kOptional) {
            ++e;
        } else {
            break;
        }
    }
    while (e < expected.size() && a == actual.size() && (expected[e].compare & kOptional)) ++e;
    if (e == expected.size() && a == actual.size()) return ::testing::AssertionSuccess();

    std::ostringstream out;
    out << "the sequences part at expected " << e << ", received " << a << "\nexpected:\n";
    for (size_t i = 0; i < expected.size(); ++i)
        describe(out, i, expected[i].window, expected[i].message, expected[i].wParam, expected[i].lParam,
                 expected[i].compare);
    out << "received:\n";
    for (size_t i = 0; i < actual.size(); ++i)
        describe(out, i, actual[i].window, actual[i].message, actual[i].wParam, actual[i].lParam, kParams);
    return ::testing::AssertionFailure() << out.str();
}

void recordMessagesOf(HWND window) {
    LONG_PTR previous = SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recordingSubclass));
    SetPropA(window, "RECORDED_PROC", reinterpret_cast<HANDLE>(previous));
}

CbtRecorder::CbtRecorder(std::function<bool(int, WPARAM)> refuse) {
    cbt().refuse = std::move(refuse);
    cbt().hook = SetWindowsHookExA(WH_CBT, recordingCbtHook, nullptr, GetCurrentThreadId());
}

CbtRecorder::~CbtRecorder() {
    UnhookWindowsHookEx(cbt().hook);
    cbt() = CbtState{};
}

std::vector<Received> received(HWND window, UINT message) {
    std::vector<Received> out;
    for (const Received& r : log())
        if (r.window == window && r.message == message) out.push_back(r);
    return out;
}

std::vector<WPARAM> wParams(HWND window, UINT message) {
    std::vector<WPARAM> out;
    for (const Received& r : received(window, message)) out.push_back(r.wParam);
    return out;
}

std::vector<LPARAM> lParams(HWND window, UINT message) {
    std::vector<LPARAM> out;
    for (const Received& r : received(window, message)) out.push_back(r.lParam);
    return out;
}

int firstIndex(HWND window, UINT message) {
    for (size_t i = 0; i < log().size(); ++i)
        if (log()[i].window == window && log()[i].message == message) return static_cast<int>(i);
    return -1;
}

const char* registerOnce(const char* name, WNDPROC procedure, UINT style, LPCSTR cursor) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = 16;
    wc.hCursor = LoadCursorA(nullptr, cursor);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = name;
    WNDCLASSEXA existing{};
    if (!GetClassInfoExA(nullptr, name, &existing)) RegisterClassExA(&wc);
    return name;
}

const char* recorderClass() { return registerOnce("Recorder", recordingProcedure); }
const char* doubleClickRecorderClass() { return registerOnce("DoubleClickRecorder", recordingProcedure, CS_DBLCLKS); }

HWND topLevel(int x, int y, int width, int height, DWORD style, const char* title, DWORD exStyle,
              const char* className) {
    return CreateWindowExA(exStyle, className ? className : recorderClass(), title, style, x, y, width, height, nullptr,
                           nullptr, nullptr, nullptr);
}

HWND child(HWND parent, int id, int x, int y, int width, int height, DWORD style, const char* className) {
    return CreateWindowExA(0, className ? className : recorderClass(), "", style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void pump() { testui::pumpUntilIdle(); }

void WindowTest::SetUp() {
    display = &display::installHeadless();
    log().clear();
}

void WindowTest::TearDown() {
    std::vector<HWND> tops;
    EnumChildWindows(nullptr, collect, reinterpret_cast<LPARAM>(&tops));
    for (HWND w : tops) DestroyWindow(w);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    ReleaseCapture();
    log().clear();
    user::WindowManager::reset();
}

}  // namespace testmsg
