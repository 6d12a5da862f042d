#include "display/sdl/key_mapping.h"

#include "display/display.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace display::sdl {
namespace {

// Letters and digits follow the layout and fall back to the key's position; the keypad
// depends on Num Lock; a key without a virtual key gives 0.
TEST(KeyMapping, EachKeyHasItsVirtualKey) {
    struct Case {
        SDL_Keycode key;
        SDL_Scancode scancode;
        bool numLock;
        uint32_t expected;
    };
    const Case cases[] = {
        // On a French layout the key at Q's place types "a": Windows calls it 'A'.
        {SDLK_a, SDL_SCANCODE_Q, false, 'A'},
        {SDLK_z, SDL_SCANCODE_Z, false, 'Z'},
        {SDLK_0, SDL_SCANCODE_0, false, '0'},
        {SDLK_9, SDL_SCANCODE_9, false, '9'},
        // A Cyrillic letter or the French digit row's "&" are named by where the key sits.
        {0x0444, SDL_SCANCODE_A, false, 'A'},
        {SDLK_AMPERSAND, SDL_SCANCODE_1, false, '1'},
        {0x00E0, SDL_SCANCODE_0, false, '0'},
        {SDLK_KP_0, SDL_SCANCODE_KP_0, true, VK_NUMPAD0},
        {SDLK_KP_7, SDL_SCANCODE_KP_7, true, VK_NUMPAD0 + 7},
        {SDLK_KP_7, SDL_SCANCODE_KP_7, false, VK_HOME},
        {SDLK_KP_1, SDL_SCANCODE_KP_1, false, VK_END},
        {SDLK_KP_8, SDL_SCANCODE_KP_8, false, VK_UP},
        {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, false, VK_DELETE},
        {SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, true, VK_DECIMAL},
        {SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, false, VK_RETURN},
        {SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, false, VK_ADD},
        // The rest is a table of one key each; a right-hand modifier is the same key.
        {SDLK_RETURN, SDL_SCANCODE_RETURN, false, VK_RETURN},
        {SDLK_RCTRL, SDL_SCANCODE_RCTRL, false, VK_CONTROL},
        {SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKeyFor(c.key, c.scancode, c.numLock), c.expected) << SDL_GetKeyName(c.key) << " " << c.numLock;
}

TEST(KeyMapping, ModifiersOfEitherSide) {
    EXPECT_EQ(modifiersFor(KMOD_NONE), 0u);
    EXPECT_EQ(modifiersFor(KMOD_LSHIFT), uint32_t(ModShift));
    EXPECT_EQ(modifiersFor(KMOD_RSHIFT | KMOD_RCTRL), uint32_t(ModShift | ModControl));
    EXPECT_EQ(modifiersFor(KMOD_LALT | KMOD_CAPS | KMOD_NUM), uint32_t(ModAlt));
}

}  // namespace
}  // namespace display::sdl
