#include "dictionary_text.h"
#include "dictionary_check.h"
#include "dictionary_codec.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace dictionary_text {
namespace {

using dict::int32At;
constexpr size_t kKeyWords = dict::textOffset + dict::keyWords * dict::slotSize;

// Slots shaped as the editor leaves them: a text, its terminator, and sometimes the tail
// of an older, longer text; now and then a slot with no terminator at all.
std::string randomDictionary(std::mt19937& random) {
    std::uniform_int_distribution<int> byte(0, 255), nonZero(1, 255), percent(0, 99);
    size_t records = std::uniform_int_distribution<size_t>(1, 6)(random);
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
    // A count that promises records the file lacks makes no text that imports.
    if (int32At(file, 0) > int32_t(records)) file.replace(0, 4, std::string("\x01\0\0\0", 4));
    return file;
}

// Wholly random records are the fuzz target's.
TEST(DictionaryText, EveryWellFormedFileComesBackByteForByte) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 300; ++round) {
        std::string file = randomDictionary(random);
        std::string text = exportText(file);
        ASSERT_EQ(importText(text), file) << "round " << round << "\n" << text;
    }
}

TEST(DictionaryText, ExportIsReadableAndLabelled) {
    dict::TestEntry entry;
    entry.mode = 12;
    entry.wordClass = -3;
    std::string keyWords = entry.texts[dict::keyWords] = "caf\xE9 \"a\\b\"\t\x80";
    std::string file = dict::dictionaryBytes(2, {entry});
    file[kRecordSize + kKeyWords + 200] = 'z';  // left over from an older text
    std::string text = exportText(file);
    EXPECT_NE(text.find("[header]\ncount: 2\ncommand: 0\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[entry 2]\nmode: 12\ncommand: 0\nreplyKind: 0\nwordClass: -3\nreplyRef: \"\"\n"),
              std::string::npos)
        << text;
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
        "description.full: \"" +
        std::string(255, 'd') + "\"\n");
    dict::TestEntry second, third;
    second.wordClass = 2;
    second.texts[dict::keyWords] = "hello";
    third.texts[dict::description] = std::string(255, 'd');
    EXPECT_EQ(file, dict::dictionaryBytes(3, {second, third}));
    // A count that is given is kept, whatever it says, to the edges of the range.
    EXPECT_EQ(int32At(importText("[header]\ncount: -7\n[entry 2]\n"), 0), -7);
    std::string edges = importText("[header]\ncount: -2147483648\ncommand: 2147483647\nreplyKind: +5\n");
    EXPECT_EQ(int32At(edges, 0), INT32_MIN);
    EXPECT_EQ(int32At(edges, 4), INT32_MAX);
    EXPECT_EQ(int32At(edges, 8), 5);
}

// The refused lines of a text, or nothing when it is accepted.
std::vector<TextError> refusals(const std::string& text, size_t* unnamed = nullptr) {
    try {
        importText(text);
    } catch (const RefusedText& refused) {
        if (unnamed) *unnamed = refused.unnamed;
        return refused.errors;
    }
    return {};
}

TEST(DictionaryText, RefusalsNameTheLine) {
    const std::string header = "[header]\n[entry 2]\n";  // lines 1 and 2
    struct Case {
        std::string text;
        int line;
        std::string says;
    };
    const Case cases[] = {
        {"", 0, "no records"},
        {"# nothing but a comment\n\n", 0, "no records"},
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
        std::vector<TextError> errors = refusals(c.text);
        ASSERT_EQ(errors.size(), 1u) << c.text;
        EXPECT_EQ(errors[0].line, c.line) << errors[0].what() << "\n" << c.text;
        EXPECT_NE(std::string(errors[0].what()).find(c.says), std::string::npos) << errors[0].what();
        std::string prefix = c.line > 0 ? "line " + std::to_string(c.line) + ": " : "";
        EXPECT_EQ(std::string(errors[0].what()).rfind(prefix, 0), 0u) << errors[0].what();
    }
}

TEST(DictionaryText, EveryRefusedLineIsNamedUpToTheLimit) {
    // A bad record line does not hide the lines after it, nor do they all go wrong with it.
    std::vector<TextError> errors = refusals(
        "[header]\n[entry 2]\nmode: x\n[entry 4]\nwordClass: 2b\n[entry 5]\nkeyWords: \"ok\"\n[entry 6\nbad\n");
    std::vector<int> lines;
    for (const TextError& error : errors) lines.push_back(error.line);
    EXPECT_EQ(lines, (std::vector<int>{3, 4, 5, 8, 9}));

    std::string many = "[header]\n";
    for (int i = 0; i < 30; ++i) many += "colour: 1\n";
    size_t unnamed = 0;
    errors = refusals(many, &unnamed);
    ASSERT_EQ(errors.size(), kMaxNamedRefusals);
    EXPECT_EQ(errors.back().line, int(kMaxNamedRefusals) + 1);
    EXPECT_EQ(unnamed, 30 - kMaxNamedRefusals);
}

