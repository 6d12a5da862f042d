// addControl: the kinds table that turns a control kind into a window class and style,
// the control records of dialog descriptions, and controls created at once in windows.
#include "forms/controls.h"

#include "forms/colours.h"
#include "forms/dialog_description.h"
#include "forms/dialog_registry.h"
#include "forms/forms_state.h"
#include "runtime/text.h"

#include <commctrl.h>
#include <windows.h>

namespace {

struct ControlKindRow {
    int32_t kind;
    const char* className;
    uint32_t styleBits;  // ORed into the requested style
    uint32_t extendedStyle;
    bool clientEdgeWhenBordered;     // WS_EX_CLIENTEDGE only when WS_BORDER was requested
    bool ownerDrawnUnlessBitmap;     // command buttons are drawn by drawButton
    bool defaultFromRequestedStyle;  // BS_DEFPUSHBUTTON requested makes the default button
    bool needsCommonControls;
    bool needsRichEditLibrary;
};

constexpr uint32_t borderedListStyle = WS_BORDER | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
constexpr uint32_t borderedComboStyle = WS_BORDER | CBS_HASSTRINGS | CBS_NOINTEGRALHEIGHT;

constexpr ControlKindRow controlKinds[] = {
    {kindCommandButton, "BUTTON", 0, 0, false, true, true, false, false},
    {kindCheckBox, "BUTTON", BS_AUTOCHECKBOX, 0, false, false, false, false, false},
    {kindRadioButton, "BUTTON", BS_AUTORADIOBUTTON, 0, false, false, false, false, false},
    {kindEdit, "EDIT", WS_BORDER, WS_EX_CLIENTEDGE, false, false, false, false, false},
    {kindListBox, "LISTBOX", borderedListStyle, WS_EX_CLIENTEDGE, false, false, false, false, false},
    {kindComboBox, "COMBOBOX", borderedComboStyle, WS_EX_CLIENTEDGE, false, false, false, false, false},
    {kindLabel, "STATIC", 0, 0, false, false, false, false, false},
    {kindScrollBar, "SCROLLBAR", 0, 0, false, false, false, false, false},
    {kindGroupBox, "BUTTON", BS_GROUPBOX, 0, false, false, false, false, false},
    {kindRichEdit, "RichEdit", 0, 0, true, false, false, true, true},
    {kindListView, WC_LISTVIEWA, 0, 0, false, false, false, true, false},
    {kindStatusBar, STATUSCLASSNAMEA, 0, 0, false, false, false, true, false},
    {kindPlainButton, "BUTTON", 0, 0, false, false, true, false, false},
    {kindTreeView, WC_TREEVIEWA, 0, 0, true, false, false, true, false},
};

const ControlKindRow* findKind(int32_t kind) {
    for (const ControlKindRow& row : controlKinds)
        if (row.kind == kind) return &row;
    return nullptr;
}

void loadLibrariesFor(const ControlKindRow& row) {
    if (row.needsCommonControls && !formsState().commonControlsInitialised) {
        InitCommonControls();
        formsState().commonControlsInitialised = true;
    }
    // The library stays loaded until the process ends.
    if (row.needsRichEditLibrary && !formsState().richEditLibrary)
        formsState().richEditLibrary = LoadLibraryA("riched32.dll");
}

bool hasControl(const DialogHeader& header, int32_t id) {
    for (const ControlRecord* control = header.controls; control; control = control->next)
        if (control->id == id) return true;
    return false;
}

// The first control added with an id wins; later ones with the same id are ignored.
void appendRecord(DialogHeader& header, const ControlRecord& values, const char* text) {
    if (hasControl(header, values.id)) return;
    auto* record = static_cast<ControlRecord*>(GlobalAlloc(GPTR, sizeof(ControlRecord)));
    *record = values;
    record->next = nullptr;
    if (!text) text = "";
    record->text = static_cast<char*>(GlobalAlloc(GPTR, static_cast<SIZE_T>(textLength(text)) + 1));
    copyText(record->text, text);
    ControlRecord** link = &header.controls;
    while (*link) link = &(*link)->next;
    *link = record;
}

void createAtOnce(DialogObject& object, const ControlRecord& values, const char* text, int32_t x, int32_t y,
                  int32_t width, int32_t height) {
    HWND control =
        CreateWindowExA(values.extendedStyle, values.className, text, values.style, x, y, width, height, object.window,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(values.id)), GetModuleHandleA(nullptr), nullptr);
    attachControlColours(control, values.kind);
    if (object.clientWindow && values.kind == kindStatusBar) layoutClientArea(object.window, object.clientWindow);
}

}  // namespace

