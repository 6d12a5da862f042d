// The EDIT class: a single-line text field with a caret, mouse and keyboard selection,
// clipboard commands and horizontal scrolling. Unlike a Win32 field without
// ES_AUTOHSCROLL it always scrolls, so a field takes text wider than itself.
// The parent hears EN_UPDATE then EN_CHANGE after every change, WM_SETTEXT included.
#include "user/controls/control_support.h"
#include "user/controls/edit_text.h"
#include "user/controls/popup_menu.h"
#include "user/windows/system_classes.h"
#include "user/windows/window_observer.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace user {
namespace {

using namespace controls;

struct EditState {
    EditText text;
    HFONT font = nullptr;
    int margin = 0;  // the font's default margin, left and right of the text
    int scroll = 0;  // pixels of the text hidden on the left
    bool focused = false;
    bool dragging = false;
    bool modified = false;
    // offsets[i]: x of caret position i from the text's start; measured lazily, and only
    // the positions after an edit are measured again.
    std::vector<int> offsets;
};

// ---- measuring and layout ------------------------------------------------------------

void forgetOffsetsFrom(EditState& state, size_t position) {
    if (state.offsets.size() > position + 1) state.offsets.resize(position + 1);
}

const std::vector<int>& offsetsOf(EditState& state) {
    const std::string& text = state.text.text();
    if (state.offsets.size() == text.size() + 1) return state.offsets;
    if (state.offsets.empty()) state.offsets.push_back(0);
    // Only the text after the last known position is measured, in one pass: widths add
    // up character by character.
    size_t known = state.offsets.size() - 1;
    size_t count = text.size() - known;
    std::vector<int> widths(count);
    // Any DC measures a font alike; the screen's leaves the field's surface untouched.
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, fontOrDefault(state.font));
    SIZE extent{};
    GetTextExtentExPointA(dc, text.c_str() + known, static_cast<int>(count), 0, nullptr, widths.data(), &extent);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    int start = state.offsets.back();
    for (int width : widths) state.offsets.push_back(start + width);
    return state.offsets;
}

// The default margins a font gives (EC_USEFONTINFO): half an average character for an
// outline font, none for a bitmap font such as the classic dialog font.
int defaultMargin(HFONT font) {
    if (!font) return 0;
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) ? metrics.tmAveCharWidth / 2 : 0;
}

// Pixels between the client edge and the text: a pixel inside a sunken edge, two inside
// a plain border, then the font's margin.
int textInset(HWND window, const EditState& state) {
    int frame = 0;
    if (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
        frame = 1;
    else if (styleOf(window) & WS_BORDER)
        frame = 2;
    return frame + state.margin;
}

int visibleWidth(HWND window, const EditState& state) {
    RECT client{};
    GetClientRect(window, &client);
    return std::max<int>(1, client.right - client.left - 2 * textInset(window, state));
}

// Scrolls so that the caret is inside the field, and no further than the text needs.
void keepCaretVisible(HWND window, EditState& state) {
    const std::vector<int>& offsets = offsetsOf(state);
    int width = visibleWidth(window, state);
    int caretX = offsets[state.text.caret()];
    if (caretX < state.scroll)
        state.scroll = caretX;
    else if (caretX >= state.scroll + width)
        state.scroll = caretX - width + 1;
    int widest = std::max(0, offsets.back() - width + 1);
    state.scroll = std::min(state.scroll, widest);
}

// The caret position nearest to x (client coordinates).
size_t positionAt(HWND window, EditState& state, int x) {
    const std::vector<int>& offsets = offsetsOf(state);
    int textX = x - textInset(window, state) + state.scroll;
    auto after = std::lower_bound(offsets.begin(), offsets.end(), textX);
    if (after == offsets.end()) return offsets.size() - 1;
    if (after != offsets.begin() && textX - *(after - 1) < *after - textX) --after;
    return static_cast<size_t>(after - offsets.begin());
}

// ---- painting ------------------------------------------------------------------------

void drawRun(HDC dc, const std::string& text, size_t from, size_t to, int x, int y, const RECT& clip) {
    if (to > from)
        ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, text.c_str() + from, static_cast<UINT>(to - from), nullptr);
}

