#include "codepage/windows1252.h"

#include <array>

namespace codepage {

namespace {

// 0x80-0x9F are where the code page differs from Latin-1; zero marks the undefined bytes.
constexpr std::array<char32_t, 32> kHighControlRange = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,       // 88-8F
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,  // 98-9F
};

}  // namespace

char32_t windows1252ToUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        char32_t mapped = kHighControlRange[byte - 0x80];
        return mapped != 0 ? mapped : char32_t(byte);
    }
    return char32_t(byte);
}

std::optional<unsigned char> unicodeToWindows1252(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<unsigned char>(character);
    for (size_t i = 0; i < kHighControlRange.size(); ++i) {
        char32_t mapped = kHighControlRange[i];
        if (mapped == character || (mapped == 0 && character == 0x80 + i)) return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::optional<char32_t> decodeUtf8(std::string_view text, size_t& pos) {
    if (pos >= text.size()) return std::nullopt;
    auto lead = static_cast<unsigned char>(text[pos]);
    size_t length;
    char32_t value;
    char32_t smallest;
    if (lead < 0x80) {
        ++pos;
        return char32_t(lead);
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (pos + length > text.size()) return std::nullopt;
    for (size_t i = 1; i < length; ++i) {
        auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        value = (value << 6) | (next & 0x3F);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return std::nullopt;
    pos += length;
    return value;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (char byte : bytes) appendUtf8(out, windows1252ToUnicode(static_cast<unsigned char>(byte)));
    return out;
}

std::string utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    size_t pos = 0;
    while (pos < utf8.size()) {
        std::optional<char32_t> character = decodeUtf8(utf8, pos);
        if (!character) {
            ++pos;  // skip one byte of a broken sequence and resynchronise
            continue;
        }
        out += static_cast<char>(unicodeToWindows1252(*character).value_or(kDefaultCharacter));
    }
    return out;
}

}  // namespace codepage
