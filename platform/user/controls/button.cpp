// The BUTTON class: push buttons, owner-drawn buttons, check boxes, radio buttons and
// group boxes. A button is pressed by the mouse (captured while held; moving out lifts
// it) or by the space bar, and reports BN_CLICKED to its parent when released on it.
// Owner-drawn buttons leave every pixel to the parent through WM_DRAWITEM.
#include "user/controls/control_support.h"
#include "user/windows/system_classes.h"

namespace user {
namespace {

using namespace controls;

struct ButtonState {
    HFONT font = nullptr;
    HANDLE image = nullptr;
    UINT check = BST_UNCHECKED;
    bool pushed = false;  // drawn pressed
    bool focused = false;
    bool tracking = false;  // the left button went down on it and is still held
    bool spaceDown = false;
};

enum class Kind { Push, DefaultPush, OwnerDraw, CheckBox, Radio, GroupBox };

Kind kindOf(DWORD style) {
    switch (style & BS_TYPEMASK) {
    case BS_DEFPUSHBUTTON:
        return Kind::DefaultPush;
    case BS_OWNERDRAW:
        return Kind::OwnerDraw;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
        return Kind::CheckBox;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return Kind::Radio;
    case BS_GROUPBOX:
        return Kind::GroupBox;
    default:
        return Kind::Push;
    }
}

Kind kindOf(HWND window) { return kindOf(styleOf(window)); }

// ---- drawing -------------------------------------------------------------------------

// Text of a button face: single-line text centred both ways, or with BS_MULTILINE a
// word-wrapped block whose lines are centred and whose block is centred vertically.
void drawCaption(HDC dc, const std::string& text, RECT area, UINT horizontal, bool multiline, bool disabled) {
    if (text.empty()) return;
    UINT format = horizontal;
    if (multiline) {
        format |= DT_WORDBREAK;
        RECT measured = area;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
        int spare = (area.bottom - area.top) - (measured.bottom - measured.top);
        if (spare > 0) area.top += spare / 2;
    } else {
        format |= DT_SINGLELINE | DT_VCENTER;
    }
    int previousMode = SetBkMode(dc, TRANSPARENT);
    if (disabled) {
        // Embossed: a light copy one pixel down and right under the grey text.
        COLORREF previous = SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        RECT shadow = area;
        OffsetRect(&shadow, 1, 1);
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shadow, format);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
        SetTextColor(dc, previous);
    } else {
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area, format);
    }
    SetBkMode(dc, previousMode);
}

void paintOwnerDrawn(HWND window, HDC dc, const ButtonState& state, UINT action) {
    askParentForColours(window, dc, WM_CTLCOLORBTN);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetWindowLongPtrA(window, GWLP_ID));
    item.itemAction = action;
    item.itemState = (state.pushed ? ODS_SELECTED : 0u) | (state.focused ? ODS_FOCUS : 0u) |
                     (IsWindowEnabled(window) ? 0u : ODS_DISABLED);
    item.hwndItem = window;
    item.hDC = dc;
    GetClientRect(window, &item.rcItem);
    HWND parent = GetParent(window);
    if (parent) SendMessageA(parent, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
}

void paintPush(HWND window, HDC dc, const ButtonState& state, DWORD style) {
    HBRUSH brush = askParentForColours(window, dc, WM_CTLCOLORBTN);
    RECT face{};
    GetClientRect(window, &face);
    // The default button, and any button held down, has a dark outline.
    if (kindOf(style) == Kind::DefaultPush || state.pushed) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&face, -1, -1);
    }
    if (state.pushed) {
        FrameRect(dc, &face, GetSysColorBrush(COLOR_BTNSHADOW));
        InflateRect(&face, -1, -1);
    } else {
        DrawEdge(dc, &face, EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    FillRect(dc, &face, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));

    RECT content = face;
    if (state.pushed) OffsetRect(&content, 1, 1);
    if ((style & BS_BITMAP) && state.image)
        drawBitmapCentred(dc, static_cast<HBITMAP>(state.image), content);
    else
        drawCaption(dc, storedText(window), content, DT_CENTER, (style & BS_MULTILINE) != 0, !IsWindowEnabled(window));
    if (state.focused) {
        RECT focus = face;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(dc, &focus);
    }
}

