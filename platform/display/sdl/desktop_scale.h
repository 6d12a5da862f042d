// Which scale the desktop asks programs to draw at, from the ways desktops announce it:
// on X11 (XWayland included) the Xft.dpi resource (GNOME, KDE, Xfce and xrdb set it; 192
// is 200 %), GTK's GDK_SCALE and GDK_DPI_SCALE variables, on Wayland the scale of the
// output the window is on; the user's EDITOR_SCALE overrides them all.
#pragma once

#include "display/display.h"

#include <optional>
#include <string>

namespace display::sdl {

struct ScaleAnnouncements {
    std::string editorScale;  // EDITOR_SCALE, empty when not set
    std::string resources;    // the X root window's RESOURCE_MANAGER text, empty when none
    std::string gdkScale;     // GDK_SCALE
    std::string gdkDpiScale;  // GDK_DPI_SCALE
    // On Wayland: the output's scale as SDL gives it to a window (its buffer's pixels per
    // logical unit); 0 elsewhere.
    double waylandOutputScale = 0;
};

struct ChosenScale {
    Scale scale;
    std::string reason;  // one line for the debug output: which announcement, and what it said
    // The Wayland output's scale decided: it changes with the output the window is on.
    bool followsWaylandOutput = false;
};

ChosenScale chooseScale(const ScaleAnnouncements& announced);

// The value of Xft.dpi in resource text ("Xft.dpi:\t192"), if it has one that is a number.
std::optional<double> xftDpiIn(const std::string& resources);

// Says in the debug output which scale is used and why.
void reportScale(const ChosenScale& chosen);

// What chooseScale reads from the environment; the rest the backend fills in.
ScaleAnnouncements announcementsFromEnvironment();

}  // namespace display::sdl
