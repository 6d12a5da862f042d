// Translation files as bytes, built and read independently of the program's own record
// type, so that tests check the format on disk itself.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace dict {

constexpr size_t recordSize = 2056;
constexpr size_t slotSize = 255;
constexpr size_t textOffset = 16;  // the four int32 come first

struct TestEntry {
    int32_t mode = 0;
    int32_t command = 0;
    int32_t replyKind = 0;
    int32_t wordClass = 0;
    // replyRef, keyWords, translation, replyText, fileCommand, nameReply, synonyms, description
    std::array<std::string, 8> texts;

    bool operator==(const TestEntry&) const = default;
};

void PrintTo(const TestEntry& entry, std::ostream* out);

enum TextIndex { replyRef, keyWords, translation, replyText, fileCommand, nameReply, synonyms, description };

// An entry with its key words, word class and a description derived from the key words.
TestEntry word(const std::string& keys, int32_t wordClass = 2);

using Bytes = std::string;

Bytes recordBytes(const TestEntry& entry);  // texts zero-padded; longer ones must not be given
Bytes headerBytes(int32_t count);           // the count, then zero bytes
// Header with the count, then the entries as records 2, 3, ...
Bytes dictionaryBytes(int32_t count, const std::vector<TestEntry>& entries);
// Header with the count, then entries 2..count made with word("w<record>").
std::vector<TestEntry> numberedEntries(int32_t count);

int32_t int32At(const Bytes& bytes, size_t offset);  // 0 when the bytes end before it
void put(Bytes& bytes, size_t offset, int32_t value);
Bytes withCount(Bytes file, int32_t count);
inline int32_t headerCount(const Bytes& file) { return int32At(file, 0); }
// Record n (from 1) of a file; texts end at their terminator or after 255 bytes.
TestEntry entryAt(const Bytes& file, int32_t record);
size_t recordCount(const Bytes& file);  // whole records
bool slotIsTerminated(const Bytes& file, int32_t record, int slot);

}  // namespace dict