void paintCheckOrRadio(HWND window, HDC dc, const ButtonState& state, DWORD style) {
    constexpr int boxSize = 13;
    constexpr int gap = 4;
    HBRUSH brush = askParentForColours(window, dc, WM_CTLCOLORSTATIC);
    RECT client{};
    GetClientRect(window, &client);
    if (brush) FillRect(dc, &client, brush);
    bool boxOnRight = (style & BS_LEFTTEXT) != 0;
    int top = (client.bottom - boxSize) / 2;
    RECT box{client.left, top, client.left + boxSize, top + boxSize};
    RECT text{client.left + boxSize + gap, client.top, client.right, client.bottom};
    if (boxOnRight) {
        box = RECT{client.right - boxSize, top, client.right, top + boxSize};
        text = RECT{client.left, client.top, client.right - boxSize - gap, client.bottom};
    }
    UINT frameState = (kindOf(style) == Kind::Radio) ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
    if (state.check != BST_UNCHECKED) frameState |= DFCS_CHECKED;
    if (state.check == BST_INDETERMINATE || !IsWindowEnabled(window)) frameState |= DFCS_INACTIVE;
    if (state.pushed) frameState |= DFCS_PUSHED;
    DrawFrameControl(dc, &box, DFC_BUTTON, frameState);

    std::string caption = storedText(window);
    drawCaption(dc, caption, text, DT_LEFT, (style & BS_MULTILINE) != 0, !IsWindowEnabled(window));
    if (state.focused && !caption.empty()) {
        RECT focus = text;
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &focus, DT_SINGLELINE | DT_CALCRECT);
        int height = focus.bottom - focus.top;
        focus.top = (client.bottom - height) / 2;
        focus.bottom = focus.top + height;
        InflateRect(&focus, 1, 1);
        DrawFocusRect(dc, &focus);
    }
}

// An etched frame whose top edge runs through the middle of the text line; the text sits in
// a gap at the top left on the colour the parent answers. The interior is left alone: the
// controls inside the group paint there.
void paintGroupBox(HWND window, HDC dc, const ButtonState& state) {
    constexpr int textLeft = 8;
    constexpr int textPadding = 2;
    HBRUSH brush = askParentForColours(window, dc, WM_CTLCOLORSTATIC);
    HGDIOBJ previousFont = SelectObject(dc, fontOrDefault(state.font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    RECT frame{};
    GetClientRect(window, &frame);
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);

    std::string caption = storedText(window);
    if (!caption.empty()) {
        RECT text{textLeft, 0, textLeft, metrics.tmHeight};
        DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_CALCRECT);
        RECT gap{text.left - textPadding, 0, text.right + textPadding, metrics.tmHeight};
        if (brush) FillRect(dc, &gap, brush);
        drawCaption(dc, caption, text, DT_LEFT, false, !IsWindowEnabled(window));
    }
    SelectObject(dc, previousFont);
}

void paintButton(HWND window, HDC dc, const ButtonState& state, UINT action) {
    DWORD style = styleOf(window);
    Kind kind = kindOf(style);
    if (kind == Kind::OwnerDraw) {
        HGDIOBJ previousFont = state.font ? SelectObject(dc, state.font) : nullptr;
        paintOwnerDrawn(window, dc, state, action);
        if (previousFont) SelectObject(dc, previousFont);
        return;
    }
    if (kind == Kind::GroupBox) {
        paintGroupBox(window, dc, state);
        return;
    }
    HGDIOBJ previousFont = SelectObject(dc, fontOrDefault(state.font));
    if (kind == Kind::CheckBox || kind == Kind::Radio)
        paintCheckOrRadio(window, dc, state, style);
    else
        paintPush(window, dc, state, style);
    SelectObject(dc, previousFont);
}