// A header with `count` and one entry a key word, texts terminated.
std::string dictionary(int32_t count, const std::vector<std::string>& keyWords) {
    std::vector<dict::TestEntry> entries(keyWords.size());
    for (size_t i = 0; i < keyWords.size(); ++i) entries[i].texts[dict::keyWords] = keyWords[i];
    return dict::dictionaryBytes(count, entries);
}

std::string withUnterminatedSynonyms(std::string file, size_t record) {
    const size_t synonyms = dict::textOffset + dict::synonyms * dict::slotSize;
    file.replace((record - 1) * kRecordSize + synonyms, kSlotSize, std::string(kSlotSize, 's'));
    return file;
}

TEST(DictionaryCheck, SaysWhatIsUnsoundOneLineEach) {
    struct Case {
        const char* damage;
        std::string file;
        std::vector<std::string> unsound;  // what each unsound line says, in order
        std::vector<std::string> warnings;
    };
    const std::vector<Case> cases = {
        {"none", dictionary(3, {"cat", "dog"}), {}, {}},
        {"no entries", dictionary(1, {}), {}, {}},
        {"empty file", "", {"no header record"}, {}},
        {"count 0", dictionary(0, {"cat"}), {"the count is 0, below 1"}, {}},
        {"count negative", dictionary(-5, {}), {"the count is -5, below 1"}, {}},
        {"count beyond the records",
         dictionary(5, {"cat"}),
         {"holds records only up to 2: records 3 to 5 are missing"},
         {}},
        {"huge count", dictionary(INT32_MAX, {}), {"records 2 to 2147483647 are missing"}, {}},
        {"records beyond the count",
         dictionary(2, {"cat", "dog", "eel"}),
         {"records 3 to 4 lie beyond the count 2"},
         {}},
        {"a slot without terminator",
         withUnterminatedSynonyms(dictionary(3, {"cat", "dog"}), 3),
         {"entry 3: synonyms has no terminating zero"},
         {}},
        {"beyond the count, unterminated",
         withUnterminatedSynonyms(dictionary(2, {"cat", "dog"}), 3),
         {"record 3 lies beyond the count 2"},
         {}},
        {"cut-off last record",
         dictionary(2, {"cat"}) + "abc",
         {"4115 bytes, not a whole number of 2056-byte records: 3 bytes follow record 2"},
         {}},
        {"empty and repeated key words",
         dictionary(5, {"cat", "", "cat", "dog"}),
         {},
         {"entry 3: the key words are empty", "entry 4: the key words \"cat\" are those of entry 2"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> unsound, warnings;
        for (const Finding& finding : checkDictionary(c.file))
            (finding.unsound ? unsound : warnings).push_back(finding.message);
        ASSERT_EQ(unsound.size(), c.unsound.size()) << c.damage << ": " << testing::PrintToString(unsound);
        ASSERT_EQ(warnings.size(), c.warnings.size()) << c.damage << ": " << testing::PrintToString(warnings);
        for (size_t i = 0; i < unsound.size(); ++i)
            EXPECT_NE(unsound[i].find(c.unsound[i]), std::string::npos) << c.damage << ": " << unsound[i];
        for (size_t i = 0; i < warnings.size(); ++i)
            EXPECT_NE(warnings[i].find(c.warnings[i]), std::string::npos) << c.damage << ": " << warnings[i];
    }
}

TEST(DictionaryCheck, FindComparesWholeKeyWordsWithinTheCount) {
    // Record 6 lies beyond the count and is not an entry; "cat dog" is not "cat".
    std::string file = dictionary(5, {"cat", "Cat", "cat dog", "cat", "cat"});
    EXPECT_EQ(findEntries(file, "cat"), (std::vector<size_t>{2, 5}));
    EXPECT_EQ(findEntries(file, "Cat"), (std::vector<size_t>{3}));
    EXPECT_TRUE(findEntries(file, "ca").empty());
    EXPECT_EQ(findEntries(dictionary(9, {"cat"}), "cat"), (std::vector<size_t>{2}));  // a count past the end
    EXPECT_TRUE(findEntries("", "").empty());
    // A slot without terminator holds its 255 bytes, never the next field's.
    std::string full = dictionary(2, {std::string(255, 'k')});
    full[kRecordSize + kKeyWords + 255] = 'x';
    EXPECT_EQ(findEntries(full, std::string(255, 'k')), (std::vector<size_t>{2}));
}

}  // namespace
}  // namespace dictionary_text
