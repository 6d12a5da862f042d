#include "display/sdl/key_mapping.h"

#include "display/display.h"

#include <windows.h>

namespace display::sdl {

namespace {

uint32_t keypadKey(SDL_Keycode key, bool numLock) {
    struct KeypadKey {
        SDL_Keycode key;
        uint32_t withNumLock;
        uint32_t withoutNumLock;
    };
    static constexpr KeypadKey kKeypad[] = {
        {SDLK_KP_0, VK_NUMPAD0 + 0, VK_INSERT},  {SDLK_KP_1, VK_NUMPAD0 + 1, VK_END},
        {SDLK_KP_2, VK_NUMPAD0 + 2, VK_DOWN},    {SDLK_KP_3, VK_NUMPAD0 + 3, VK_NEXT},
        {SDLK_KP_4, VK_NUMPAD0 + 4, VK_LEFT},    {SDLK_KP_5, VK_NUMPAD0 + 5, VK_CLEAR},
        {SDLK_KP_6, VK_NUMPAD0 + 6, VK_RIGHT},   {SDLK_KP_7, VK_NUMPAD0 + 7, VK_HOME},
        {SDLK_KP_8, VK_NUMPAD0 + 8, VK_UP},      {SDLK_KP_9, VK_NUMPAD0 + 9, VK_PRIOR},
        {SDLK_KP_PERIOD, VK_DECIMAL, VK_DELETE},
    };
    for (const KeypadKey& entry : kKeypad)
        if (entry.key == key) return numLock ? entry.withNumLock : entry.withoutNumLock;
    switch (key) {
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_KP_PLUS:
        return VK_ADD;
    case SDLK_KP_MINUS:
        return VK_SUBTRACT;
    case SDLK_KP_MULTIPLY:
        return VK_MULTIPLY;
    case SDLK_KP_DIVIDE:
        return VK_DIVIDE;
    default:
        return 0;
    }
}

uint32_t namedKey(SDL_Keycode key) {
    switch (key) {
    case SDLK_RETURN:
        return VK_RETURN;
    case SDLK_TAB:
        return VK_TAB;
    case SDLK_BACKSPACE:
        return VK_BACK;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_DELETE:
        return VK_DELETE;
    case SDLK_INSERT:
        return VK_INSERT;
    case SDLK_HOME:
        return VK_HOME;
    case SDLK_END:
        return VK_END;
    case SDLK_PAGEUP:
        return VK_PRIOR;
    case SDLK_PAGEDOWN:
        return VK_NEXT;
    case SDLK_LEFT:
        return VK_LEFT;
    case SDLK_RIGHT:
        return VK_RIGHT;
    case SDLK_UP:
        return VK_UP;
    case SDLK_DOWN:
        return VK_DOWN;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return VK_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return VK_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT:
        return VK_MENU;
    case SDLK_CAPSLOCK:
        return VK_CAPITAL;
    case SDLK_NUMLOCKCLEAR:
        return VK_NUMLOCK;
    case SDLK_PAUSE:
        return VK_PAUSE;
    case SDLK_APPLICATION:
        return VK_APPS;
    default:
        break;
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<uint32_t>(key - SDLK_F1);
    return 0;
}

// Punctuation keys by where they sit; their Win32 codes are named after the US layout.
uint32_t punctuationKey(SDL_Scancode scancode) {
    switch (scancode) {
    case SDL_SCANCODE_SEMICOLON:
        return VK_OEM_1;
    case SDL_SCANCODE_EQUALS:
        return VK_OEM_PLUS;
    case SDL_SCANCODE_COMMA:
        return VK_OEM_COMMA;
    case SDL_SCANCODE_MINUS:
        return VK_OEM_MINUS;
    case SDL_SCANCODE_PERIOD:
        return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH:
        return VK_OEM_2;
    case SDL_SCANCODE_GRAVE:
        return VK_OEM_3;
    case SDL_SCANCODE_LEFTBRACKET:
        return VK_OEM_4;
    case SDL_SCANCODE_BACKSLASH:
        return VK_OEM_5;
    case SDL_SCANCODE_RIGHTBRACKET:
        return VK_OEM_6;
    case SDL_SCANCODE_APOSTROPHE:
        return VK_OEM_7;
    default:
        return 0;
    }
}

}  // namespace

uint32_t virtualKeyFor(SDL_Keycode key, SDL_Scancode scancode, bool numLock) {
    if (key >= 'a' && key <= 'z') return static_cast<uint32_t>(key - 'a' + 'A');
    if (key >= '0' && key <= '9') return static_cast<uint32_t>(key);
    if (uint32_t vk = keypadKey(key, numLock)) return vk;
    if (uint32_t vk = namedKey(key)) return vk;
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return static_cast<uint32_t>('A' + (scancode - SDL_SCANCODE_A));
    // SDL numbers the digit row 1..9 then 0.
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return static_cast<uint32_t>('1' + (scancode - SDL_SCANCODE_1));
    if (scancode == SDL_SCANCODE_0) return '0';
    return punctuationKey(scancode);
}

uint32_t modifiersFor(uint16_t sdlModifiers) {
    uint32_t modifiers = 0;
    if (sdlModifiers & KMOD_SHIFT) modifiers |= ModShift;
    if (sdlModifiers & KMOD_CTRL) modifiers |= ModControl;
    if (sdlModifiers & KMOD_ALT) modifiers |= ModAlt;
    return modifiers;
}

}  // namespace display::sdl
