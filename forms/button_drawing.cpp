// Owner-drawn command buttons: a push-button frame, the control's background colour as
// the face, a dark outline for the focused or default button, and centred text (embossed
// grey when disabled).
#include "forms/button_drawing.h"

#include "forms/control_properties.h"

#include <windows.h>

namespace {

constexpr int maxButtonText = 255;  // 254 characters and the terminator

COLORREF colourProperty(HWND window, const char* name) {
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(GetPropA(window, name)));
}

// An outline with the device context's current pen, nothing filled.
void outline(HDC dc, const RECT& r) {
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, previousBrush);
}

void drawText(HWND button, HDC dc, const char* text, RECT textRect, UINT state, bool multiline) {
    int length = lstrlenA(text);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    UINT format = DT_CENTER | DT_VCENTER;
    if (multiline) {
        format |= DT_WORDBREAK;
        // Word-broken text ignores DT_VCENTER: centre the block by moving its top down.
        RECT measured = textRect;
        DrawTextA(dc, text, length, &measured, format | DT_CALCRECT);
        textRect.top += (textRect.bottom - textRect.top) / 2 - (measured.bottom - measured.top) / 2;
    } else {
        format |= DT_SINGLELINE;
    }

    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    POINT at{(textRect.left + textRect.right) / 2 - size.cx / 2, (textRect.top + textRect.bottom) / 2 - size.cy / 2};

    COLORREF previousColour;
    if (state & ODS_DISABLED) {
        at.y -= 1;
        previousColour = SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        if (multiline)
            DrawTextA(dc, text, length, &textRect, format);
        else
            DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text), static_cast<WPARAM>(length), at.x, at.y,
                       size.cx, size.cy, DST_TEXT | DSS_DISABLED);
    } else {
        previousColour = SetTextColor(dc, colourProperty(button, textColourProperty));
        DrawTextA(dc, text, length, &textRect, format);
    }
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColour);
}

}  // namespace

int32_t drawButton(HWND button, const DRAWITEMSTRUCT& item) {
    UINT state = item.itemState;
    LRESULT defaultId = SendMessageA(GetParent(button), DM_GETDEFID, 0, 0);
    if (LOWORD(defaultId) == item.CtlID) state |= ODS_DEFAULT;

    HDC dc = item.hDC;
    RECT frame = item.rcItem;
    RECT textRect = item.rcItem;
    char text[maxButtonText] = {};
    GetWindowTextA(button, text, sizeof text);
    DWORD style = styleOf(button);
    bool multiline = (style & BS_MULTILINE) != 0;
    bool pressed = (state & ODS_SELECTED) != 0;
    bool marked = (state & (ODS_FOCUS | ODS_DEFAULT)) != 0;

    if (multiline) InflateRect(&textRect, -2 * GetSystemMetrics(SM_CXEDGE), -2 * GetSystemMetrics(SM_CYEDGE));
    if (pressed) OffsetRect(&textRect, 1, 1);
    if (marked) InflateRect(&frame, -1, -1);

    if (style & BS_FLAT) {
        outline(dc, frame);
        InflateRect(&frame, -1, -1);
    } else {
        DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
    }
    fillRectangle(dc, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                  colourProperty(button, backgroundColourProperty));
    if (marked) outline(dc, item.rcItem);  // no focus rectangle: the dark border says it

    if (text[0]) drawText(button, dc, text, textRect, state, multiline);
    return 0;
}

int32_t fillRectangle(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour) {
    if (!dc) return 0;
    SetBkColor(dc, colour);
    RECT area{x, y, x + width, y + height};
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    return 0;
}
