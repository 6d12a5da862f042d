// Dialog descriptions: the dialog class, createDialog, the pixel-to-dialog-unit rule and
// the registry that releases every description at exit.
#include "forms/dialog_registry.h"

#include "forms/dialog_description.h"
#include "forms/forms_state.h"

#include <windows.h>

#include <cfenv>
#include <cmath>
#include <new>

void registerDialogClass() {
    if (formsState().dialogClassAtom != 0) return;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    GetClassInfoExA(nullptr, WC_DIALOG, &windowClass);
    windowClass.cbSize = sizeof windowClass;  // 48 on the 32-bit Windows build
    windowClass.lpszClassName = dialogClassName;
    windowClass.lpszMenuName = nullptr;
    windowClass.lpfnWndProc = DefDlgProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.style &= ~static_cast<UINT>(CS_GLOBALCLASS);
    windowClass.cbWndExtra = 30;
    // No class cursor: the dialog procedure shows the dialog's own cursor.
    windowClass.hIcon = nullptr;
    windowClass.hIconSm = nullptr;
    windowClass.hCursor = nullptr;
    formsState().dialogClassAtom = RegisterClassExA(&windowClass);
}

namespace {

struct BaseUnits {
    int32_t x, y;
};

// The reference font every dialog is laid out with: "MS Sans Serif" of height 8.
BaseUnits measureReferenceFont() {
    LOGFONTA font{};
    font.lfHeight = 8;
    font.lfWeight = FW_NORMAL;
    lstrcpynA(font.lfFaceName, "MS Sans Serif", LF_FACESIZE);
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT reference = CreateFontIndirectA(&font);
    HGDIOBJ previous = SelectObject(dc, reference);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    DeleteObject(reference);
    DeleteDC(dc);
    return {metrics.tmAveCharWidth + 1, metrics.tmHeight};
}

// Nearest integer, halves to the even neighbour, whatever rounding mode is set.
int32_t roundHalfEven(double value) {
    int previousMode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    double rounded = std::nearbyint(value);
    std::fesetround(previousMode);
    return static_cast<int32_t>(rounded);
}

void appendToRegistry(DialogObject& dialog) {
    auto* node = new (GlobalAlloc(GPTR, sizeof(DialogNode))) DialogNode{};
    node->dialog = &dialog;
    DialogNode** link = &formsState().dialogRegistry;
    while (*link) link = &(*link)->next;
    *link = node;
}

}  // namespace

DialogUnits toDialogUnits(int32_t x, int32_t y, int32_t width, int32_t height, int32_t baseUnitX, int32_t baseUnitY) {
    // Edges are rounded, not sizes, so rectangles that touch in pixels still touch.
    int32_t left = roundHalfEven(x * 4.0 / baseUnitX);
    int32_t right = roundHalfEven((static_cast<double>(x) + width) * 4.0 / baseUnitX);
    int32_t top = roundHalfEven(y * 8.0 / baseUnitY);
    int32_t bottom = roundHalfEven((static_cast<double>(y) + height) * 8.0 / baseUnitY);
    return {left, top, right - left, bottom - top};
}

int32_t createDialog(DialogObject& dialog, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t style,
                     const DialogObject* parent, const char* title, DialogHandler handler) {
    registerDialogClass();
    HWND parentWindow = parent ? parent->window : nullptr;

    dialog.handler = handler;
    dialog.window = nullptr;
    dialog.clientWindow = nullptr;
    dialog.isDialog = 1;
    dialog.cursor = LoadCursorA(nullptr, IDC_ARROW);
    auto* header = new (GlobalAlloc(GPTR, sizeof(DialogHeader))) DialogHeader{};
    dialog.header = header;

    header->style = style | WS_POPUP | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT;
    header->parentWindow = parentWindow;
    // A longer title would not fit the header; it is cut to what fits.
    lstrcpynA(header->title, title ? title : "", sizeof header->title);

    BaseUnits units = measureReferenceFont();
    header->baseUnitX = units.x;
    header->baseUnitY = units.y;
    DialogUnits rect = toDialogUnits(x, y, width, height, units.x, units.y);
    header->x = rect.x;
    header->y = rect.y;
    header->width = rect.width;
    header->height = rect.height;

    appendToRegistry(dialog);
    return 1;
}

int32_t freeDialogs() {
    while (DialogNode* node = formsState().dialogRegistry) {
        DialogObject* dialog = node->dialog;
        if (DialogHeader* header = dialog->header) {
            ControlRecord* control = header->controls;
            while (control) {
                ControlRecord* next = control->next;
                if (control->text) GlobalFree(control->text);
                GlobalFree(control);
                control = next;
            }
            GlobalFree(header);
            dialog->header = nullptr;
        }
        formsState().dialogRegistry = node->next;
        GlobalFree(node);
    }
    return 0;
}
