// Translation files as bytes, built and read independently of the program's own record
// type, so that the scenarios check the format on disk itself.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace scenario {

constexpr size_t recordSize = 2056;
constexpr size_t slotSize = 255;

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

using Bytes = std::vector<uint8_t>;

Bytes recordBytes(const TestEntry& entry);  // texts zero-padded; longer ones must not be given
Bytes headerBytes(int32_t count);            // the count, then zero bytes
// Header with the count, then the entries as records 2, 3, ...
Bytes dictionaryBytes(int32_t count, const std::vector<TestEntry>& entries);

int32_t int32At(const Bytes& bytes, size_t offset);
// Record n (from 1) of a file; texts end at their terminator or after 255 bytes.
TestEntry entryAt(const Bytes& file, int32_t record);
size_t recordCount(const Bytes& file);  // whole records

Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);
bool fileExists(const std::string& path);

}  // namespace scenario
