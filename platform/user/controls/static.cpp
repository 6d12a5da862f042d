// The STATIC class: labels (left, centred, right, simple), bitmaps and black rectangles.
// Labels paint with the colours their parent answers to WM_CTLCOLORSTATIC; without
// SS_NOTIFY they are transparent to the mouse, with it a press reports STN_CLICKED.
#include "user/controls/control_support.h"
#include "user/windows/system_classes.h"

namespace user {
namespace {

using namespace controls;

struct StaticState {
    HFONT font = nullptr;
    HANDLE image = nullptr;
};

UINT textFormat(DWORD style) {
    UINT format = DT_EXPANDTABS;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER:
        format |= DT_CENTER | DT_WORDBREAK;
        break;
    case SS_RIGHT:
        format |= DT_RIGHT | DT_WORDBREAK;
        break;
    case SS_SIMPLE:
        format = DT_LEFT | DT_SINGLELINE;
        break;
    case SS_LEFTNOWORDWRAP:
        format |= DT_LEFT;
        break;
    default:
        format |= DT_LEFT | DT_WORDBREAK;
        break;
    }
    if (style & SS_CENTERIMAGE) format = (format & ~static_cast<UINT>(DT_WORDBREAK)) | DT_VCENTER | DT_SINGLELINE;
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    return format;
}

void paintText(HWND window, HDC dc, const StaticState& state, RECT client, DWORD style) {
    std::string text = storedText(window);
    if (text.empty()) return;
    HGDIOBJ previousFont = SelectObject(dc, fontOrDefault(state.font));
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = 0;
    bool disabled = (style & WS_DISABLED) != 0;
    if (disabled) previousColour = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &client, textFormat(style));
    if (disabled) SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

void paintStatic(HWND window, HDC dc, const StaticState& state) {
    RECT client{};
    GetClientRect(window, &client);
    DWORD style = styleOf(window);
    HBRUSH brush = askParentForColours(window, dc, WM_CTLCOLORSTATIC);
    switch (style & SS_TYPEMASK) {
    case SS_BLACKRECT:
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOWFRAME));
        return;
    case SS_BITMAP:
        if (brush) FillRect(dc, &client, brush);
        drawBitmapCentred(dc, static_cast<HBITMAP>(state.image), client);
        return;
    case SS_ICON:
    case SS_ENHMETAFILE:
    case SS_OWNERDRAW:
        if (brush) FillRect(dc, &client, brush);
        return;
    default:
        if (brush) FillRect(dc, &client, brush);
        paintText(window, dc, state, client, style);
    }
}

LRESULT handleStatic(HWND window, StaticState* state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        // A label that does not notify lets clicks through to whatever lies beneath it.
        if (!hasStyle(window, SS_NOTIFY)) return HTTRANSPARENT;
        return HTCLIENT;
    case WM_LBUTTONDOWN:
        if (hasStyle(window, SS_NOTIFY)) notifyParent(window, STN_CLICKED);
        return 0;
    case WM_LBUTTONDBLCLK:
        if (hasStyle(window, SS_NOTIFY)) notifyParent(window, STN_DBLCLK);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the whole client area is filled in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (dc) paintStatic(window, dc, *state);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return result;
    }
    case WM_ENABLE:
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->font);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case STM_SETIMAGE:
    case STM_SETICON: {
        HANDLE previous = state->image;
        state->image = reinterpret_cast<HANDLE>(message == STM_SETICON ? wParam : static_cast<WPARAM>(lParam));
        InvalidateRect(window, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETIMAGE:
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(state->image);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void registerStaticClass() {
    controls::registerControlClass("Static", 0x0082, controls::controlProcedure<StaticState, handleStatic>, CS_DBLCLKS,
                                   IDC_ARROW);
}

}  // namespace user
