#include "dictionary_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace dictionary_text {
namespace {

constexpr size_t kKeyWords = 271;
constexpr size_t kDescription = 1801;

std::string emptyRecords(size_t count) { return std::string(count * kRecordSize, '\0'); }

void putInt32(std::string& file, size_t offset, int32_t value) {
    for (int i = 0; i < 4; ++i) file[offset + i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xFF);
}

int32_t getInt32(const std::string& file, size_t offset) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= uint32_t(static_cast<unsigned char>(file[offset + i])) << (8 * i);
    return static_cast<int32_t>(value);
}

// Slots shaped as the editor leaves them: a text, its terminator, and sometimes the tail
// of an older, longer text; now and then a slot with no terminator at all.
std::string randomDictionary(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255), nonZero(1, 255), percent(0, 99);
    size_t records = std::uniform_int_distribution<size_t>(0, 6)(random);
    std::string file;
    for (size_t r = 0; r < records; ++r) {
        std::string record(kRecordSize, '\0');
        for (size_t i = 0; i < 16; ++i) record[i] = static_cast<char>(byte(random));
        for (size_t slot = 16; slot < kRecordSize; slot += 255) {
            int shape = percent(random);
            size_t length = shape < 5 ? 255 : std::uniform_int_distribution<size_t>(0, 254)(random);
            for (size_t i = 0; i < length; ++i) record[slot + i] = static_cast<char>(nonZero(random));
            if (shape >= 5 && shape < 40)
                for (size_t i = length + 1; i < 255; ++i) record[slot + i] = static_cast<char>(byte(random));
        }
        file += record;
    }
    return file;
}

TEST(DictionaryText, EveryWellFormedFileComesBackByteForByte) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        std::string file = randomDictionary(random);
        std::string text = exportText(file);
        ASSERT_EQ(importText(text), file) << "round " << round << "\n" << text;
    }
    // Wholly random bytes too: nothing in a record is assumed.
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 50; ++round) {
        std::string file(3 * kRecordSize, '\0');
        for (char& c : file) c = static_cast<char>(byte(random));
        ASSERT_EQ(importText(exportText(file)), file) << "random round " << round;
    }
    EXPECT_EQ(importText(exportText("")), "");
}

TEST(DictionaryText, ExportIsReadableAndLabelled) {
    std::string file = emptyRecords(2);
    putInt32(file, 0, 2);
    putInt32(file, kRecordSize + 0, 12);
    putInt32(file, kRecordSize + 12, -3);
    std::string keyWords = "caf\xE9 \"a\\b\"\t\x80";
    file.replace(kRecordSize + kKeyWords, keyWords.size(), keyWords);
    file[kRecordSize + kKeyWords + 200] = 'z';  // left over from an older text
    std::string text = exportText(file);
    EXPECT_NE(text.find("[header]\ncount: 2\ncommand: 0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[entry 2]\nmode: 12\ncommand: 0\nreplyKind: 0\nwordClass: -3\nreplyRef: \"\"\n"),
              std::string::npos) << text;
    EXPECT_NE(text.find("keyWords: \"caf\xC3\xA9 \\\"a\\\\b\\\"\\x09\xE2\x82\xAC\"\n"), std::string::npos) << text;
    std::string leftovers = "keyWords.after: " + std::string(2 * (200 - keyWords.size() - 1), '0') + "7A\n";
    EXPECT_NE(text.find(leftovers), std::string::npos) << text;
    EXPECT_NE(text.find("description: \"\"\n"), std::string::npos);
}

TEST(DictionaryText, ShortTextsFillTheRestWithZeroAndTheCountDefaultsToTheLastRecord) {
    std::string file = importText(
        "# a comment\n"
        "[header]\r\n"
        "\n"
        "[entry 2]\n"
        "  keyWords :  \"hello\"  \n"
        "wordClass: 2\n"
        "[entry 3]\n"
        "description.full: \"" + std::string(255, 'd') + "\"\n");
    ASSERT_EQ(file.size(), 3 * kRecordSize);
    EXPECT_EQ(getInt32(file, 0), 3);
    EXPECT_EQ(getInt32(file, kRecordSize + 12), 2);
    EXPECT_EQ(file.substr(kRecordSize + kKeyWords, 6), std::string("hello\0", 6));
    EXPECT_EQ(file.substr(2 * kRecordSize + kDescription, 255), std::string(255, 'd'));
    std::string expected = emptyRecords(3);
    putInt32(expected, 0, 3);
    putInt32(expected, kRecordSize + 12, 2);
    expected.replace(kRecordSize + kKeyWords, 5, "hello");
    expected.replace(2 * kRecordSize + kDescription, 255, std::string(255, 'd'));
    EXPECT_EQ(file, expected);
    // A count that is given is kept, whatever it says.
    EXPECT_EQ(getInt32(importText("[header]\ncount: -7\n[entry 2]\n"), 0), -7);
}

