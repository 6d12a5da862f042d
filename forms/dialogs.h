// Dialogs described in memory and shown modally from a dialog template built on the fly.
#pragma once

#include "dialog_object.h"

#include <windows.h>

#include <cstdint>

// The window class of every dialog the runtime shows.
constexpr char dialogClassName[] = "MarlowDlgClass";

struct ControlRecord {
    ControlRecord* next = nullptr;
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    char* text = nullptr;
    char className[32] = {};
    int32_t kind = 0;
    int32_t x = 0, y = 0, width = 0, height = 0;  // dialog units
    int32_t id = 0;
    int32_t defaultButton = 0;
};

struct DialogHeader {
    uint32_t style = 0;
    uint32_t extendedStyle = 0;
    char title[256] = {};
    HWND parentWindow = nullptr;
    int32_t x = 0, y = 0, width = 0, height = 0;  // dialog units
    int32_t baseUnitX = 0;
    int32_t baseUnitY = 0;
    ControlRecord* controls = nullptr;
    int32_t modeless = 0;
};

// Control kinds of addControl.
enum ControlKind : int32_t {
    kindCommandButton = 1,
    kindCheckBox = 2,
    kindRadioButton = 3,
    kindEdit = 4,
    kindListBox = 5,
    kindComboBox = 6,
    kindLabel = 7,
    kindScrollBar = 8,
    kindGroupBox = 9,
    kindRichEdit = 10,
    kindListView = 11,
    kindStatusBar = 12,
    kindPlainButton = 13,
    kindTreeView = 14,
};

constexpr uint32_t hiddenControlBit = 0x80000;

// A link of the dialog registry.
struct DialogNode {
    DialogNode* next = nullptr;
    DialogObject* dialog = nullptr;
};

int32_t createDialog(DialogObject& dialog, int32_t x, int32_t y, int32_t width, int32_t height, uint32_t style,
                     const DialogObject* parent, const char* title, DialogHandler handler);
int32_t addControl(DialogObject& dialog, int32_t kind, const char* text, int32_t x, int32_t y, int32_t width,
                   int32_t height, uint32_t style, int32_t id);
INT_PTR showModal(DialogObject& dialog, const DialogObject* parent);
int32_t closeDialog(DialogObject& dialog, INT_PTR result);
int32_t freeDialogs();

struct DialogUnits {
    int32_t x, y, width, height;
};
DialogUnits toDialogUnits(int32_t x, int32_t y, int32_t width, int32_t height, int32_t baseUnitX, int32_t baseUnitY);
uint32_t measureTemplate(const DialogHeader& header);
void buildTemplate(void* block, const DialogHeader& header);

// Registers MarlowDlgClass once; its atom is kept in the forms state.
void registerDialogClass();
// Fits a frame window's client-area window between its tool bars and status bar;
// 1 when one of them was found.
int32_t layoutClientArea(HWND frame, HWND clientArea);
