#include "control_fixture.h"

#include "ui_driver.h"

#include <map>

namespace controls_test {
namespace {

std::vector<DRAWITEMSTRUCT> drawn;

struct ColourAnswer {
    HBRUSH brush = nullptr;
    COLORREF text = 0;
};
std::map<UINT, ColourAnswer> colourAnswers;

bool isColourRequest(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

LRESULT CALLBACK parentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND || message == WM_DRAWITEM || isColourRequest(message) ||
        message == WM_LBUTTONDOWN || message == WM_LBUTTONUP) {
        testmsg::record(window, message, wParam, lParam);
        if (message == WM_DRAWITEM)
            drawn.push_back(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    }
    if (isColourRequest(message)) {
        auto answer = colourAnswers.find(message);
        if (answer != colourAnswers.end()) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, answer->second.text);
            SetBkColor(dc, RGB(255, 255, 255));
            return reinterpret_cast<LRESULT>(answer->second.brush);
        }
    }
    if (message == WM_ERASEBKGND) {
        RECT client{};
        GetClientRect(window, &client);
        HBRUSH brush = CreateSolidBrush(parentBackground);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerParentClass() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = parentProcedure;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "ControlTestParent";
    RegisterClassExA(&windowClass);
}

}  // namespace

void ControlTest::SetUp() {
    display::installHeadless();
    registerParentClass();
    clearLog();
    colourAnswers.clear();
    parent = CreateWindowExA(0, "ControlTestParent", "Controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 100, 100,
                             420, 320, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    ShowWindow(parent, SW_SHOW);
    testui::pumpUntilIdle();
}

void ControlTest::TearDown() {
    DestroyWindow(parent);
    testui::pumpUntilIdle();
    for (auto& answer : colourAnswers)
        DeleteObject(answer.second.brush);
    colourAnswers.clear();
}

HWND ControlTest::make(const char* className, const char* text, DWORD style, int x, int y, int width, int height,
                       int id, DWORD exStyle) {
    HWND control = CreateWindowExA(exStyle, className, text, style | WS_CHILD | WS_VISIBLE, x, y, width, height, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    EXPECT_NE(control, nullptr) << className;
    return control;
}

void ControlTest::clearLog() {
    testmsg::log().clear();
    drawn.clear();
}

std::vector<WORD> ControlTest::commandsFrom(HWND control) {
    std::vector<WORD> codes;
    for (const Received& entry : log())
        if (entry.message == WM_COMMAND && reinterpret_cast<HWND>(entry.lParam) == control)
            codes.push_back(HIWORD(entry.wParam));
    return codes;
}

const std::vector<DRAWITEMSTRUCT>& ControlTest::drawItems() { return drawn; }

void ControlTest::answerColour(UINT colourMessage, COLORREF background, COLORREF text) {
    ColourAnswer& answer = colourAnswers[colourMessage];
    if (answer.brush)
        DeleteObject(answer.brush);
    answer.brush = CreateSolidBrush(background);
    answer.text = text;
}

HBITMAP ControlTest::solidBitmap(int width, int height, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, width, height};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace controls_test