TEST(DictionaryText, NumbersAtTheEdgesOfTheirRange) {
    std::string file = importText("[header]\ncount: -2147483648\ncommand: 2147483647\nreplyKind: +5\n");
    EXPECT_EQ(getInt32(file, 0), INT32_MIN);
    EXPECT_EQ(getInt32(file, 4), INT32_MAX);
    EXPECT_EQ(getInt32(file, 8), 5);
}

TEST(DictionaryText, RefusalsNameTheLine) {
    const std::string header = "[header]\n[entry 2]\n";  // lines 1 and 2
    struct Case {
        std::string text;
        int line;
        std::string says;
    };
    const Case cases[] = {
        {header + "keyWords: \"" + std::string(255, 'k') + "\"\n", 3, "255 characters"},
        {header + "keyWords: \"" + std::string(300, 'k') + "\"\n", 3, "at most 254"},
        {header + "mode: 12a\n", 3, "not a whole number"},
        {header + "mode: 1.5\n", 3, "not a whole number"},
        {header + "mode:\n", 3, "not a whole number"},
        {header + "wordClass: 2147483648\n", 3, "outside the range"},
        {header + "wordClass: -2147483649\n", 3, "outside the range"},
        {header + "command: 99999999999999999999999\n", 3, "outside the range"},
        {header + "mode 5\n", 3, "expected \"field: value\""},
        {header + "colour: 5\n", 3, "unknown field"},
        {header + "count: 5\n", 3, "only the header"},
        {"[header]\nmode: 5\n", 2, "the header has \"count\""},
        {header + "mode: 1\n\nmode: 2\n", 5, "given twice"},
        {header + "description: \"x\"\ndescription.full: \"" + std::string(255, 'd') + "\"\n", 4, "given twice"},
        {header + "keyWords: \"hello\n", 3, "no closing quote"},
        {header + "keyWords: hello\n", 3, "double quotes"},
        {header + "keyWords: \"a\" b\n", 3, "after the closing quote"},
        {header + "keyWords: \"a\\q\"\n", 3, "unknown escape"},
        {header + "keyWords: \"a\\x0\"\n", 3, "unknown escape"},
        {header + "keyWords: \"a\\x00\"\n", 3, "byte 00"},
        {header + "keyWords: \"\xE4\xB8\xAD\"\n", 3, "U+4E2D"},
        {header + "keyWords: \"\xC3\"\n", 3, "UTF-8"},
        {header + "keyWords.after: 4\n", 3, "pairs"},
        {header + "keyWords.after: 4G\n", 3, "not hex"},
        {header + "keyWords.before: 41\n", 3, "unknown field"},
        {header + "keyWords.after: " + std::string(2 * 250, 'A') + "\nkeyWords: \"hello\"\n", 3, "do not fit"},
        {header + "keyWords.full: \"short\"\n", 3, "exactly 255"},
        {"[entry 2]\n", 1, "must be [header]"},
        {"mode: 1\n", 1, "before the first record"},
        {"[header]\n[header]\n", 2, "first record, and only it"},
        {header + "[entry 4]\n", 3, "expected [entry 3]"},
        {header + "[entry two]\n", 3, "[entry N]"},
        {header + "[entry 3\n", 3, "ends with ]"},
    };
    for (const Case& c : cases) {
        try {
            importText(c.text);
            ADD_FAILURE() << "accepted:\n" << c.text;
        } catch (const TextError& error) {
            EXPECT_EQ(error.line, c.line) << error.what() << "\n" << c.text;
            EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
            EXPECT_EQ(std::string(error.what()).rfind("line " + std::to_string(c.line) + ": ", 0), 0u);
        }
    }
}

TEST(DictionaryText, AFileOfBrokenLengthIsNoTranslationFile) {
    EXPECT_THROW(exportText(std::string(kRecordSize + 1, '\0')), FileError);
    EXPECT_THROW(exportText(std::string(100, '\0')), FileError);
}

}  // namespace
}  // namespace dictionary_text
