#include "dictionary_codec.h"

#include <cstring>
#include <stdexcept>

namespace dict {

TestEntry word(const std::string& keys, int32_t wordClass) {
    TestEntry entry;
    entry.mode = 1;
    entry.replyKind = 2;
    entry.wordClass = wordClass;
    entry.texts[replyRef] = "ref " + keys;
    entry.texts[keyWords] = keys;
    entry.texts[translation] = "tr " + keys;
    entry.texts[description] = "about " + keys;
    return entry;
}

void PrintTo(const TestEntry& entry, std::ostream* out) {
    *out << "{" << entry.mode << ", " << entry.command << ", " << entry.replyKind << ", " << entry.wordClass;
    for (const std::string& text : entry.texts) *out << ", '" << text << "'";
    *out << "}";
}

void put(Bytes& bytes, size_t offset, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<char>(v >> (8 * i));
}

Bytes withCount(Bytes file, int32_t count) {
    put(file, 0, count);
    return file;
}

Bytes recordBytes(const TestEntry& entry) {
    Bytes bytes(recordSize, 0);
    put(bytes, 0, entry.mode);
    put(bytes, 4, entry.command);
    put(bytes, 8, entry.replyKind);
    put(bytes, 12, entry.wordClass);
    for (size_t i = 0; i < entry.texts.size(); ++i) {
        const std::string& text = entry.texts[i];
        if (text.size() > slotSize) throw std::invalid_argument("text longer than its slot");
        bytes.replace(textOffset + i * slotSize, text.size(), text);
    }
    return bytes;
}

Bytes headerBytes(int32_t count) { return withCount(Bytes(recordSize, 0), count); }

Bytes dictionaryBytes(int32_t count, const std::vector<TestEntry>& entries) {
    Bytes bytes = headerBytes(count);
    for (const TestEntry& entry : entries) bytes += recordBytes(entry);
    return bytes;
}

std::vector<TestEntry> numberedEntries(int32_t count) {
    std::vector<TestEntry> entries;
    for (int32_t record = 2; record <= count; ++record) entries.push_back(word("w" + std::to_string(record)));
    return entries;
}

int32_t int32At(const Bytes& bytes, size_t offset) {
    if (offset + 4 > bytes.size()) return 0;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[offset + i])) << (8 * i);
    return static_cast<int32_t>(v);
}

TestEntry entryAt(const Bytes& file, int32_t record) {
    size_t start = static_cast<size_t>(record - 1) * recordSize;
    if (start + recordSize > file.size())
        throw std::out_of_range("record " + std::to_string(record) + " is not in the file");
    TestEntry entry;
    entry.mode = int32At(file, start);
    entry.command = int32At(file, start + 4);
    entry.replyKind = int32At(file, start + 8);
    entry.wordClass = int32At(file, start + 12);
    for (size_t i = 0; i < entry.texts.size(); ++i) {
        const char* slot = file.data() + start + textOffset + i * slotSize;
        entry.texts[i].assign(slot, strnlen(slot, slotSize));
    }
    return entry;
}

size_t recordCount(const Bytes& file) { return file.size() / recordSize; }

bool slotIsTerminated(const Bytes& file, int32_t record, int slot) {
    const char* text = file.data() + size_t(record - 1) * recordSize + textOffset + size_t(slot) * slotSize;
    return std::memchr(text, 0, slotSize) != nullptr;
}

}  // namespace dict
