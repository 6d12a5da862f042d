// Text: metrics and extents, ExtTextOutA/TextOutA, DrawTextA and DrawStateA's text.
#include "gdi/colour.h"
#include "gdi/font_face.h"
#include "gdi/gdi_objects.h"
#include "gdi/raster.h"
#include "gdi/text_layout.h"

#include <climits>
#include <cstring>

namespace gdi {

namespace {

constexpr RECT kUnlimited{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};

const FontFace& faceOf(const DeviceContext& dc) { return *dc.state.font->face; }

int textLength(LPCSTR text, int length) {
    if (!text) return 0;
    return length < 0 ? static_cast<int>(std::strlen(text)) : length;
}

struct TextRun {
    const char* text = nullptr;
    int length = 0;
    const int* advances = nullptr;  // per character, instead of the font's
    int tabStop = 0;
    int underlined = -1;  // one character to underline (a '&' prefix), or -1
};

// Draws a run with the cell's top-left at (x, y) in the DC's text colour, limited to
// `limit` (target coordinates). Returns the pen position after the run. Characters keep
// the program's pen positions at every scale (carets and selections are placed by them);
// their shapes come from the face made for the target's scale, each centred on its
// program cell, so that text is drawn at the device's resolution, never stretched.
int drawRun(DeviceContext& dc, int x, int y, const TextRun& run, COLORREF colour, const RECT& limit) {
    const FontFace& face = faceOf(dc);
    const display::Scale scale = dc.target ? dc.target->scale : display::Scale{};
    const FontFace& shapes = face.atScale(scale);
    const FontMetrics& metrics = face.metrics();
    uint32_t pixel = toPixel(colour);
    int baseline = y + metrics.ascent;
    int targetX = x + dc.origin.x;
    int deviceBaseline = scale.toDevice(baseline + dc.origin.y);
    int pen = 0;
    for (int i = 0; i < run.length; ++i) {
        auto character = static_cast<unsigned char>(run.text[i]);
        int next = run.advances ? pen + run.advances[i] : advancePen(face, pen, character, run.tabStop);
        const Glyph& glyph = shapes.glyph(character);
        if (!glyph.coverage.empty()) {
            int cellLeft = scale.toDevice(targetX + pen);
            int cellWidth = scale.toDevice(targetX + pen + face.advance(character)) - cellLeft;
            int centring = &shapes == &face ? 0 : (cellWidth - glyph.advance) / 2;
            blendCoverage(dc, cellLeft + centring + glyph.left, deviceBaseline - glyph.top, glyph.coverage.data(),
                          glyph.width, glyph.rows, pixel, limit);
        }
        if (i == run.underlined) {
            RECT line{x + pen, baseline + metrics.underlineOffset, x + next,
                      baseline + metrics.underlineOffset + metrics.underlineThickness};
            fillTargetArea(dc, intersection(toTarget(dc, line), limit), pixel);
        }
        pen = next;
    }
    if (dc.state.font->logFont.lfUnderline) {
        RECT line{x, baseline + metrics.underlineOffset, x + pen,
                  baseline + metrics.underlineOffset + metrics.underlineThickness};
        fillTargetArea(dc, intersection(toTarget(dc, line), limit), pixel);
    }
    return x + pen;
}

// The cell behind a run, in the background colour (opaque background mode).
void fillCell(DeviceContext& dc, int x, int y, int width, const RECT& limit) {
    RECT cell = toTarget(dc, RECT{x, y, x + width, y + faceOf(dc).metrics().height});
    fillTargetArea(dc, intersection(cell, limit), toPixel(dc.state.backgroundColour));
}

int runAdvance(const FontFace& face, const TextRun& run) {
    if (!run.advances) return runWidth(face, run.text, run.length, run.tabStop);
    int width = 0;
    for (int i = 0; i < run.length; ++i) width += run.advances[i];
    return width;
}

}  // namespace

}  // namespace gdi

using namespace gdi;

BOOL WINAPI GetTextMetricsA(HDC hdc, LPTEXTMETRICA lptm) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc || !lptm) return FALSE;
    const FontMetrics& metrics = faceOf(*dc).metrics();
    const LOGFONTA& logFont = dc->state.font->logFont;
    TEXTMETRICA tm{};
    tm.tmHeight = metrics.height;
    tm.tmAscent = metrics.ascent;
    tm.tmDescent = metrics.descent;
    tm.tmInternalLeading = metrics.internalLeading;
    tm.tmExternalLeading = metrics.externalLeading;
    tm.tmAveCharWidth = metrics.aveCharWidth;
    tm.tmMaxCharWidth = metrics.maxCharWidth;
    tm.tmWeight = metrics.weight;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x80;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = metrics.italic ? 1 : 0;
    tm.tmUnderlined = logFont.lfUnderline ? 1 : 0;
    tm.tmStruckOut = logFont.lfStrikeOut ? 1 : 0;
    // Variable pitch (the flag is set when the pitch is NOT fixed), a Swiss family, and
    // for outline faces the vector and TrueType flags.
    tm.tmPitchAndFamily = TMPF_FIXED_PITCH | 0x20 | (metrics.outline ? TMPF_VECTOR | TMPF_TRUETYPE : 0);
    tm.tmOverhang = metrics.overhang;
    tm.tmCharSet = ANSI_CHARSET;
    *lptm = tm;
    return TRUE;
}

BOOL WINAPI GetTextExtentPoint32A(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc || !psizl || c < 0 || (c > 0 && !lpString)) return FALSE;
    const FontFace& face = faceOf(*dc);
    psizl->cx = face.textWidth(lpString, c);
    psizl->cy = face.metrics().height;
    return TRUE;
}

