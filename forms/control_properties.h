// What the form runtime keeps on each control window of a dialog, for its own subclasses
// and drawing and for applications' subclasses.
#pragma once

#include <windows.h>

// The window properties in which each control of a dialog keeps its state; applications'
// own subclasses read them under these names.
constexpr char previousProcedureProperty[] = "LPFN";  // the control's procedure before the subclass
constexpr char textColourProperty[] = "FGRND";
constexpr char backgroundColourProperty[] = "BGRND";
constexpr char backgroundBrushProperty[] = "BBRUSH";
constexpr char notifyTabProperty[] = "NOTIFY_TAB";
constexpr char notifyEnterProperty[] = "NOTIFY_ENTER";

inline DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }
