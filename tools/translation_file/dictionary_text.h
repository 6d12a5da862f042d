// A translation file as readable, editable text, and back, byte for byte.
//
// The text holds one block a record, in file order. Record 1 is "[header]", every other
// record "[entry N]" with N its record number. Each line of a block is "field: value":
//
//   [header]
//   count: 3                  the header's first number, the record number of the last entry
//   [entry 2]
//   mode: 1                   mode, command, replyKind, wordClass: whole numbers (int32)
//   keyWords: "good morning"  replyRef ... description: texts in double quotes
//
// The header's other bytes have the same layout as an entry's, so it takes the same
// fields after "count" (command ... description). A field left out is 0 or the empty
// text; "count" left out is the number of the last record in the text. Blank lines and
// lines starting with "#" are ignored.
//
// Texts are UTF-8 in the text and Windows-1252 in the file. Inside the quotes \\ is a
// backslash, \" a quote and \xNN the byte NN (01 to FF); the export writes control
// bytes, the code page's undefined bytes and its invisible spaces that way. A text holds
// at most 254 characters, the room a 255-byte slot leaves for its terminating zero.
//
// Two optional lines carry what a slot holds beyond a plain text, so that every file
// comes back exactly as it was:
//   keyWords.after: 6F6C64   the bytes after the terminating zero, in hex; trailing zero
//                            bytes are left out and the line only appears when some
//                            byte there is not zero (leftovers of an older, longer text)
//   description.full: "..."  a slot of exactly 255 characters and no terminating zero,
//                            which the editor treats as an over-long text
//
// Any file whose length is a whole number of 2056-byte records turns into text and back
// into the same bytes, unless its count promises records it lacks: import refuses a text
// whose count does so (a text cut short), and a byte-order mark before the text is
// skipped. Import refuses a text without records (an empty one included), and
// names each line it refuses (the first 20 of them): texts that are too long or have no
// closing quote, numbers that are not whole numbers or lie outside int32, unknown or
// repeated fields, records out of order and any other line it cannot read. A text with
// any refused line gives no file at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dictionary_text {

constexpr size_t kRecordSize = 2056;
constexpr size_t kSlotSize = 255;

// A file that cannot be turned into text (its length is no whole number of records).
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One refused line of a text; `line` counts from 1, and 0 stands for the text as a whole.
class TextError : public std::runtime_error {
public:
    TextError(int line, const std::string& message);
    int line;
};

constexpr size_t kMaxNamedRefusals = 20;

// A text that cannot be turned into a file: its refused lines in order, the first
// kMaxNamedRefusals of them, and how many more there were.
class RefusedText : public std::runtime_error {
public:
    RefusedText(std::vector<TextError> errors, size_t unnamed);
    std::vector<TextError> errors;
    size_t unnamed;
};

// The little-endian int32 at `offset`, which must lie within `record`.
int32_t int32At(std::string_view record, size_t offset);

std::string exportText(std::string_view fileBytes);
// One record as its block of the text: "[header]" for record 1, else "[entry N]".
std::string exportEntry(size_t recordNumber, std::string_view record);
std::string importText(std::string_view text);  // throws RefusedText

}  // namespace dictionary_text
