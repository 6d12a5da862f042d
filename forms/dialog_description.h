// A dialog described in memory: its header and its chain of control records, from which
// showModal builds a dialog template each time the dialog is shown.
#pragma once

#include <windows.h>

#include <cstdint>

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
