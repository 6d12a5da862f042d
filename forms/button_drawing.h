// Owner-drawn command buttons.
#pragma once

#include <windows.h>

#include <cstdint>

int32_t drawButton(HWND button, const DRAWITEMSTRUCT& item);
int32_t fillRectangle(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour);