// The extent of every prefix in one pass: lpnDx[i] is the width of the first i + 1
// characters; lpnFit counts those within nMaxExtent.
BOOL WINAPI GetTextExtentExPointA(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, INT* lpnFit, INT* lpnDx,
                                  LPSIZE lpSize) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc || !lpSize || cchString < 0 || (cchString > 0 && !lpszString)) return FALSE;
    const FontFace& face = faceOf(*dc);
    int width = 0;
    int fit = 0;
    for (int i = 0; i < cchString; ++i) {
        width += face.advance(static_cast<unsigned char>(lpszString[i]));
        if (lpnDx) lpnDx[i] = width;
        if (width <= nMaxExtent) fit = i + 1;
    }
    if (lpnFit) *lpnFit = fit;
    lpSize->cx = width;
    lpSize->cy = face.metrics().height;
    return TRUE;
}

BOOL WINAPI ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c,
                        const INT* lpDx) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc) return FALSE;
    if (c > 0 && !lpString) return FALSE;
    if (options & ETO_OPAQUE && lprect) fillArea(*dc, *lprect, toPixel(dc->state.backgroundColour));
    if (c == 0) return TRUE;
    TextRun run;
    run.text = lpString;
    run.length = static_cast<int>(c);
    run.advances = lpDx;
    RECT limit = (options & ETO_CLIPPED && lprect) ? toTarget(*dc, *lprect) : kUnlimited;
    if (dc->state.backgroundMode == OPAQUE && !(options & ETO_OPAQUE && lprect))
        fillCell(*dc, x, y, runAdvance(faceOf(*dc), run), limit);
    drawRun(*dc, x, y, run, dc->state.textColour, limit);
    return TRUE;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (c < 0) return FALSE;
    return ExtTextOutA(hdc, x, y, 0, nullptr, lpString, static_cast<UINT>(c), nullptr);
}

int WINAPI DrawTextA(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format) {
    DeviceContext* dc = findDeviceContext(hdc);
    if (!dc || !lprc) return 0;
    int length = textLength(lpchText, cchText);
    const FontFace& face = faceOf(*dc);
    const FontMetrics& metrics = face.metrics();

    LayoutRules rules;
    rules.singleLine = format & DT_SINGLELINE;
    rules.wordBreak = format & DT_WORDBREAK;
    rules.prefixes = !(format & DT_NOPREFIX);
    rules.tabStop = (format & DT_EXPANDTABS) ? 8 * metrics.aveCharWidth : 0;
    rules.wrapWidth = lprc->right - lprc->left;
    std::vector<LaidLine> lines = layoutText(face, lpchText ? lpchText : "", length, rules);

    int lineHeight = metrics.height;
    int textHeight = lineHeight * static_cast<int>(lines.size());
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const LaidLine& line : lines) widest = std::max(widest, line.width);
        lprc->right = lprc->left + widest;
        lprc->bottom = lprc->top + textHeight;
        return textHeight;
    }

    int top = lprc->top;
    bool placedVertically = rules.singleLine && (format & (DT_VCENTER | DT_BOTTOM));
    if (placedVertically) {
        if (format & DT_VCENTER)
            top = lprc->top + (lprc->bottom - lprc->top - textHeight) / 2;
        else
            top = lprc->bottom - textHeight;
    }
    RECT limit = (format & DT_NOCLIP) ? kUnlimited : toTarget(*dc, *lprc);
    int y = top;
    for (const LaidLine& line : lines) {
        int x = lprc->left;
        if (format & DT_CENTER)
            x = lprc->left + (lprc->right - lprc->left - line.width) / 2;
        else if (format & DT_RIGHT)
            x = lprc->right - line.width;
        if (dc->state.backgroundMode == OPAQUE) fillCell(*dc, x, y, line.width, limit);
        TextRun run;
        run.text = line.text.data();
        run.length = static_cast<int>(line.text.size());
        run.tabStop = rules.tabStop;
        run.underlined = line.underlined;
        drawRun(*dc, x, y, run, dc->state.textColour, limit);
        y += lineHeight;
    }
    return placedVertically ? top + textHeight - lprc->top : textHeight;
}

BOOL WINAPI DrawStateA(HDC hdc, HBRUSH hbrFore, DRAWSTATEPROC qfnCallBack, LPARAM lData, WPARAM wData, int x, int y,
                       int cx, int cy, UINT uFlags) {
    (void)hbrFore;
    (void)qfnCallBack;
    DeviceContext* dc = findDeviceContext(hdc);
    UINT type = uFlags & 0x000F;
    if (!dc || (type != DST_TEXT && type != DST_PREFIXTEXT)) return FALSE;
    const char* text = reinterpret_cast<const char*>(lData);
    int length = textLength(text, wData == 0 ? -1 : static_cast<int>(wData));
    PrefixedText shown =
        type == DST_PREFIXTEXT ? resolvePrefixes(text, length) : PrefixedText{std::string(text ? text : "", length)};
    const FontFace& face = faceOf(*dc);
    if (cx == 0) cx = face.textWidth(shown.text.data(), static_cast<int>(shown.text.size()));
    if (cy == 0) cy = face.metrics().height;

    TextRun run;
    run.text = shown.text.data();
    run.length = static_cast<int>(shown.text.size());
    run.underlined = shown.underlined;
    // The image is made at cx x cy and only that much of it shows.
    auto drawAt = [&](int left, int top, COLORREF colour) {
        drawRun(*dc, left, top, run, colour, toTarget(*dc, RECT{left, top, left + cx, top + cy}));
    };
    if (uFlags & DSS_DISABLED) {
        // Embossed: a highlight one pixel down and right, the shadow on top of it.
        drawAt(x + 1, y + 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        drawAt(x, y, GetSysColor(COLOR_BTNSHADOW));
    } else {
        drawAt(x, y, dc->state.textColour);
    }
    return TRUE;
}
