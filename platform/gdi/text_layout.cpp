#include "gdi/text_layout.h"

namespace gdi {

PrefixedText resolvePrefixes(const char* text, int length) {
    PrefixedText result;
    result.text.reserve(static_cast<size_t>(length));
    for (int i = 0; i < length; ++i) {
        if (text[i] != '&') {
            result.text += text[i];
            continue;
        }
        if (i + 1 >= length) break;  // a lone '&' at the end marks nothing and shows nothing
        ++i;
        if (text[i] != '&') result.underlined = static_cast<int>(result.text.size());
        result.text += text[i];
    }
    return result;
}

int runWidth(const FontFace& face, const char* text, int length, int tabStop) {
    int pen = 0;
    for (int i = 0; i < length; ++i) pen = advancePen(face, pen, static_cast<unsigned char>(text[i]), tabStop);
    return pen;
}

namespace {

struct Range {
    size_t start;
    size_t end;
};

// Splits one paragraph into lines no wider than the wrap width: at the last blank run
// that fits, or inside a word too long for a line of its own.
void wrapParagraph(const FontFace& face, const std::string& text, Range paragraph, const LayoutRules& rules,
                   std::vector<Range>& lines) {
    size_t position = paragraph.start;
    while (true) {
        size_t start = position;
        size_t breakEnd = std::string::npos;
        size_t breakResume = std::string::npos;
        int pen = 0;
        size_t i = start;
        bool overflow = false;
        while (i < paragraph.end) {
            if (text[i] == ' ') {
                size_t runEnd = i;
                while (runEnd < paragraph.end && text[runEnd] == ' ') ++runEnd;
                if (i > start) {
                    breakEnd = i;
                    breakResume = runEnd;
                }
                for (; i < runEnd; ++i) pen = advancePen(face, pen, ' ', rules.tabStop);
                continue;
            }
            int next = advancePen(face, pen, static_cast<unsigned char>(text[i]), rules.tabStop);
            if (next > rules.wrapWidth && i > start) {
                overflow = true;
                break;
            }
            pen = next;
            ++i;
        }
        if (!overflow) {
            lines.push_back(Range{start, paragraph.end});
            return;
        }
        if (breakEnd != std::string::npos) {
            lines.push_back(Range{start, breakEnd});
            position = breakResume;
        } else {
            lines.push_back(Range{start, i});
            position = i;
        }
        if (position >= paragraph.end) return;
    }
}

}  // namespace

std::vector<LaidLine> layoutText(const FontFace& face, const char* text, int length, const LayoutRules& rules) {
    PrefixedText prefixed = rules.prefixes ? resolvePrefixes(text, length) : PrefixedText{std::string(text, length)};
    const std::string& plain = prefixed.text;

    std::vector<Range> ranges;
    if (rules.singleLine) {
        ranges.push_back(Range{0, plain.size()});
    } else {
        size_t start = 0;
        for (size_t i = 0; i <= plain.size(); ++i) {
            bool end = i == plain.size();
            if (!end && plain[i] != '\r' && plain[i] != '\n') continue;
            Range paragraph{start, i};
            if (rules.wordBreak)
                wrapParagraph(face, plain, paragraph, rules, ranges);
            else
                ranges.push_back(paragraph);
            if (end) break;
            if (plain[i] == '\r' && i + 1 < plain.size() && plain[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }

    std::vector<LaidLine> lines;
    lines.reserve(ranges.size());
    for (const Range& range : ranges) {
        LaidLine line;
        line.text = plain.substr(range.start, range.end - range.start);
        line.width = runWidth(face, line.text.data(), static_cast<int>(line.text.size()), rules.tabStop);
        if (prefixed.underlined >= static_cast<int>(range.start) && prefixed.underlined < static_cast<int>(range.end))
            line.underlined = prefixed.underlined - static_cast<int>(range.start);
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace gdi
