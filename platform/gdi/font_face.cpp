#include "gdi/font_face.h"

#include "codepage/windows1252.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H
#include FT_WINFONTS_H

#include <strings.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <tuple>

#include <unistd.h>

namespace gdi {

namespace {

// The classic dialog font ("MS Sans Serif" 8) is a bitmap face of 13-pixel cells. Its
// Windows FNT file comes with the fonts-wine package; FreeType reads it, and its glyphs
// give labels the widths they have on Win32. Without the file an outline face stands
// in, with these metrics fixed, since a dialog's layout is computed from them.
constexpr int kClassicMaxLogicalHeight = 13;
constexpr int kClassicCellHeight = 13;
constexpr const char* kClassicBitmapFiles[] = {"/usr/share/wine/fonts/sserife.fon"};
constexpr FontMetrics kClassicMetrics = {
    /*height*/ 13,         /*ascent*/ 11,           /*descent*/ 2,        /*internalLeading*/ 2,
    /*externalLeading*/ 0,
    /*aveCharWidth*/ 5,    /*maxCharWidth*/ 11,     /*weight*/ FW_NORMAL, /*italic*/ false,
    /*underlineOffset*/ 1, /*underlineThickness*/ 1};
// The outline size whose capitals are 8 pixels tall, as the classic font's are. It is
// drawn without grey edges, crisp like the bitmap font it stands in for.
constexpr int kClassicPixelSize = 11;

// Logical height 0 asks for a default size: the system font's 16-pixel cell.
constexpr int kDefaultCellHeight = 16;
// Beyond this a glyph image would only cost memory: nothing on a screen is taller.
constexpr int kLargestHeight = 2048;

// Null when FreeType cannot start; every face then fails to open, as with no font at all.
FT_Library library() {
    static FT_Library instance = [] {
        FT_Library made = nullptr;
        return FT_Init_FreeType(&made) == 0 ? made : nullptr;
    }();
    return instance;
}

// Where Debian and most other systems keep the faces fontconfig would offer, for when it
// offers none (no configuration, an unreadable cache, no file descriptor left for it).
struct KnownFontFile {
    bool bold;
    bool italic;
    const char* path;
};
constexpr KnownFontFile kKnownScalableFiles[] = {
    {false, false, "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"},
    {true, false, "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf"},
    {false, true, "/usr/share/fonts/truetype/liberation/LiberationSans-Italic.ttf"},
    {true, true, "/usr/share/fonts/truetype/liberation/LiberationSans-BoldItalic.ttf"},
    {false, false, "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"},
    {true, false, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"},
    {false, true, "/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf"},
    {true, true, "/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf"},
};

// The known file of this weight and slant, else of any: another style beats no text.
std::string knownFontFile(bool bold, bool italic) {
    for (bool anyStyle : {false, true})
        for (const KnownFontFile& known : kKnownScalableFiles)
            if ((anyStyle || (known.bold == bold && known.italic == italic)) && access(known.path, R_OK) == 0)
                return known.path;
    return {};
}

// Liberation Sans, else DejaVu Sans, else whatever sans-serif face fontconfig offers.
std::string fontconfigFile(bool bold, bool italic) {
    for (const char* family : {"Liberation Sans", "DejaVu Sans", "sans-serif"}) {
        FcPattern* pattern = FcPatternCreate();
        if (!pattern) return {};
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcPatternDestroy(pattern);
        if (!match) continue;
        FcChar8* file = nullptr;
        FcChar8* matchedFamily = nullptr;
        bool exact = FcPatternGetString(match, FC_FAMILY, 0, &matchedFamily) == FcResultMatch &&
                     strcasecmp(reinterpret_cast<const char*>(matchedFamily), family) == 0;
        bool last = std::strcmp(family, "sans-serif") == 0;
        std::string path;
        if ((exact || last) && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch)
            path = reinterpret_cast<const char*>(file);
        FcPatternDestroy(match);
        if (!path.empty()) return path;
    }
    return {};
}

// The scalable font file for a weight and slant, or empty when there is none to be had.
std::string findFontFile(bool bold, bool italic) {
    static std::map<std::pair<bool, bool>, std::string> found;
    auto key = std::make_pair(bold, italic);
    if (auto it = found.find(key); it != found.end()) return it->second;
    std::string path = fontconfigFile(bold, italic);
    if (path.empty()) path = knownFontFile(bold, italic);
    if (!path.empty()) found[key] = path;
    return path;
}

// The 13-pixel face of the classic bitmap font file, or null when there is none.
FT_Face openClassicBitmapFace(std::string& path) {
    for (const char* file : kClassicBitmapFiles) {
        FT_Face face = nullptr;
        for (FT_Long index = 0; FT_New_Face(library(), file, index, &face) == 0; ++index) {
            FT_WinFNT_HeaderRec header{};
            if (FT_Get_WinFNT_Header(face, &header) == 0 && header.pixel_height == kClassicCellHeight &&
                header.charset == FT_WinFNT_ID_CP1252 && face->num_fixed_sizes > 0) {
                FT_Select_Size(face, 0);
                // Its one character map (by Windows-1252 byte) is not chosen by itself.
                if (face->num_charmaps > 0) FT_Set_Charmap(face, face->charmaps[0]);
                path = file;
                return face;
            }
            long count = face->num_faces;
            FT_Done_Face(face);
            if (index + 1 >= count) break;
        }
    }
    return nullptr;
}

// Metrics of a Windows bitmap face, from its own header. A bold request is drawn by
// striking every glyph twice, one pixel apart, as GDI emboldens bitmap fonts: each
// character is one pixel wider.
FontMetrics bitmapMetrics(FT_Face face, int weight, bool italic) {
    FT_WinFNT_HeaderRec header{};
    FT_Get_WinFNT_Header(face, &header);
    int widen = weight >= 600 ? 1 : 0;
    FontMetrics metrics;
    metrics.height = header.pixel_height;
    metrics.ascent = header.ascent;
    metrics.descent = header.pixel_height - header.ascent;
    metrics.internalLeading = header.internal_leading;
    metrics.externalLeading = header.external_leading;
    metrics.aveCharWidth = header.avg_width + widen;
    metrics.maxCharWidth = header.max_width + widen;
    metrics.weight = weight;
    metrics.italic = italic;
    metrics.outline = false;
    metrics.overhang = widen;
    return metrics;
}

// Null when the file cannot be opened now (gone, unreadable, no file descriptor left).
FT_Face openFace(const std::string& path, int pixelSize) {
    FT_Face face = nullptr;
    if (path.empty() || FT_New_Face(library(), path.c_str(), 0, &face) != 0) return nullptr;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    return face;
}

int roundUp26_6(FT_Pos value) { return static_cast<int>((value + 63) >> 6); }

// Metrics of an outline at its pixel size, as a Win32 font reports them: the cell is
// the font's ascender plus descender, the em is the requested size.
FontMetrics scaledMetrics(FT_Face face, int pixelSize, int weight, bool italic) {
    FontMetrics metrics;
    const FT_Size_Metrics& size = face->size->metrics;
    metrics.ascent = roundUp26_6(size.ascender);
    metrics.descent = roundUp26_6(-size.descender);
    metrics.height = metrics.ascent + metrics.descent;
    metrics.internalLeading = std::max(0, metrics.height - pixelSize);
    metrics.maxCharWidth = roundUp26_6(size.max_advance);
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->xAvgCharWidth > 0)
        metrics.aveCharWidth =
            static_cast<int>(std::lround(double(os2->xAvgCharWidth) * pixelSize / face->units_per_EM));
    else
        metrics.aveCharWidth = std::max(1, pixelSize / 2);
    metrics.weight = weight;
    metrics.italic = italic;
    metrics.underlineOffset = std::max(1, metrics.descent / 2);
    metrics.underlineThickness = std::max(1, static_cast<int>(std::lround(pixelSize / 14.0)));
    return metrics;
}

// The em size whose ascender plus descender fills a cell of `cellHeight` pixels.
int emForCell(FT_Face face, int cellHeight) {
    double cellInUnits = double(face->ascender) - double(face->descender);
    if (cellInUnits <= 0) return cellHeight;
    return std::max(1, static_cast<int>(std::lround(cellHeight * face->units_per_EM / cellInUnits)));
}

// Says once, in the debug output, which face draws the dialog font.
void reportClassicFace(const std::string& file, bool bitmap) {
    static bool reported = false;
    if (reported) return;
    reported = true;
    std::string line = bitmap
                           ? "gdi: dialog font MS Sans Serif 8: bitmap face " + file + "\n"
                           : "gdi: dialog font MS Sans Serif 8: no bitmap face (install fonts-wine); scalable face " +
                                 file + " in its metrics\n";
    OutputDebugStringA(line.c_str());
}

}  // namespace

FontFace::FontFace(FT_FaceRec_* face, const FontMetrics& metrics, bool monochrome, Kind kind)
    : face_(face), metrics_(metrics), monochrome_(monochrome), kind_(kind) {}

int FontFace::textWidth(const char* text, int length) const {
    int width = 0;
    for (int i = 0; i < length; ++i) width += advance(static_cast<unsigned char>(text[i]));
    return width;
}

void FontFace::render(unsigned char character) const {
    Glyph& glyph = glyphs_[character];
    ready_[character] = true;
    // Control characters (the code page's unassigned bytes among them) take no room and
    // draw nothing.
    char32_t codePoint = codepage::windows1252ToUnicode(character);
    if (codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0)) return;
    // A Windows-1252 bitmap face is indexed by the byte itself.
    FT_UInt index = FT_Get_Char_Index(face_, kind_ == Kind::scalable ? codePoint : character);
    FT_Int32 target = monochrome_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | target) != 0) return;
    FT_GlyphSlot slot = face_->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, monochrome_ ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.rows);
    for (int y = 0; y < glyph.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.width; ++x) {
            uint8_t value = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                ? static_cast<uint8_t>(((row[x >> 3] >> (7 - (x & 7))) & 1) * 255)
                                : row[x];
            glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = value;
        }
    }
    if (kind_ == Kind::emboldenedBitmap && glyph.width > 0) {
        std::vector<uint8_t> struck(static_cast<size_t>(glyph.width + 1) * glyph.rows, 0);
        for (int y = 0; y < glyph.rows; ++y)
            for (int x = 0; x < glyph.width; ++x)
                if (uint8_t value = glyph.coverage[static_cast<size_t>(y) * glyph.width + x]) {
                    struck[static_cast<size_t>(y) * (glyph.width + 1) + x] = value;
                    struck[static_cast<size_t>(y) * (glyph.width + 1) + x + 1] = value;
                }
        glyph.coverage = std::move(struck);
        glyph.width += 1;
        glyph.advance += 1;
    }
}

