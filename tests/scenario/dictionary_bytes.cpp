#include "dictionary_bytes.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

namespace scenario {

namespace {

constexpr size_t textOffset = 16;

void putInt32(Bytes& bytes, size_t offset, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

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
    for (const std::string& text : entry.texts)
        *out << ", '" << text << "'";
    *out << "}";
}

Bytes recordBytes(const TestEntry& entry) {
    Bytes bytes(recordSize, 0);
    putInt32(bytes, 0, entry.mode);
    putInt32(bytes, 4, entry.command);
    putInt32(bytes, 8, entry.replyKind);
    putInt32(bytes, 12, entry.wordClass);
    for (size_t i = 0; i < entry.texts.size(); ++i) {
        const std::string& text = entry.texts[i];
        if (text.size() > slotSize)
            throw std::invalid_argument("text longer than its slot");
        std::memcpy(&bytes[textOffset + i * slotSize], text.data(), text.size());
    }
    return bytes;
}

Bytes headerBytes(int32_t count) {
    Bytes bytes(recordSize, 0);
    putInt32(bytes, 0, count);
    return bytes;
}

Bytes dictionaryBytes(int32_t count, const std::vector<TestEntry>& entries) {
    Bytes bytes = headerBytes(count);
    for (const TestEntry& entry : entries) {
        Bytes record = recordBytes(entry);
        bytes.insert(bytes.end(), record.begin(), record.end());
    }
    return bytes;
}

int32_t int32At(const Bytes& bytes, size_t offset) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(bytes.at(offset + i)) << (8 * i);
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
        const char* slot = reinterpret_cast<const char*>(&file[start + textOffset + i * slotSize]);
        entry.texts[i].assign(slot, strnlen(slot, slotSize));
    }
    return entry;
}

size_t recordCount(const Bytes& file) { return file.size() / recordSize; }

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

}  // namespace scenario
