#include "dictionary_text.h"

#include "codepage/windows1252.h"
#include "record/entry_record.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <set>
#include <vector>

namespace dictionary_text {

TextError::TextError(int lineNumber, const std::string& message)
    : std::runtime_error(lineNumber > 0 ? "line " + std::to_string(lineNumber) + ": " + message : message),
      line(lineNumber) {}

namespace {

constexpr size_t kMaxTextLength = textFieldCapacity;
static_assert(kRecordSize == recordLength && kSlotSize == textFieldSize, "the editor's record layout");

// The record's fields by the names the text gives them, in file order.
const auto& kNumbers = recordNumberFields;
const auto& kTexts = recordTextFields;
constexpr size_t kNumberCount = std::size(recordNumberFields);
constexpr size_t kTextCount = std::size(recordTextFields);
// The header's first number is the entry count; the rest of it is laid out as an entry.
constexpr const char* kCountName = "count";

const char* numberName(size_t index, bool inHeader) {
    return inHeader && index == 0 ? kCountName : kNumbers[index].name;
}

void writeInt32(std::string& record, size_t offset, int32_t value) {
    auto bits = static_cast<uint32_t>(value);
    for (size_t i = 0; i < 4; ++i) record[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
}

// ---- export

const char kHexDigits[] = "0123456789ABCDEF";

void appendHexByte(std::string& out, unsigned char byte) {
    out += kHexDigits[byte >> 4];
    out += kHexDigits[byte & 0x0F];
}

// Bytes a reader could not see or type as they are.
bool needsEscape(unsigned char byte) {
    if (byte < 0x20 || byte == 0x7F) return true;
    if (byte == 0xA0 || byte == 0xAD) return true;  // no-break space, soft hyphen
    return byte >= 0x80 && codepage::windows1252ToUnicode(byte) == char32_t(byte) && byte < 0xA0;
}

std::string quoted(std::string_view bytes) {
    std::string out = "\"";
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        if (byte == '\\' || byte == '"') {
            out += '\\';
            out += c;
        } else if (needsEscape(byte)) {
            out += "\\x";
            appendHexByte(out, byte);
        } else {
            codepage::appendUtf8(out, codepage::windows1252ToUnicode(byte));
        }
    }
    out += '"';
    return out;
}

void exportSlot(std::string& out, const char* name, std::string_view slot) {
    size_t terminator = slot.find('\0');
    if (terminator == std::string_view::npos) {
        out += std::string(name) + ".full: " + quoted(slot) + "\n";
        return;
    }
    out += std::string(name) + ": " + quoted(slot.substr(0, terminator)) + "\n";
    std::string_view after = slot.substr(terminator + 1);
    size_t lastNonZero = after.find_last_not_of('\0');
    if (lastNonZero == std::string_view::npos) return;
    out += std::string(name) + ".after: ";
    for (char c : after.substr(0, lastNonZero + 1)) appendHexByte(out, static_cast<unsigned char>(c));
    out += "\n";
}

void exportRecord(std::string& out, size_t recordNumber, std::string_view record) {
    if (recordNumber == 1) {
        out += "[header]\n";
    } else {
        out += "\n[entry " + std::to_string(recordNumber) + "]\n";
    }
    for (size_t i = 0; i < kNumberCount; ++i)
        out += std::string(numberName(i, recordNumber == 1)) + ": " +
               std::to_string(int32At(record, kNumbers[i].offset)) + "\n";
    for (const RecordField& text : kTexts) exportSlot(out, text.name, record.substr(text.offset, kSlotSize));
}

// ---- import

std::string_view trim(std::string_view s) {
    size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

int32_t parseNumber(std::string_view value, int line) {
    std::string_view digits = value;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '-' || digits[0] == '+')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos)
        throw TextError(line, "\"" + std::string(value) + "\" is not a whole number");
    int64_t magnitude = 0;
    for (char digit : digits) {
        magnitude = magnitude * 10 + (digit - '0');
        if (magnitude > int64_t(INT32_MAX) + 1) break;
    }
    int64_t number = negative ? -magnitude : magnitude;
    if (number < INT32_MIN || number > INT32_MAX)
        throw TextError(line, std::string(value) + " is outside the range of a 32-bit number (" +
                                  std::to_string(INT32_MIN) + " to " + std::to_string(INT32_MAX) + ")");
    return static_cast<int32_t>(number);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A quoted text as Windows-1252 bytes.
std::string parseQuoted(std::string_view value, int line) {
    if (value.empty() || value[0] != '"') throw TextError(line, "a text must stand in double quotes");
    std::string bytes;
    size_t pos = 1;
    while (true) {
        if (pos >= value.size()) throw TextError(line, "the text has no closing quote");
        char c = value[pos];
        if (c == '"') break;
        if (c == '\\') {
            if (pos + 1 >= value.size()) throw TextError(line, "the text has no closing quote");
            char escaped = value[pos + 1];
            if (escaped == '\\' || escaped == '"') {
                bytes += escaped;
                pos += 2;
                continue;
            }
            int high = pos + 3 < value.size() ? hexValue(value[pos + 2]) : -1;
            int low = pos + 3 < value.size() ? hexValue(value[pos + 3]) : -1;
            if (escaped != 'x' || high < 0 || low < 0)
                throw TextError(line, "unknown escape; use \\\\, \\\" or \\x followed by two hex digits");
            if (high == 0 && low == 0) throw TextError(line, "a text cannot hold the byte 00");
            bytes += static_cast<char>(high * 16 + low);
            pos += 4;
            continue;
        }
        std::optional<char32_t> character = codepage::decodeUtf8(value, pos);
        if (!character) throw TextError(line, "the text is not valid UTF-8");
        if (*character == 0) throw TextError(line, "a text cannot hold the byte 00");
        std::optional<unsigned char> byte = codepage::unicodeToWindows1252(*character);
        if (!byte) {
            char code[16];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*character));
            throw TextError(line, std::string("the character ") + code + " has no Windows-1252 byte");
        }
        bytes += static_cast<char>(*byte);
    }
    if (!trim(value.substr(pos + 1)).empty()) throw TextError(line, "unexpected characters after the closing quote");
    return bytes;
}

