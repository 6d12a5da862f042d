// Control colours, subclassing and owner-drawn command buttons.
#pragma once

#include <windows.h>

#include <cstdint>

int32_t attachControlColours(HWND control, int32_t kind);
LRESULT CALLBACK controlSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK buttonSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK staticSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
int32_t drawButton(HWND button, const DRAWITEMSTRUCT& item);
int32_t fillRectangle(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour);
