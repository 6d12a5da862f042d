#include "display/sdl/desktop_scale.h"

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace display::sdl {

namespace {

// The program is never drawn smaller than its own pixels, and beyond four times nothing
// that exists needs it.
constexpr int kSmallestDpi = Scale::kProgramDpi;
constexpr int kLargestDpi = 4 * Scale::kProgramDpi;
// A desktop's own value is taken in quarter steps (what desktops offer): 100 DPI is a
// normal screen, not one where every 25th line is twice as thick.
constexpr int kDesktopStep = Scale::kProgramDpi / 4;

std::optional<double> number(const std::string& text) {
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    while (end && (*end == ' ' || *end == '\t')) ++end;
    if (!end || *end != '\0' || !std::isfinite(value) || value <= 0) return std::nullopt;
    return value;
}

int clampedDpi(double dpi) {
    int whole = static_cast<int>(std::lround(dpi));
    return whole < kSmallestDpi ? kSmallestDpi : (whole > kLargestDpi ? kLargestDpi : whole);
}

int desktopDpi(double dpi) { return clampedDpi(std::round(dpi / kDesktopStep) * kDesktopStep); }

std::string factorText(Scale scale) {
    std::ostringstream out;
    out << scale.factor();
    return out.str();
}

}  // namespace

std::optional<double> xftDpiIn(const std::string& resources) {
    std::istringstream lines(resources);
    std::string line;
    std::optional<double> found;
    while (std::getline(lines, line)) {
        const std::string name = "Xft.dpi:";
        if (line.compare(0, name.size(), name) != 0) continue;
        std::string value = line.substr(name.size());
        size_t first = value.find_first_not_of(" \t");
        found = number(first == std::string::npos ? "" : value.substr(first));  // the last one counts, as in xrdb
    }
    return found;
}

ChosenScale chooseScale(const ScaleAnnouncements& announced) {
    ChosenScale chosen;
    auto described = [&](const std::string& why) {
        chosen.reason = "display: scale " + factorText(chosen.scale) + " (" + why + ")";
        return chosen;
    };
    if (!announced.editorScale.empty()) {
        if (auto factor = number(announced.editorScale); factor && *factor >= 1 && *factor <= 4) {
            chosen.scale.dpi = clampedDpi(*factor * Scale::kProgramDpi);
            return described("EDITOR_SCALE=" + announced.editorScale);
        }
        chosen.reason = "EDITOR_SCALE=" + announced.editorScale + " is not a factor from 1 to 4, ignored; ";
    }
    std::string ignored = chosen.reason;
    double dpiScale = number(announced.gdkDpiScale).value_or(1.0);
    std::string dpiScaleText = announced.gdkDpiScale.empty() ? "" : ", GDK_DPI_SCALE=" + announced.gdkDpiScale;
    // Xft.dpi already holds the desktop's whole scale (GNOME and KDE set 96 times it);
    // GDK_DPI_SCALE scales text beyond that, and text is what the program is made of.
    if (auto xftDpi = xftDpiIn(announced.resources)) {
        chosen.scale.dpi = desktopDpi(*xftDpi * dpiScale);
        std::ostringstream what;
        what << ignored << "Xft.dpi " << *xftDpi << " in the X resources" << dpiScaleText;
        return described(what.str());
    }
    if (auto gdkScale = number(announced.gdkScale)) {
        chosen.scale.dpi = desktopDpi(std::floor(*gdkScale) * dpiScale * Scale::kProgramDpi);
        return described(ignored + "GDK_SCALE=" + announced.gdkScale + dpiScaleText);
    }
    // The compositor's scale is the desktop's whole scale too, as Xft.dpi is on X11.
    if (announced.waylandOutputScale > 0) {
        chosen.scale.dpi = desktopDpi(announced.waylandOutputScale * dpiScale * Scale::kProgramDpi);
        std::ostringstream what;
        what << ignored << "the Wayland output's scale " << announced.waylandOutputScale << dpiScaleText;
        chosen.followsWaylandOutput = true;
        return described(what.str());
    }
    if (dpiScale != 1.0) {
        chosen.scale.dpi = desktopDpi(dpiScale * Scale::kProgramDpi);
        return described(ignored + "GDK_DPI_SCALE=" + announced.gdkDpiScale);
    }
    return described(ignored + "the desktop announces no scale");
}

void reportScale(const ChosenScale& chosen) { OutputDebugStringA((chosen.reason + "\n").c_str()); }

ScaleAnnouncements announcementsFromEnvironment() {
    ScaleAnnouncements announced;
    auto read = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    announced.editorScale = read("EDITOR_SCALE");
    announced.gdkScale = read("GDK_SCALE");
    announced.gdkDpiScale = read("GDK_DPI_SCALE");
    return announced;
}

}  // namespace display::sdl