void paintEdit(HWND window, HDC dc, EditState& state) {
    RECT client{};
    GetClientRect(window, &client);
    DWORD style = styleOf(window);
    bool enabled = IsWindowEnabled(window) != 0;
    // Read-only and disabled fields are coloured like labels, as on Win32.
    UINT colourMessage = (!enabled || (style & ES_READONLY)) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
    HBRUSH brush = askParentForColours(window, dc, colourMessage);
    FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_WINDOW));

    HGDIOBJ previousFont = SelectObject(dc, fontOrDefault(state.font));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    const std::vector<int>& offsets = offsetsOf(state);
    const std::string& text = state.text.text();
    int originX = client.left + textInset(window, state) - state.scroll;
    int y = client.top + std::max(0, (client.bottom - client.top - metrics.tmHeight) / 2);
    COLORREF textColour = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
    int previousMode = SetBkMode(dc, TRANSPARENT);
    COLORREF previousColour = SetTextColor(dc, textColour);

    bool showSelection = state.text.hasSelection() && (state.focused || (style & ES_NOHIDESEL));
    size_t start = showSelection ? state.text.selectionStart() : text.size();
    size_t end = showSelection ? state.text.selectionEnd() : text.size();
    // Only the characters inside the field are drawn: a long text costs no more than a short one.
    size_t first =
        static_cast<size_t>(std::upper_bound(offsets.begin(), offsets.end(), state.scroll) - offsets.begin());
    first = first > 0 ? first - 1 : 0;
    size_t last = static_cast<size_t>(
        std::lower_bound(offsets.begin(), offsets.end(), state.scroll + (client.right - client.left)) -
        offsets.begin());
    last = std::min(last, text.size());
    auto clamp = [&](size_t position) { return std::clamp(position, first, last); };
    drawRun(dc, text, clamp(0), clamp(start), originX + offsets[clamp(0)], y, client);
    drawRun(dc, text, clamp(end), clamp(text.size()), originX + offsets[clamp(end)], y, client);
    if (showSelection) {
        RECT band{originX + offsets[start], y, originX + offsets[end], y + metrics.tmHeight};
        IntersectRect(&band, &band, &client);
        COLORREF previousBack = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        ExtTextOutA(dc, originX + offsets[clamp(start)], y, ETO_OPAQUE | ETO_CLIPPED, &band,
                    text.c_str() + clamp(start), static_cast<UINT>(clamp(end) - clamp(start)), nullptr);
        SetBkColor(dc, previousBack);
    }
    // The caret inverts what is under it, as a Win32 caret does: a letter or selection
    // beneath stays readable.
    if (state.focused) {
        int caretX = std::min<int>(originX + offsets[state.text.caret()], client.right - 1);
        RECT caret{caretX, y, caretX + 1, std::min<int>(y + metrics.tmHeight, client.bottom)};
        InvertRect(dc, &caret);
    }
    SetTextColor(dc, previousColour);
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
}

// A visible field taking the focus draws itself at once, as Win32's single-line edit does:
// its parent is asked for the colours before it hears EN_SETFOCUS.
void paintAtOnce(HWND window, EditState& state) {
    if (!IsWindowVisible(window)) return;
    if (HDC dc = GetDC(window)) {
        paintEdit(window, dc, state);
        ReleaseDC(window, dc);
    }
}

void redraw(HWND window) { InvalidateRect(window, nullptr, FALSE); }

// ---- changes -------------------------------------------------------------------------

// The window manager keeps a copy of the text too, for callers that read it there.
void mirrorText(HWND window, const EditState& state) {
    DefWindowProcA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(state.text.text().c_str()));
}

// After every change of the text: layout, the window manager's copy, the parent's news.
void textChanged(HWND window, EditState& state, size_t firstChanged) {
    forgetOffsetsFrom(state, firstChanged);
    mirrorText(window, state);
    keepCaretVisible(window, state);
    redraw(window);
    user::tellWindowObserver(window, user::WindowChange::SelectionChanged);
    notifyParent(window, EN_UPDATE);
    notifyParent(window, EN_CHANGE);
}

void selectionChanged(HWND window, EditState& state) {
    keepCaretVisible(window, state);
    redraw(window);
    user::tellWindowObserver(window, user::WindowChange::SelectionChanged);
}

// An edit by the user (typing, deleting, pasting): marks the field modified.
template <typename Edit>
void userEdit(HWND window, EditState& state, Edit edit) {
    size_t firstChanged = state.text.selectionStart();
    std::string before = state.text.text();
    bool fitted = edit(state.text);
    if (state.text.text() != before) {
        state.modified = true;
        size_t common = 0;
        const std::string& after = state.text.text();
        while (common < before.size() && common < after.size() && before[common] == after[common]) ++common;
        textChanged(window, state, std::min(firstChanged, common));
    } else {
        selectionChanged(window, state);
    }
    if (!fitted) notifyParent(window, EN_MAXTEXT);
}

