#include "gdi/smooth_picture.h"

#include "gdi/colour.h"
#include "gdi/gdi_objects.h"
#include "gdi/raster.h"

namespace gdi {

void drawSmoothPicture(HDC handle, const RECT& area, const PictureColourAt& colourAt) {
    constexpr int kSamples = 4;
    DeviceContext* dc = findDeviceContext(handle);
    if (!dc) return;
    const RECT inTarget = toTarget(*dc, area);
    const RECT r = visiblePart(*dc, area);
    if (isEmpty(r)) return;
    const double factor = dc->target->scale.factor();
    display::Pixels& target = changing(*dc, r);
    for (int y = r.top; y < r.bottom; ++y) {
        uint32_t* row = target.data.data() + static_cast<size_t>(y) * target.width;
        for (int x = r.left; x < r.right; ++x) {
            int covered = 0, red = 0, green = 0, blue = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                const double programY = (y + (sy + 0.5) / kSamples) / factor - inTarget.top;
                for (int sx = 0; sx < kSamples; ++sx) {
                    auto colour = colourAt((x + (sx + 0.5) / kSamples) / factor - inTarget.left, programY);
                    if (!colour) continue;
                    ++covered;
                    red += GetRValue(*colour);
                    green += GetGValue(*colour);
                    blue += GetBValue(*colour);
                }
            }
            if (covered == 0) continue;
            const uint32_t mean = toPixel(RGB(red / covered, green / covered, blue / covered));
            const int coverage = covered * 255 / (kSamples * kSamples);
            row[x] = coverage == 255 ? mean : blendPixel(row[x], mean, static_cast<uint32_t>(coverage));
        }
    }
}

}  // namespace gdi
