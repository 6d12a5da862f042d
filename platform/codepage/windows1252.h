// Windows-1252, the single-byte code page of every text the program keeps, and UTF-8,
// what desktops and terminals speak. Conversions happen only where text crosses that
// boundary (typed text, the clipboard, readable dumps of a dictionary).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace codepage {

// The character a byte stands for. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number,
// as Windows itself converts them, so that every byte survives a trip through Unicode.
char32_t windows1252ToUnicode(unsigned char byte);

// The byte for a character, or nothing when the code page has no such character.
std::optional<unsigned char> unicodeToWindows1252(char32_t character);

// Reads one UTF-8 encoded character at `pos` and moves `pos` past it. Returns nothing
// (and leaves `pos` alone) for a malformed, overlong or truncated sequence or a surrogate.
std::optional<char32_t> decodeUtf8(std::string_view text, size_t& pos);

void appendUtf8(std::string& out, char32_t character);

std::string windows1252ToUtf8(std::string_view bytes);

// What Win32 puts for a character the code page cannot hold.
constexpr char kDefaultCharacter = '?';

// Characters the code page cannot hold become kDefaultCharacter; malformed bytes are left out.
std::string utf8ToWindows1252(std::string_view utf8);

}  // namespace codepage