std::string parseHex(std::string_view value, int line) {
    if (value.size() % 2 != 0) throw TextError(line, "hex bytes come in pairs of digits");
    std::string bytes;
    for (size_t i = 0; i < value.size(); i += 2) {
        int high = hexValue(value[i]);
        int low = hexValue(value[i + 1]);
        if (high < 0 || low < 0) throw TextError(line, "\"" + std::string(value) + "\" is not hex bytes");
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

// One record as it is read, put together when the next record starts or the text ends.
struct RecordBuilder {
    struct Slot {
        std::string text;
        bool full = false;
        std::string after;
        int afterLine = 0;
    };
    size_t number = 0;
    std::string bytes = std::string(kRecordSize, '\0');
    std::array<Slot, kTextCount> slots;
    std::set<std::string> seen;
    int countLine = 0;  // the line that gives the header's count, 0 when none does

    void finish(std::string& file) {
        for (size_t i = 0; i < slots.size(); ++i) {
            const Slot& slot = slots[i];
            if (!slot.after.empty() && (slot.full || slot.text.size() + 1 + slot.after.size() > kSlotSize))
                throw TextError(slot.afterLine, std::string(kTexts[i].name) +
                                                    ".after: " + std::to_string(slot.after.size()) +
                                                    " bytes do not fit after the text in its 255-byte slot");
            std::string contents = slot.text;
            if (!slot.full) contents += '\0' + slot.after;
            bytes.replace(kTexts[i].offset, contents.size(), contents);
        }
        file += bytes;
    }
};

struct FieldName {
    bool isNumber = false;
    size_t index = 0;       // number field or text slot
    std::string_view part;  // "", "after" or "full"
};

std::optional<FieldName> lookUpField(std::string_view key, bool inHeader) {
    std::string_view base = key;
    std::string_view part;
    if (size_t dot = key.find('.'); dot != std::string_view::npos) {
        base = key.substr(0, dot);
        part = key.substr(dot + 1);
        if (part != "after" && part != "full") return std::nullopt;
    }
    for (size_t i = 0; i < kNumberCount; ++i)
        if (base == numberName(i, inHeader) && part.empty()) return FieldName{true, i, part};
    for (size_t i = 0; i < kTextCount; ++i)
        if (base == kTexts[i].name) return FieldName{false, i, part};
    return std::nullopt;
}

void readField(RecordBuilder& record, std::string_view line, int lineNumber) {
    size_t colon = line.find(':');
    if (colon == std::string_view::npos) throw TextError(lineNumber, "expected \"field: value\" or a [record] line");
    std::string_view key = trim(line.substr(0, colon));
    std::string_view value = trim(line.substr(colon + 1));
    bool inHeader = record.number == 1;
    std::optional<FieldName> field = lookUpField(key, inHeader);
    if (!field)
        throw TextError(lineNumber, "unknown field \"" + std::string(key) + "\"" +
                                        (key == "mode" && inHeader ? " (the header has \"count\" there)" : "") +
                                        (key == kCountName && !inHeader ? " (only the header has a count)" : ""));
    // A slot's text comes either as a text or as a full slot, once; its leftovers once.
    std::string seenAs = field->isNumber
                             ? std::string(key)
                             : std::string(kTexts[field->index].name) + (field->part == "after" ? ".after" : "");
    if (!record.seen.insert(seenAs).second)
        throw TextError(lineNumber, "\"" + seenAs + "\" is given twice in this record");
    if (field->isNumber) {
        writeInt32(record.bytes, kNumbers[field->index].offset, parseNumber(value, lineNumber));
        if (inHeader && field->index == 0) record.countLine = lineNumber;
        return;
    }
    RecordBuilder::Slot& slot = record.slots[field->index];
    if (field->part == "after") {
        slot.after = parseHex(value, lineNumber);
        slot.afterLine = lineNumber;
        return;
    }
    slot.text = parseQuoted(value, lineNumber);
    slot.full = field->part == "full";
    if (slot.full && slot.text.size() != kSlotSize)
        throw TextError(lineNumber,
                        "a full slot holds exactly 255 characters, this text has " + std::to_string(slot.text.size()));
    if (!slot.full && slot.text.size() > kMaxTextLength)
        throw TextError(lineNumber,
                        "the text has " + std::to_string(slot.text.size()) + " characters; a field holds at most 254");
}

// The number a record line gives ("[header]" is record 1), whether or not it is the one due.
size_t parseRecordLine(std::string_view inner, int lineNumber) {
    if (inner == "header") return 1;
    std::string_view number = inner.substr(0, 6) == "entry " ? trim(inner.substr(6)) : std::string_view{};
    if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos || number.size() > 9)
        throw TextError(lineNumber, "expected [header] or [entry N]");
    return std::stoul(std::string(number));
}

void checkRecordOrder(size_t number, size_t expected, int lineNumber) {
    if (number == expected) return;
    if (expected == 1) throw TextError(lineNumber, "the first record must be [header]");
    if (number == 1) throw TextError(lineNumber, "[header] must be the first record, and only it");
    throw TextError(lineNumber, "records come in file order: expected [entry " + std::to_string(expected) + "]");
}

// Every line the import refuses, the first kMaxNamedRefusals of them by name.
struct Refusals {
    std::vector<TextError> named;
    size_t unnamed = 0;
    void add(const TextError& error) {
        if (named.size() < kMaxNamedRefusals)
            named.push_back(error);
        else
            ++unnamed;
    }
};

// A text cut short (a copy, a transfer or an export that stopped) still reads as whole
// records; only the count tells that records are missing, and a dictionary made from it
// would promise entries it does not hold.
void checkCountAgainstRecords(const std::string& file, int countLine, Refusals& refusals) {
    size_t records = file.size() / kRecordSize;
    int32_t count = int32At(file, 0);
    if (countLine == 0 || count <= 0 || size_t(count) <= records) return;
    refusals.add(TextError(countLine, "the count " + std::to_string(count) + " promises " + std::to_string(count) +
                                          " records, but the text holds only " + std::to_string(records) +
                                          ": is it cut short?"));
}

// The mark some editors put at the start of a UTF-8 text.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

int32_t int32At(std::string_view record, size_t offset) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i) value |= uint32_t(static_cast<unsigned char>(record[offset + i])) << (8 * i);
    return static_cast<int32_t>(value);
}

