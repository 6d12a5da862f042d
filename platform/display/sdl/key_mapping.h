// SDL's key and modifier codes in Win32 terms: the virtual-key codes of WM_KEYDOWN and
// the modifier bits of display events.
#pragma once

#include <SDL_keyboard.h>

#include <cstdint>

namespace display::sdl {

// The Win32 virtual-key code of a key, 0 for a key the program has no use for. Letters
// and digits follow the keyboard layout (the key that types "a" is 'A'), falling back to
// the key's position when the layout's symbol is no Latin letter or digit. The keypad
// gives digits with Num Lock on and the navigation keys printed on it with Num Lock off.
uint32_t virtualKeyFor(SDL_Keycode key, SDL_Scancode scancode, bool numLock);

// display::Modifier bits from SDL's modifier state.
uint32_t modifiersFor(uint16_t sdlModifiers);

}  // namespace display::sdl
