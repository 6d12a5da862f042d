// How DrawTextA arranges text before anything is drawn: '&' prefixes, paragraphs, word
// wrapping and tab stops, measured with the font that will draw it.
#pragma once

#include "gdi/font_face.h"

#include <string>
#include <vector>

namespace gdi {

// Text with its '&' prefixes resolved: "&&" is one '&', "&x" is x underlined.
struct PrefixedText {
    std::string text;
    int underlined = -1;  // index in `text` of the character to underline, or -1
};
PrefixedText resolvePrefixes(const char* text, int length);

// Advances the pen over one character; with tab stops (tabStop > 0) a tab moves the pen
// to the next multiple of tabStop from the line's start.
inline int advancePen(const FontFace& face, int pen, unsigned char character, int tabStop) {
    if (character == '\t' && tabStop > 0) return (pen / tabStop + 1) * tabStop;
    return pen + face.advance(character);
}
int runWidth(const FontFace& face, const char* text, int length, int tabStop);

struct LaidLine {
    std::string text;
    int width = 0;
    int underlined = -1;  // index in this line's text, or -1
};

struct LayoutRules {
    bool singleLine = false;
    bool wordBreak = false;
    bool prefixes = true;
    int tabStop = 0;    // 0: tabs are not expanded
    int wrapWidth = 0;  // with wordBreak
};

std::vector<LaidLine> layoutText(const FontFace& face, const char* text, int length, const LayoutRules& rules);

}  // namespace gdi