RefusedText::RefusedText(std::vector<TextError> refusedLines, size_t more)
    : std::runtime_error(refusedLines.empty() ? "refused" : refusedLines.front().what()),
      errors(std::move(refusedLines)),
      unnamed(more) {}

std::string exportEntry(size_t recordNumber, std::string_view record) {
    std::string out;
    exportRecord(out, recordNumber, record);
    return out;
}

std::string exportText(std::string_view fileBytes) {
    if (fileBytes.size() % kRecordSize != 0)
        throw FileError("its length, " + std::to_string(fileBytes.size()) +
                        " bytes, is not a whole number of 2056-byte records");
    size_t records = fileBytes.size() / kRecordSize;
    std::string out =
        "# translation file, " + std::to_string(records) + (records == 1 ? " record" : " records") + " of 2056 bytes\n";
    for (size_t i = 0; i < records; ++i) exportRecord(out, i + 1, fileBytes.substr(i * kRecordSize, kRecordSize));
    return out;
}

std::string importText(std::string_view text) {
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::string file;
    std::optional<RecordBuilder> record;
    Refusals refusals;
    int countLine = 0;
    int lineNumber = 0;
    // A refused record line still opens a record, so that the lines after it are read
    // (and refused) as they would be after a good one.
    auto startRecord = [&](size_t number) {
        if (record) {
            countLine = countLine ? countLine : record->countLine;
            record->finish(file);
        }
        record.emplace();
        record->number = number;
    };
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        std::string_view content = trim(line);
        if (content.empty() || content[0] == '#') continue;
        size_t expected = record ? record->number + 1 : 1;
        try {
            if (content[0] == '[') {
                if (content.back() != ']') {
                    startRecord(expected);
                    throw TextError(lineNumber, "a record line ends with ]");
                }
                size_t number = expected;
                try {
                    number = parseRecordLine(content.substr(1, content.size() - 2), lineNumber);
                    startRecord(number);
                } catch (const TextError&) {
                    startRecord(expected);
                    throw;
                }
                checkRecordOrder(number, expected, lineNumber);
                continue;
            }
            if (!record) throw TextError(lineNumber, "a field before the first record; start with [header]");
            readField(*record, content, lineNumber);
        } catch (const TextError& error) {
            refusals.add(error);
        }
    }
    if (!record && refusals.named.empty())
        refusals.add(TextError(0,
                               "the text holds no records: a dictionary's text starts with [header] (an empty "
                               "text is what a failed export leaves)"));
    if (record) {
        countLine = countLine ? countLine : record->countLine;
        size_t records = record->number;
        try {
            record->finish(file);
        } catch (const TextError& error) {
            refusals.add(error);
        }
        if (countLine == 0 && file.size() >= kRecordSize) writeInt32(file, 0, static_cast<int32_t>(records));
        if (refusals.named.empty()) checkCountAgainstRecords(file, countLine, refusals);
    }
    if (!refusals.named.empty()) throw RefusedText(std::move(refusals.named), refusals.unnamed);
    return file;
}

}  // namespace dictionary_text
