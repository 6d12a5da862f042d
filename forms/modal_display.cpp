// Showing a described dialog modally from a fresh template, and ending it.
#include "forms/modal_display.h"

#include "forms/events.h"
#include "forms/forms_state.h"
#include "forms/templates.h"

#include <windows.h>

INT_PTR showModal(DialogObject& dialog, const DialogObject* parent) {
    if (!dialog.header || dialog.isDialog != 1) return 0;

    // The template lives only while the dialog is on screen; without it nothing can be shown.
    void* block = GlobalAlloc(GPTR, measureTemplate(*dialog.header));
    if (!block) return -1;
    buildTemplate(block, *dialog.header);

    formsState().pendingDialog = &dialog;
    HWND owner = parent ? parent->window : dialog.header->parentWindow;
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), static_cast<LPCDLGTEMPLATEA>(block), owner,
                                             dialogProcedure, 0);
    // A window that was never created never took the pending dialog over.
    if (formsState().pendingDialog == &dialog) formsState().pendingDialog = nullptr;
    GlobalFree(block);
    return result;
}

int32_t closeDialog(DialogObject& dialog, INT_PTR result) {
    if (!dialog.window || dialog.isDialog != 1) return 0;
    if (dialog.header && dialog.header->modeless != 0)
        DestroyWindow(dialog.window);
    else
        EndDialog(dialog.window, result);
    dialog.window = nullptr;
    return 0;
}
