// The process entry on systems without Win32: pick a display, then run the program's
// WinMain as Windows would.
#include <windows.h>

#include "display/display.h"
#include "gdi/font_face.h"

#include <cstdio>

#ifdef EDITOR_HAVE_SDL
#include "accessibility/accessibility.h"
#include "display/sdl/sdl_backend.h"
#endif

int main(int argc, char** argv) {
#ifdef EDITOR_HAVE_SDL
    std::string why;
    auto sdl = display::createSdlBackend(why);
    if (!sdl) {
        std::fprintf(stderr,
                     "%s: no display to show the editor on (%s). Run it on a desktop, or under "
                     "a virtual one: xvfb-run %s\n",
                     argv[0], why.c_str(), argv[0]);
        return 1;
    }
    display::setBackend(std::move(sdl));
    // Checked before the program runs: it opens its files first, and a form without text
    // would be no use to anyone.
    if (!gdi::canDrawText()) {
        std::fprintf(stderr,
                     "%s: no font can be opened (fontconfig offers none and none of the usual font files "
                     "can be read); install fonts-liberation, or allow more open files\n",
                     argv[0]);
        return 1;
    }
    auto accessibleOnTheBus = accessibility::start(argv[0]);
#else
    (void)argc;
    std::fprintf(stderr, "%s: built without a display backend (install libsdl2-dev and rebuild)\n", argv[0]);
    return 1;
#endif
    char commandLine[] = "";
    return WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWNORMAL);
}