// Changes of state show at once, outside WM_PAINT, as on Win32.
void repaintNow(HWND window, const ButtonState& state, UINT action) {
    if (!IsWindowVisible(window)) return;
    HDC dc = GetDC(window);
    if (!dc) return;
    paintButton(window, dc, state, action);
    ReleaseDC(window, dc);
}

// ---- state changes -------------------------------------------------------------------

void setPushed(HWND window, ButtonState& state, bool pushed) {
    if (state.pushed == pushed) return;
    state.pushed = pushed;
    repaintNow(window, state, ODA_SELECT);
}

void setCheck(HWND window, ButtonState& state, UINT check) {
    if (state.check == check) return;
    state.check = check;
    repaintNow(window, state, ODA_SELECT);
}

bool isButtonClass(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    return lstrcmpiA(name, "Button") == 0;
}

// An automatic radio button that gets checked unchecks the automatic radio buttons of its
// group: the siblings from the nearest WS_GROUP window at or before it up to the next one.
void uncheckRadioGroup(HWND window) {
    HWND first = window;
    while (!(GetWindowLongA(first, GWL_STYLE) & WS_GROUP)) {
        HWND previous = GetWindow(first, GW_HWNDPREV);
        if (!previous) break;
        first = previous;
    }
    for (HWND sibling = first; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && (GetWindowLongA(sibling, GWL_STYLE) & WS_GROUP)) break;
        if (sibling != window && isButtonClass(sibling) &&
            (GetWindowLongA(sibling, GWL_STYLE) & BS_TYPEMASK) == BS_AUTORADIOBUTTON)
            SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
    }
}

