#include "user/dialogs/message_box_icons.h"

#include "gdi/smooth_picture.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace user::dialogs {

namespace {

constexpr COLORREF kStopRed = RGB(255, 0, 0);
constexpr COLORREF kStopRim = RGB(128, 0, 0);
constexpr COLORREF kWarningYellow = RGB(255, 255, 0);
constexpr COLORREF kInfoBlue = RGB(0, 0, 255);
constexpr COLORREF kInfoRim = RGB(0, 0, 128);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr double kCentre = 16.0;

double distanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
    double dx = bx - ax, dy = by - ay;
    double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// Signed area test: which side of the edge a-b the point lies on.
double side(double px, double py, double ax, double ay, double bx, double by) {
    return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

std::optional<COLORREF> disc(double x, double y, COLORREF fill, COLORREF rim) {
    double r = std::hypot(x - kCentre, y - kCentre);
    if (r > 15.5) return std::nullopt;
    return r > 14.0 ? rim : fill;
}

std::optional<COLORREF> stopSample(double x, double y) {
    auto base = disc(x, y, kStopRed, kStopRim);
    if (!base) return base;
    constexpr double kArm = 6.5, kHalfWidth = 2.0;
    if (distanceToSegment(x, y, kCentre - kArm, kCentre - kArm, kCentre + kArm, kCentre + kArm) <= kHalfWidth ||
        distanceToSegment(x, y, kCentre - kArm, kCentre + kArm, kCentre + kArm, kCentre - kArm) <= kHalfWidth)
        return kWhite;
    return base;
}

std::optional<COLORREF> exclamationSample(double x, double y) {
    // Triangle with its apex at the top centre, a black rim of about one pixel.
    const double ax = 16, ay = 1, bx = 31, by = 30, cx = 1, cy = 30;
    if (side(x, y, ax, ay, bx, by) < 0 || side(x, y, bx, by, cx, cy) < 0 || side(x, y, cx, cy, ax, ay) < 0)
        return std::nullopt;
    if (distanceToSegment(x, y, ax, ay, bx, by) < 1.2 || distanceToSegment(x, y, bx, by, cx, cy) < 1.2 ||
        distanceToSegment(x, y, cx, cy, ax, ay) < 1.2)
        return kBlack;
    if (distanceToSegment(x, y, 16, 10, 16, 20) <= 1.8 || std::hypot(x - 16, y - 25) <= 2.0) return kBlack;
    return kWarningYellow;
}

std::optional<COLORREF> informationSample(double x, double y) {
    auto base = disc(x, y, kInfoBlue, kInfoRim);
    if (!base) return base;
    if (std::hypot(x - 16, y - 8.5) <= 2.2 || distanceToSegment(x, y, 16, 14, 16, 24) <= 2.0) return kWhite;
    return base;
}

std::optional<COLORREF> questionSample(double x, double y) {
    auto base = disc(x, y, kInfoBlue, kInfoRim);
    if (!base) return base;
    // The hook of the "?" is most of a ring around (16, 11), open on its lower left,
    // then a short stem and the dot.
    double ring = std::hypot(x - 16, y - 11);
    double angle = std::atan2(y - 11, x - 16);  // 0 to the right, positive downwards
    bool onHook = std::abs(ring - 5.0) <= 1.8 && !(angle > 1.2 && angle < 3.0);
    if (onHook || distanceToSegment(x, y, 16, 16, 16, 20) <= 1.8 || std::hypot(x - 16, y - 25) <= 2.0) return kWhite;
    return base;
}

std::optional<COLORREF> sample(MessageIcon icon, double x, double y) {
    switch (icon) {
    case MessageIcon::Stop:
        return stopSample(x, y);
    case MessageIcon::Exclamation:
        return exclamationSample(x, y);
    case MessageIcon::Information:
        return informationSample(x, y);
    case MessageIcon::Question:
        return questionSample(x, y);
    case MessageIcon::None:
        break;
    }
    return std::nullopt;
}

}  // namespace

MessageIcon messageIconFor(UINT messageBoxType) {
    switch (messageBoxType & MB_ICONMASK) {
    case MB_ICONHAND:
        return MessageIcon::Stop;
    case MB_ICONQUESTION:
        return MessageIcon::Question;
    case MB_ICONEXCLAMATION:
        return MessageIcon::Exclamation;
    case MB_ICONASTERISK:
        return MessageIcon::Information;
    default:
        return MessageIcon::None;
    }
}

void drawMessageIcon(HDC dc, int x, int y, MessageIcon icon) {
    if (icon == MessageIcon::None) return;
    // Drawn from its shapes at the device's resolution: sharp on high-resolution screens.
    gdi::drawSmoothPicture(dc, RECT{x, y, x + kMessageIconSize, y + kMessageIconSize},
                           [icon](double px, double py) { return sample(icon, px, py); });
}

}  // namespace user::dialogs