void insertText(HWND window, EditState& state, const std::string& insert, bool typed) {
    userEdit(window, state, [&](EditText& text) { return text.replaceSelection(insert, typed); });
}

void clearSelection(HWND window, EditState& state) {
    if (state.text.hasSelection()) insertText(window, state, std::string(), false);
}

bool isReadOnly(HWND window) { return (styleOf(window) & ES_READONLY) != 0; }

// ---- clipboard -----------------------------------------------------------------------

void copySelection(HWND window, const EditState& state) {
    if (!state.text.hasSelection() || !OpenClipboard(window)) return;
    std::string selected = state.text.selectedText();
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, selected.size() + 1);
    if (auto* bytes = static_cast<char*>(GlobalLock(block))) {
        std::memcpy(bytes, selected.c_str(), selected.size() + 1);
        GlobalUnlock(block);
        SetClipboardData(CF_TEXT, block);
    }
    CloseClipboard();
}

// A single-line field takes the clipboard's text up to its first line break.
void paste(HWND window, EditState& state) {
    if (!OpenClipboard(window)) return;
    std::string pasted;
    HANDLE block = GetClipboardData(CF_TEXT);
    if (auto* bytes = static_cast<const char*>(block ? GlobalLock(block) : nullptr)) {
        pasted = bytes;
        GlobalUnlock(block);
    }
    CloseClipboard();
    pasted = pasted.substr(0, pasted.find_first_of("\r\n"));
    if (!pasted.empty()) insertText(window, state, pasted, false);
}

// ---- context menu --------------------------------------------------------------------

enum MenuCommand : UINT { undoCommand = 1, cutCommand, copyCommand, pasteCommand, deleteCommand, selectAllCommand };