void clicked(HWND window, ButtonState& state) {
    switch (styleOf(window) & BS_TYPEMASK) {
    case BS_AUTOCHECKBOX:
        setCheck(window, state, state.check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
        break;
    case BS_AUTO3STATE:
        setCheck(window, state, (state.check + 1) % 3);
        break;
    case BS_AUTORADIOBUTTON:
        setCheck(window, state, BST_CHECKED);
        uncheckRadioGroup(window);
        break;
    default:
        break;
    }
    notifyParent(window, BN_CLICKED);
}

void cancelPress(HWND window, ButtonState& state) {
    bool hadCapture = state.tracking;
    state.tracking = false;
    state.spaceDown = false;
    if (hadCapture && GetCapture() == window) ReleaseCapture();
    setPushed(window, state, false);
}

bool pointInClient(HWND window, LPARAM lParam) {
    RECT client{};
    GetClientRect(window, &client);
    POINT point{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    return PtInRect(&client, point) != 0;
}

// Win32 sends BN_DOUBLECLICKED instead of a second press for these.
bool reportsDoubleClicks(DWORD style) {
    DWORD type = style & BS_TYPEMASK;
    return type == BS_OWNERDRAW || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON || type == BS_USERBUTTON ||
           (style & BS_NOTIFY);
}

LRESULT dialogCode(DWORD style) {
    switch (kindOf(style)) {
    case Kind::DefaultPush:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case Kind::Push:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case Kind::Radio:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case Kind::GroupBox:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

// BM_SETSTYLE changes the button type; an owner-drawn button stays owner-drawn, so the
// dialog manager's default-button restyling never takes its drawing away from the owner.
void restyle(HWND window, ButtonState& state, WPARAM newType, bool redraw) {
    DWORD style = styleOf(window);
    if ((style & BS_TYPEMASK) == BS_OWNERDRAW) return;
    DWORD updated = (style & ~static_cast<DWORD>(BS_TYPEMASK)) | (static_cast<DWORD>(newType) & BS_TYPEMASK);
    if (updated == style) return;
    SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(updated));
    if (redraw) repaintNow(window, state, ODA_DRAWENTIRE);
}

LRESULT handleButton(HWND window, ButtonState* state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCHITTEST:
        if (kindOf(window) == Kind::GroupBox) return HTTRANSPARENT;
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_ERASEBKGND:
        return 1;  // painted whole in WM_PAINT; a group box keeps its interior
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (dc) paintButton(window, dc, *state, ODA_DRAWENTIRE);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcA(window, message, wParam, lParam);
        if (kindOf(window) == Kind::GroupBox)
            InvalidateRect(window, nullptr, TRUE);
        else
            repaintNow(window, *state, ODA_DRAWENTIRE);
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
        return dialogCode(styleOf(window));

    case WM_LBUTTONDBLCLK:
        if (reportsDoubleClicks(styleOf(window))) {
            notifyParent(window, BN_DOUBLECLICKED);
            return 0;
        }
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        if (kindOf(window) == Kind::GroupBox) return 0;
        if (GetFocus() != window) SetFocus(window);
        SetCapture(window);
        state->tracking = true;
        setPushed(window, *state, true);
        return 0;
    case WM_MOUSEMOVE:
        if (state->tracking) setPushed(window, *state, pointInClient(window, lParam));
        return 0;
    case WM_LBUTTONUP: {
        if (!state->tracking) return 0;
        state->tracking = false;
        bool inside = pointInClient(window, lParam);
        if (GetCapture() == window) ReleaseCapture();
        setPushed(window, *state, false);
        if (inside) clicked(window, *state);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (state->tracking && reinterpret_cast<HWND>(lParam) != window) cancelPress(window, *state);
        return 0;

    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(lParam & 0x40000000) && kindOf(window) != Kind::GroupBox) {
            state->spaceDown = true;
            setPushed(window, *state, true);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    case WM_KEYUP:
        if (wParam == VK_SPACE && state->spaceDown) {
            state->spaceDown = false;
            bool wasPushed = state->pushed;
            setPushed(window, *state, false);
            if (wasPushed) clicked(window, *state);
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);

    case WM_SETFOCUS:
        state->focused = true;
        repaintNow(window, *state, ODA_FOCUS);
        if (hasStyle(window, BS_NOTIFY)) notifyParent(window, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        state->focused = false;
        if (state->tracking || state->spaceDown) cancelPress(window, *state);
        repaintNow(window, *state, ODA_FOCUS);
        if (hasStyle(window, BS_NOTIFY)) notifyParent(window, BN_KILLFOCUS);
        return 0;

    case BM_CLICK:
        if (IsWindowEnabled(window)) {
            SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageA(window, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    case BM_GETCHECK:
        return state->check;
    case BM_SETCHECK: {
        Kind kind = kindOf(window);
        if (kind == Kind::CheckBox || kind == Kind::Radio) setCheck(window, *state, static_cast<UINT>(wParam) % 3);
        return 0;
    }
    case BM_GETSTATE:
        return state->check | (state->pushed ? BST_PUSHED : 0u) | (state->focused ? BST_FOCUS : 0u);
    case BM_SETSTATE:
        setPushed(window, *state, wParam != 0);
        return 0;
    case BM_SETSTYLE:
        restyle(window, *state, wParam, LOWORD(lParam) != 0);
        return 0;
    case BM_SETIMAGE: {
        HANDLE previous = state->image;
        state->image = reinterpret_cast<HANDLE>(lParam);
        repaintNow(window, *state, ODA_DRAWENTIRE);
        return reinterpret_cast<LRESULT>(previous);
    }
    case BM_GETIMAGE:
        return reinterpret_cast<LRESULT>(state->image);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void registerButtonClass() {
    controls::registerControlClass("Button", 0x0080, controls::controlProcedure<ButtonState, handleButton>, CS_DBLCLKS,
                                   IDC_ARROW);
}

}  // namespace user
