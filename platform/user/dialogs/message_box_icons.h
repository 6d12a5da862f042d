// The message box's 32 x 32 icons, drawn by the layer itself: a stop sign (red disc, white
// cross), an exclamation sign (yellow triangle, black "!"), and blue discs with "i" or "?".
#pragma once

#include <windows.h>

namespace user::dialogs {

enum class MessageIcon { None, Stop, Question, Exclamation, Information };

MessageIcon messageIconFor(UINT messageBoxType);  // from the MB_ICON* bits

constexpr int kMessageIconSize = 32;

// Draws the icon with its top-left corner at (x, y), its edges smoothed onto what the DC
// shows.
void drawMessageIcon(HDC dc, int x, int y, MessageIcon icon);

}  // namespace user::dialogs
