// Control colours, subclassing and owner-drawn command buttons.
#pragma once

#include <windows.h>

#include <cstdint>

// The window properties in which each control of a dialog keeps its state; applications'
// own subclasses read them under these names.
constexpr char previousProcedureProperty[] = "LPFN";  // the control's procedure before the subclass
constexpr char textColourProperty[] = "FGRND";
constexpr char backgroundColourProperty[] = "BGRND";
constexpr char backgroundBrushProperty[] = "BBRUSH";
constexpr char notifyTabProperty[] = "NOTIFY_TAB";
constexpr char notifyEnterProperty[] = "NOTIFY_ENTER";

int32_t attachControlColours(HWND control, int32_t kind);
LRESULT CALLBACK controlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK buttonSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
DWORD styleOf(HWND window);

// The colour request the dialog procedure reflects to a control: 0x19, the number of the
// 16-bit WM_CTLCOLOR, which 32-bit headers no longer define.
constexpr UINT reflectedColourRequest = 0x0019;

// Commands a control sends its parent for Tab and Enter when notifyTabProperty or
// notifyEnterProperty is set on it (high word of wParam).
constexpr WORD notifyTabCode = 0x0A01;
constexpr WORD notifyEnterCode = 0x0A00;
