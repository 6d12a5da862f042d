#include "display/sdl/key_mapping.h"

#include "display/display.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace display::sdl {
namespace {

TEST(KeyMapping, LettersAndDigitsFollowTheLayoutAndFallBackToThePosition) {
    // On a French layout the key at Q's place types "a": Windows calls it 'A'.
    EXPECT_EQ(virtualKeyFor(SDLK_a, SDL_SCANCODE_Q, false), uint32_t('A'));
    EXPECT_EQ(virtualKeyFor(SDLK_z, SDL_SCANCODE_Z, false), uint32_t('Z'));
    EXPECT_EQ(virtualKeyFor(SDLK_0, SDL_SCANCODE_0, false), uint32_t('0'));
    EXPECT_EQ(virtualKeyFor(SDLK_9, SDL_SCANCODE_9, false), uint32_t('9'));
    // A Cyrillic letter or the French digit row's "&" are named by where the key sits.
    EXPECT_EQ(virtualKeyFor(0x0444, SDL_SCANCODE_A, false), uint32_t('A'));
    EXPECT_EQ(virtualKeyFor(SDLK_AMPERSAND, SDL_SCANCODE_1, false), uint32_t('1'));
    EXPECT_EQ(virtualKeyFor(0x00E0, SDL_SCANCODE_0, false), uint32_t('0'));
}

TEST(KeyMapping, EditingNavigationAndModifierKeys) {
    struct Case {
        SDL_Keycode key;
        SDL_Scancode scancode;
        uint32_t expected;
    };
    const Case cases[] = {
        {SDLK_RETURN, SDL_SCANCODE_RETURN, VK_RETURN},    {SDLK_TAB, SDL_SCANCODE_TAB, VK_TAB},
        {SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, VK_BACK}, {SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, VK_ESCAPE},
        {SDLK_DELETE, SDL_SCANCODE_DELETE, VK_DELETE},    {SDLK_HOME, SDL_SCANCODE_HOME, VK_HOME},
        {SDLK_END, SDL_SCANCODE_END, VK_END},             {SDLK_LEFT, SDL_SCANCODE_LEFT, VK_LEFT},
        {SDLK_RIGHT, SDL_SCANCODE_RIGHT, VK_RIGHT},       {SDLK_UP, SDL_SCANCODE_UP, VK_UP},
        {SDLK_DOWN, SDL_SCANCODE_DOWN, VK_DOWN},          {SDLK_SPACE, SDL_SCANCODE_SPACE, VK_SPACE},
        {SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, VK_SHIFT},     {SDLK_RSHIFT, SDL_SCANCODE_RSHIFT, VK_SHIFT},
        {SDLK_LCTRL, SDL_SCANCODE_LCTRL, VK_CONTROL},     {SDLK_RCTRL, SDL_SCANCODE_RCTRL, VK_CONTROL},
        {SDLK_LALT, SDL_SCANCODE_LALT, VK_MENU},          {SDLK_RALT, SDL_SCANCODE_RALT, VK_MENU},
        {SDLK_F1, SDL_SCANCODE_F1, VK_F1},                {SDLK_F4, SDL_SCANCODE_F4, VK_F4},
        {SDLK_F12, SDL_SCANCODE_F12, VK_F12},             {SDLK_SEMICOLON, SDL_SCANCODE_SEMICOLON, VK_OEM_1},
        {SDLK_MINUS, SDL_SCANCODE_MINUS, VK_OEM_MINUS},   {SDLK_PERIOD, SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKeyFor(c.key, c.scancode, false), c.expected) << SDL_GetKeyName(c.key);
    EXPECT_EQ(virtualKeyFor(SDLK_VOLUMEUP, SDL_SCANCODE_VOLUMEUP, false), 0u);
}

TEST(KeyMapping, KeypadDependsOnNumLock) {
    EXPECT_EQ(virtualKeyFor(SDLK_KP_0, SDL_SCANCODE_KP_0, true), uint32_t(VK_NUMPAD0));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_7, SDL_SCANCODE_KP_7, true), uint32_t(VK_NUMPAD0 + 7));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_7, SDL_SCANCODE_KP_7, false), uint32_t(VK_HOME));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_1, SDL_SCANCODE_KP_1, false), uint32_t(VK_END));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_8, SDL_SCANCODE_KP_8, false), uint32_t(VK_UP));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, false), uint32_t(VK_DELETE));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, true), uint32_t(VK_DECIMAL));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, false), uint32_t(VK_RETURN));
    EXPECT_EQ(virtualKeyFor(SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS, false), uint32_t(VK_ADD));
}

TEST(KeyMapping, ModifiersOfEitherSide) {
    EXPECT_EQ(modifiersFor(KMOD_NONE), 0u);
    EXPECT_EQ(modifiersFor(KMOD_LSHIFT), uint32_t(ModShift));
    EXPECT_EQ(modifiersFor(KMOD_RSHIFT | KMOD_RCTRL), uint32_t(ModShift | ModControl));
    EXPECT_EQ(modifiersFor(KMOD_LALT | KMOD_CAPS | KMOD_NUM), uint32_t(ModAlt));
}

}  // namespace
}  // namespace display::sdl