int32_t addControl(DialogObject& dialog, int32_t kind, const char* text, int32_t x, int32_t y, int32_t width,
                   int32_t height, uint32_t style, int32_t id) {
    bool isDialog = dialog.header && dialog.isDialog;
    if (!isDialog && (!dialog.window || GetDlgItem(dialog.window, id))) return 0;

    ControlRecord values{};
    values.kind = kind;
    values.id = id;
    if (const ControlKindRow* row = findKind(kind)) {
        lstrcpynA(values.className, row->className, sizeof values.className);
        style |= row->styleBits;
        values.extendedStyle = row->extendedStyle;
        if (row->clientEdgeWhenBordered && (style & WS_BORDER)) values.extendedStyle |= WS_EX_CLIENTEDGE;
        // The owner-drawn type replaces the default-push-button bit, so the flag remembers it.
        if (row->defaultFromRequestedStyle && (style & BS_DEFPUSHBUTTON)) values.defaultButton = 1;
        if (row->ownerDrawnUnlessBitmap && !(style & BS_BITMAP)) style |= BS_OWNERDRAW;
        loadLibrariesFor(*row);
    }

    style |= WS_CHILD | WS_VISIBLE;
    if (style & hiddenControlBit) style &= ~(static_cast<uint32_t>(WS_VISIBLE) | hiddenControlBit);
    values.style = style;

    if (isDialog) {
        DialogUnits units = toDialogUnits(x, y, width, height, dialog.header->baseUnitX, dialog.header->baseUnitY);
        values.x = units.x;
        values.y = units.y;
        values.width = units.width;
        values.height = units.height;
        appendRecord(*dialog.header, values, text);
    } else {
        createAtOnce(dialog, values, text ? text : "", x, y, width, height);
    }
    return 0;
}

namespace {

struct ClientAreaLayout {
    RECT area;
    int32_t found;
};

BOOL CALLBACK fitAroundBar(HWND child, LPARAM lParam) {
    auto& layout = *reinterpret_cast<ClientAreaLayout*>(lParam);
    char className[20] = {};
    GetClassNameA(child, className, sizeof className);
    CharUpperA(className);
    RECT bar{};
    GetWindowRect(child, &bar);
    LONG barWidth = bar.right - bar.left;
    LONG barHeight = bar.bottom - bar.top;
    if (lstrcmpA(className, "TOOLBARWINDOW32") == 0) {
        DWORD style = styleOf(child);
        bool vertical = (style & CCS_VERT) != 0;
        switch (style & 3) {
        case CCS_TOP:
            if (vertical)
                layout.area.left += barWidth;
            else
                layout.area.top += barHeight;
            break;
        case CCS_BOTTOM:
            if (vertical)
                layout.area.right -= barWidth;
            else
                layout.area.bottom -= barHeight;
            break;
        default:
            break;
        }
        layout.found = 1;
    } else if (lstrcmpA(className, "MSCTLS_STATUSBAR32") == 0) {
        layout.area.bottom -= barHeight;
        layout.found = 1;
    }
    return TRUE;
}

}  // namespace

int32_t layoutClientArea(HWND frame, HWND clientArea) {
    ClientAreaLayout layout{};
    GetClientRect(frame, &layout.area);
    EnumChildWindows(frame, fitAroundBar, reinterpret_cast<LPARAM>(&layout));
    if (layout.found)
        MoveWindow(clientArea, layout.area.left, layout.area.top, layout.area.right - layout.area.left,
                   layout.area.bottom - layout.area.top, TRUE);
    return layout.found;
}
