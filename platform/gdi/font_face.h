// Fonts drawn through FreeType: scalable faces found through fontconfig (or at their usual
// places when it offers none), and the classic
// dialog font's bitmap face; their metrics and a glyph cache for the 256 Windows-1252
// characters. One face per file and pixel size is made once and shared by every HFONT
// that asks for it.
#pragma once

#include "display/display.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct FT_FaceRec_;

namespace gdi {

struct FontMetrics {
    int height = 0;  // ascent + descent: one line's cell
    int ascent = 0;  // baseline's distance from the cell top
    int descent = 0;
    int internalLeading = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int weight = FW_NORMAL;
    bool italic = false;
    int underlineOffset = 1;  // rows below the baseline
    int underlineThickness = 1;
    bool outline = true;  // scalable; false for a bitmap face
    int overhang = 0;     // extra width of emboldened bitmap glyphs
};

// One character's image: coverage 0..255, `width` x `rows`, placed `left` pixels right of
// the pen and `top` rows above the baseline; `advance` moves the pen.
struct Glyph {
    int advance = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int rows = 0;
    std::vector<uint8_t> coverage;
};

class FontFace {
public:
    // Outline faces are indexed by Unicode, Windows bitmap faces by the Windows-1252 byte;
    // an emboldened bitmap face strikes each glyph twice, one pixel apart.
    enum class Kind { scalable, bitmap, emboldenedBitmap };
    // A monochrome face draws full-coverage pixels only.
    FontFace(FT_FaceRec_* face, const FontMetrics& metrics, bool monochrome, Kind kind = Kind::scalable);
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    const FontMetrics& metrics() const { return metrics_; }
    const Glyph& glyph(unsigned char character) const {
        if (!ready_[character]) render(character);
        return glyphs_[character];
    }
    int advance(unsigned char character) const { return glyph(character).advance; }
    int textWidth(const char* text, int length) const;

    // The face that draws this one's characters on a device of `scale`: itself at scale
    // one, else the outline at the device's pixel size (a bitmap face has no strike for
    // it). Its metrics are the device's; layout keeps to this face's.
    const FontFace& atScale(display::Scale scale) const;
    // Where the outline for other scales comes from, and its em in program pixels.
    void setOutline(const std::string& path, int emPixels) {
        outlinePath_ = path;
        outlineEm_ = emPixels;
    }

private:
    void render(unsigned char character) const;

    std::string outlinePath_;
    int outlineEm_ = 0;
    mutable std::map<int, std::unique_ptr<FontFace>> scaled_;  // by dpi
    FT_FaceRec_* face_;
    FontMetrics metrics_;
    bool monochrome_;
    Kind kind_;
    mutable std::array<Glyph, 256> glyphs_;
    mutable std::array<bool, 256> ready_{};
};

// The face that draws a logical font: "MS Sans Serif" at the small sizes has the classic
// dialog font's fixed metrics; everything else is scaled from the outline's own.
// Null only when no face could ever be opened; once one has been, a face that cannot be
// opened now is stood in for by one made before.
const FontFace* fontFaceFor(const LOGFONTA& logFont);

// Whether any font can be had at all; without one nothing can be shown, and the program
// says so before it starts rather than drawing no text.
bool canDrawText();

}  // namespace gdi