const FontFace& FontFace::atScale(display::Scale scale) const {
    if (scale.isOne() || outlinePath_.empty()) return *this;
    auto& made = scaled_[scale.dpi];
    if (!made) {
        int em = std::max(1, static_cast<int>(std::lround(outlineEm_ * scale.factor())));
        FT_Face outline = openFace(outlinePath_, em);
        if (!outline) return *this;  // no file can be opened now: the program's size serves
        FontMetrics metrics = scaledMetrics(outline, em, metrics_.weight, metrics_.italic);
        made = std::make_unique<FontFace>(outline, metrics, false, Kind::scalable);
    }
    return *made;
}

const FontFace* fontFaceFor(const LOGFONTA& logFont) {
    static std::map<std::tuple<std::string, int, bool, int>, std::unique_ptr<FontFace>> faces;

    bool bold = logFont.lfWeight >= 600;
    bool italic = logFont.lfItalic != 0;
    int weight = logFont.lfWeight == FW_DONTCARE ? FW_NORMAL : static_cast<int>(logFont.lfWeight);
    std::string path = findFontFile(bold, italic);
    char face[LF_FACESIZE + 1] = {};
    std::memcpy(face, logFont.lfFaceName, LF_FACESIZE);
    int height = std::clamp(static_cast<int>(logFont.lfHeight), -kLargestHeight, kLargestHeight);
    bool classic = strcasecmp(face, "MS Sans Serif") == 0 && std::abs(height) <= kClassicMaxLogicalHeight;

    // A positive height is the cell, a negative one the em; both meet in the em size.
    int requested = classic ? 0 : (height == 0 ? kDefaultCellHeight : height);
    auto key = std::make_tuple(path, requested, classic, weight * 2 + (italic ? 1 : 0));
    if (auto it = faces.find(key); it != faces.end()) return it->second.get();

    // Each kind of request falls back on the other kind of face: the classic bitmap face
    // needs no fontconfig, and any text is better drawn in another face than not at all.
    FT_Face ftFace = nullptr;
    FontMetrics metrics;
    FontFace::Kind kind = FontFace::Kind::scalable;
    std::string bitmapPath;
    // The size the outline face is drawn at on a surface of scale 1; the device's faces
    // grow from it.
    int outlineEm = kClassicPixelSize;
    if (!classic && (ftFace = openFace(path, 16))) {
        int em = requested < 0 ? -requested : emForCell(ftFace, requested);
        FT_Set_Pixel_Sizes(ftFace, 0, static_cast<FT_UInt>(em));
        metrics = scaledMetrics(ftFace, em, weight, italic);
        outlineEm = em;
    } else if ((ftFace = openClassicBitmapFace(bitmapPath))) {
        metrics = bitmapMetrics(ftFace, weight, italic);
        kind = bold ? FontFace::Kind::emboldenedBitmap : FontFace::Kind::bitmap;
    } else if (classic && (ftFace = openFace(path, kClassicPixelSize))) {
        metrics = kClassicMetrics;
        metrics.weight = weight;
        metrics.italic = italic;
    } else {
        // No file can be opened now (file descriptors run out): a face made before serves.
        return faces.empty() ? nullptr : faces.begin()->second.get();
    }
    if (classic)
        reportClassicFace(kind == FontFace::Kind::scalable ? path : bitmapPath, kind != FontFace::Kind::scalable);
    auto made = std::make_unique<FontFace>(ftFace, metrics, classic || kind != FontFace::Kind::scalable, kind);
    made->setOutline(path, outlineEm);
    const FontFace* result = made.get();
    faces[key] = std::move(made);
    return result;
}

bool canDrawText() {
    LOGFONTA dialogFont{};
    dialogFont.lfHeight = -11;
    std::strncpy(dialogFont.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return fontFaceFor(dialogFont) != nullptr;
}

}  // namespace gdi