// The field's own menu, each command enabled as Win32 enables it, at the point clicked or,
// from the keyboard (-1, -1), at the field's middle.
void contextMenu(HWND window, EditState& state, LPARAM where) {
    if (GetFocus() != window) SetFocus(window);
    POINT at{static_cast<SHORT>(LOWORD(where)), static_cast<SHORT>(HIWORD(where))};
    if (where == -1) {
        RECT frame{};
        GetWindowRect(window, &frame);
        at = POINT{(frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2};
    }
    bool writable = !isReadOnly(window);
    bool selected = state.text.hasSelection();
    bool everything = state.text.selectionStart() == 0 && state.text.selectionEnd() == state.text.length();
    std::vector<PopupMenuItem> items = {
        {undoCommand, "&Undo", writable && state.text.canUndo()},
        {0, "", false},
        {cutCommand, "Cu&t", writable && selected},
        {copyCommand, "&Copy", selected},
        {pasteCommand, "&Paste", writable && IsClipboardFormatAvailable(CF_TEXT)},
        {deleteCommand, "&Delete", writable && selected},
        {0, "", false},
        {selectAllCommand, "Select &All", !everything},
    };
    switch (trackPopupMenu(at, items)) {
    case undoCommand:
        SendMessageA(window, WM_UNDO, 0, 0);
        break;
    case cutCommand:
        SendMessageA(window, WM_CUT, 0, 0);
        break;
    case copyCommand:
        SendMessageA(window, WM_COPY, 0, 0);
        break;
    case pasteCommand:
        SendMessageA(window, WM_PASTE, 0, 0);
        break;
    case deleteCommand:
        SendMessageA(window, WM_CLEAR, 0, 0);
        break;
    case selectAllCommand:
        SendMessageA(window, EM_SETSEL, 0, -1);
        break;
    default:
        break;
    }
}

// ---- input ---------------------------------------------------------------------------

bool keyHeld(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

void moveCaret(HWND window, EditState& state, size_t position, bool extend) {
    state.text.moveCaret(position, extend);
    selectionChanged(window, state);
}

void keyDown(HWND window, EditState& state, WPARAM key) {
    bool shift = keyHeld(VK_SHIFT);
    bool control = keyHeld(VK_CONTROL);
    EditText& text = state.text;
    switch (key) {
    case VK_LEFT:
        if (control)
            moveCaret(window, state, text.previousWordStart(text.caret()), shift);
        else if (text.hasSelection() && !shift)
            moveCaret(window, state, text.selectionStart(), false);
        else
            moveCaret(window, state, text.caret() > 0 ? text.caret() - 1 : 0, shift);
        break;
    case VK_RIGHT:
        if (control)
            moveCaret(window, state, text.nextWordStart(text.caret()), shift);
        else if (text.hasSelection() && !shift)
            moveCaret(window, state, text.selectionEnd(), false);
        else
            moveCaret(window, state, text.caret() + 1, shift);
        break;
    case VK_HOME:
        moveCaret(window, state, 0, shift);
        break;
    case VK_END:
        moveCaret(window, state, text.length(), shift);
        break;
    case VK_DELETE:
        if (isReadOnly(window)) break;
        if (shift && text.hasSelection())
            SendMessageA(window, WM_CUT, 0, 0);
        else
            userEdit(window, state, [](EditText& edited) {
                edited.deleteForward();
                return true;
            });
        break;
    case VK_INSERT:
        if (control)
            SendMessageA(window, WM_COPY, 0, 0);
        else if (shift)
            SendMessageA(window, WM_PASTE, 0, 0);
        break;
    default:
        break;
    }
}

void character(HWND window, EditState& state, unsigned char typed) {
    switch (typed) {
    case 1:
        state.text.select(0, state.text.length());
        selectionChanged(window, state);
        return;  // Ctrl+A
    case 3:
        SendMessageA(window, WM_COPY, 0, 0);
        return;  // Ctrl+C
    case 22:
        SendMessageA(window, WM_PASTE, 0, 0);
        return;  // Ctrl+V
    case 24:
        SendMessageA(window, WM_CUT, 0, 0);
        return;  // Ctrl+X
    case 26:
        SendMessageA(window, WM_UNDO, 0, 0);
        return;  // Ctrl+Z
    case VK_BACK:
        if (isReadOnly(window)) return;
        userEdit(window, state, [](EditText& edited) {
            edited.deleteBackward();
            return true;
        });
        return;
    default:
        break;
    }
    // Tab, Enter, Escape and the other control characters are not text.
    if (typed < 0x20 || typed == 0x7F) return;
    DWORD style = styleOf(window);
    if ((style & ES_READONLY) || ((style & ES_NUMBER) && (typed < '0' || typed > '9'))) {
        MessageBeep(MB_OK);
        return;
    }
    char converted[2] = {static_cast<char>(typed), '\0'};
    if (style & ES_UPPERCASE)
        CharUpperA(converted);
    else if (style & ES_LOWERCASE)
        CharLowerA(converted);
    insertText(window, state, converted, true);
}

void mouseDown(HWND window, EditState& state, WPARAM keys, LPARAM point) {
    if (GetFocus() != window) SetFocus(window);
    size_t position = positionAt(window, state, static_cast<SHORT>(LOWORD(point)));
    moveCaret(window, state, position, (keys & MK_SHIFT) != 0);
    state.dragging = true;
    SetCapture(window);
}

void selectWordAt(HWND window, EditState& state, LPARAM point) {
    size_t start = 0;
    size_t end = 0;
    state.text.wordAround(positionAt(window, state, static_cast<SHORT>(LOWORD(point))), start, end);
    state.text.select(start, end);
    selectionChanged(window, state);
}

// EM_SETSEL: start -1 drops the selection, end -1 (or any negative) means the end.
void setSelection(HWND window, EditState& state, WPARAM startParam, LPARAM endParam) {
    auto start = static_cast<int>(startParam);
    auto end = static_cast<int>(endParam);
    size_t length = state.text.length();
    if (start == -1) {
        state.text.moveCaret(state.text.caret(), false);
    } else {
        size_t anchor = start < 0 ? length : static_cast<size_t>(start);
        size_t caret = end < 0 ? length : static_cast<size_t>(end);
        state.text.select(anchor, caret);
    }
    selectionChanged(window, state);
}

LRESULT getText(const EditState& state, WPARAM size, LPARAM buffer) {
    if (size == 0 || !buffer) return 0;
    size_t copied = std::min<size_t>(state.text.length(), size - 1);
    auto* out = reinterpret_cast<char*>(buffer);
    std::memcpy(out, state.text.text().data(), copied);
    out[copied] = '\0';
    return static_cast<LRESULT>(copied);
}

LRESULT getSelection(const EditState& state, WPARAM startOut, LPARAM endOut) {
    auto start = static_cast<DWORD>(state.text.selectionStart());
    auto end = static_cast<DWORD>(state.text.selectionEnd());
    if (startOut) *reinterpret_cast<DWORD*>(startOut) = start;
    if (endOut) *reinterpret_cast<DWORD*>(endOut) = end;
    if (start > 0xFFFF || end > 0xFFFF) return -1;
    return MAKELRESULT(start, end);
}

LRESULT handleEdit(HWND window, EditState* state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        // A field with the sunken client edge has no plain border besides.
        LONG style = GetWindowLongA(window, GWL_STYLE);
        if ((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) && (style & WS_BORDER))
            SetWindowLongA(window, GWL_STYLE, style & ~static_cast<LONG>(WS_BORDER));
        return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_CREATE:
        state->text.assign(storedText(window));
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the whole client area is filled in WM_PAINT
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (dc) paintEdit(window, dc, *state);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SIZE:
        keepCaretVisible(window, *state);
        redraw(window);
        return 0;
    case WM_ENABLE:
        redraw(window);
        return 0;
    case WM_SETFONT:
        state->font = reinterpret_cast<HFONT>(wParam);
        state->margin = defaultMargin(state->font);
        state->offsets.clear();
        keepCaretVisible(window, *state);
        if (LOWORD(lParam)) redraw(window);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state->font);
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;

    case WM_SETTEXT:
        state->text.assign(lParam ? reinterpret_cast<const char*>(lParam) : "");
        state->modified = false;
        state->scroll = 0;
        user::tellWindowObserver(window, user::WindowChange::TextReplaced);
        textChanged(window, *state, 0);
        return TRUE;
    case WM_GETTEXT:
        return getText(*state, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(state->text.length());

    case WM_SETFOCUS:
        state->focused = true;
        redraw(window);
        paintAtOnce(window, *state);
        notifyParent(window, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        state->focused = false;
        if (state->dragging && GetCapture() == window) ReleaseCapture();
        state->dragging = false;
        redraw(window);
        notifyParent(window, EN_KILLFOCUS);
        return 0;

    case WM_LBUTTONDOWN:
        mouseDown(window, *state, wParam, lParam);
        return 0;
    case WM_LBUTTONDBLCLK:
        selectWordAt(window, *state, lParam);
        offerMouseSelection(state->text.selectedText());
        return 0;
    case WM_MOUSEMOVE:
        if (state->dragging)
            moveCaret(window, *state, positionAt(window, *state, static_cast<SHORT>(LOWORD(lParam))), true);
        return 0;
    case WM_LBUTTONUP:
        if (state->dragging) {
            state->dragging = false;
            if (GetCapture() == window) ReleaseCapture();
            offerMouseSelection(state->text.selectedText());
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != window) state->dragging = false;
        return 0;

    case WM_KEYDOWN:
        keyDown(window, *state, wParam);
        return 0;
    case WM_CHAR:
        character(window, *state, static_cast<unsigned char>(wParam));
        return 1;  // as Win32 answers every character, the ones it ignores included

    case WM_CONTEXTMENU:
        contextMenu(window, *state, lParam);
        return 0;
    case WM_COPY:
        copySelection(window, *state);
        return 0;
    case WM_CUT:
        if (!isReadOnly(window)) {
            copySelection(window, *state);
            clearSelection(window, *state);
        }
        return 0;
    case WM_PASTE:
        if (!isReadOnly(window)) paste(window, *state);
        return 0;
    case WM_CLEAR:
        if (!isReadOnly(window)) clearSelection(window, *state);
        return 0;
    case WM_UNDO:
        if (isReadOnly(window)) return FALSE;
        userEdit(window, *state, [](EditText& text) {
            text.undo();
            return true;
        });
        return TRUE;

    case EM_GETSEL:
        return getSelection(*state, wParam, lParam);
    case EM_SETSEL:
        setSelection(window, *state, wParam, lParam);
        return 0;
    case EM_REPLACESEL:
        insertText(window, *state, lParam ? reinterpret_cast<const char*>(lParam) : "", false);
        return 0;
    case EM_LIMITTEXT:
        state->text.setLimit(static_cast<size_t>(wParam));
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(state->text.limit());
    case EM_SETREADONLY: {
        LONG style = GetWindowLongA(window, GWL_STYLE);
        style = wParam ? (style | ES_READONLY) : (style & ~static_cast<LONG>(ES_READONLY));
        SetWindowLongA(window, GWL_STYLE, style);
        redraw(window);
        return TRUE;
    }
    case EM_GETMODIFY:
        return state->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        state->modified = wParam != 0;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

void registerEditClass() {
    controls::registerControlClass("Edit", 0x0081, controls::controlProcedure<EditState, handleEdit>, CS_DBLCLKS,
                                   IDC_IBEAM);
}

}  // namespace user
