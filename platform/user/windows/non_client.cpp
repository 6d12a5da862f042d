// The non-client area, drawn by the layer itself and therefore the same on every display:
// frame, caption with title and close box, client edges; its metrics and hit testing.
#include "user/windows/window_internal.h"

namespace user {

namespace {

HFONT captionFont() {
    static HFONT font = CreateFontA(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    return font;
}

void fillSolid(HDC dc, const RECT& r, COLORREF colour) {
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, "", 0, nullptr);
}

COLORREF blend(COLORREF a, COLORREF b, int position, int span) {
    if (span <= 0) return a;
    auto mix = [&](int x, int y) { return x + (y - x) * position / span; };
    return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)), mix(GetBValue(a), GetBValue(b)));
}

void drawFrame(HDC dc, RECT& r, DWORD style, DWORD exStyle) {
    int frame = frameWidth(style, exStyle);
    if (frame == 1) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    } else if (frame > 1) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        for (int i = 2; i < frame; ++i) {
            FrameRect(dc, &r, GetSysColorBrush(COLOR_3DFACE));
            InflateRect(&r, -1, -1);
        }
    }
}

void drawCaption(Window* window, HDC dc) {
    RECT bar = captionRectInWindow(window);
    bool active = window->captionActive;
    COLORREF from = GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    COLORREF to = GetSysColor(active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
    int span = bar.right - bar.left - 1;
    for (int x = bar.left; x < bar.right; ++x)
        fillSolid(dc, RECT{x, bar.top, x + 1, bar.bottom}, blend(from, to, x - bar.left, span));
    fillSolid(dc, RECT{bar.left, bar.bottom, bar.right, bar.bottom + 1}, GetSysColor(COLOR_3DFACE));

    RECT close = closeBoxRectInWindow(window);
    RECT text{bar.left + 3, bar.top, (close.right > close.left ? close.left : bar.right) - 2, bar.bottom};
    if (!window->text.empty() && text.right > text.left) {
        HGDIOBJ oldFont = SelectObject(dc, captionFont());
        int oldMode = SetBkMode(dc, TRANSPARENT);
        COLORREF oldColour = SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
        DrawTextA(dc, window->text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SetTextColor(dc, oldColour);
        SetBkMode(dc, oldMode);
        SelectObject(dc, oldFont);
    }
    if (close.right > close.left)
        DrawFrameControl(dc, &close, DFC_CAPTION, DFCS_CAPTIONCLOSE | (window->closeBoxPressed ? DFCS_PUSHED : 0));
}

}  // namespace

LRESULT nonClientHitTest(Window* window, POINT screenPoint) {
    RECT r = screenRect(window);
    if (!PtInRect(&r, screenPoint)) return HTNOWHERE;
    POINT local{screenPoint.x - r.left, screenPoint.y - r.top};
    RECT client = clientRectInWindow(window);
    if (PtInRect(&client, local)) return HTCLIENT;
    RECT close = closeBoxRectInWindow(window);
    if (PtInRect(&close, local)) return HTCLOSE;
    RECT bar = captionRectInWindow(window);
    bar.bottom += 1;
    if (PtInRect(&bar, local)) return HTCAPTION;
    return HTBORDER;
}

void drawNonClient(Window* window) {
    Insets in = nonClientInsets(window->style, window->exStyle);
    if (!in.left && !in.top && !in.right && !in.bottom) return;
    HDC dc = windowDC(window);
    if (!dc) return;
    RECT r{0, 0, window->rect.right - window->rect.left, window->rect.bottom - window->rect.top};
    drawFrame(dc, r, window->style, window->exStyle);
    if (captionHeight(window->style)) {
        drawCaption(window, dc);
        r.top += captionHeight(window->style);
    }
    if (window->exStyle & WS_EX_CLIENTEDGE)
        DrawEdge(dc, &r, EDGE_SUNKEN, BF_RECT);
    else if (window->exStyle & WS_EX_STATICEDGE)
        DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
    ReleaseDC(window->handle, dc);
}

void setCloseBoxPressed(Window* window, bool pressed) {
    if (window->closeBoxPressed == pressed) return;
    window->closeBoxPressed = pressed;
    drawNonClient(window);
}

void installHitTester() {
    display::backend().setHitTester([](display::SurfaceId id, int x, int y) {
        Window* w = windowOfSurface(id);
        if (!w) return display::HitArea::Client;
        POINT pt{w->rect.left + x, w->rect.top + y};
        return nonClientHitTest(w, pt) == HTCAPTION ? display::HitArea::Caption : display::HitArea::Client;
    });
}

}  // namespace user
