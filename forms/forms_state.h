// Everything the form runtime keeps from one call to the next, in one place, reached
// through formsState().
#pragma once

#include "forms/event_context.h"
#include "runtime/dialog_object.h"

#include <windows.h>

// A link of the dialog registry.
struct DialogNode {
    DialogNode* next = nullptr;
    DialogObject* dialog = nullptr;
};

struct FormsState {
    // Every described dialog in creation order, released by freeDialogs.
    DialogNode* dialogRegistry = nullptr;
    // The dialog showModal is about to display; its WM_INITDIALOG takes it over.
    DialogObject* pendingDialog = nullptr;
    // The atom of dialogClassName: 0 until registerDialogClass has registered it.
    ATOM dialogClassAtom = 0;
    // What the handler of the dialog being called reads about its event.
    EventContext eventContext;
    // Once-only initialisations of the controls that need a library; the library stays
    // loaded until the process ends.
    bool commonControlsInitialised = false;
    HMODULE richEditLibrary = nullptr;
};

FormsState& formsState();
