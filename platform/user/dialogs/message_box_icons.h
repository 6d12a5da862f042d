// The message box's 32 x 32 icons, drawn by the layer itself: a stop sign (red disc, white
// cross), an exclamation sign (yellow triangle, black "!"), and blue discs with "i" or "?".
#pragma once

#include <windows.h>

#include <array>

namespace user::dialogs {

enum class MessageIcon { None, Stop, Question, Exclamation, Information };

MessageIcon messageIconFor(UINT messageBoxType);  // from the MB_ICON* bits

constexpr int kMessageIconSize = 32;

// One icon pixel: its colour and how much of the pixel the icon covers (0..255); the
// rest shows the background.
struct IconPixel {
    COLORREF colour = 0;
    BYTE coverage = 0;
};
using IconImage = std::array<IconPixel, kMessageIconSize * kMessageIconSize>;

IconImage renderMessageIcon(MessageIcon icon);

// Draws the icon with its top-left corner at (x, y), blended onto what the DC shows.
void drawMessageIcon(HDC dc, int x, int y, MessageIcon icon);

}  // namespace user::dialogs
