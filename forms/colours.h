// Control colours, subclassing and owner-drawn command buttons.
#pragma once

#include "forms/control_properties.h"

#include <windows.h>

#include <cstdint>

int32_t attachControlColours(HWND control, int32_t kind);
LRESULT CALLBACK controlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK buttonSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The colour request the dialog procedure reflects to a control: 0x19, the number of the
// 16-bit WM_CTLCOLOR, which 32-bit headers no longer define.
constexpr UINT reflectedColourRequest = 0x0019;

// Commands a control sends its parent for Tab and Enter when notifyTabProperty or
// notifyEnterProperty is set on it (high word of wParam).
constexpr WORD notifyTabCode = 0x0A01;
constexpr WORD notifyEnterCode = 0x0A00;
