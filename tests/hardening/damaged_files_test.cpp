// Damaged and hostile dictionaries opened by the real editor: browsed, searched and run
// through every maintenance pass. The program must end normally, write nothing through
// the form outside the entry positions, and never make up entries a file did not hold.
#include "app/editor_form.h"
#include "editor_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace editor {
namespace {

struct DamagedFile {
    std::string name;
    std::string dictionary;
    std::string workFile;  // empty: no work file left from an earlier run
};

void PrintTo(const DamagedFile& file, std::ostream* out) { *out << file.name; }

// A sound dictionary: header with `count`, then entries "w2" ... "w<records>".
Bytes dictionary(int32_t count, int records) {
    std::vector<TestEntry> entries(records - 1);
    for (int record = 2; record <= records; ++record) {
        TestEntry& entry = entries[record - 2];
        entry.mode = 1;
        entry.wordClass = record % 3 == 0 ? 32 : 2;
        entry.texts[keyWords] = "w" + std::to_string(record);
        entry.texts[description] = "about w" + std::to_string(record) + ".";
    }
    return dictionaryBytes(count, entries);
}

// What start-up makes of a dictionary: one too short to hold its header gets a header
// with count 1 and nothing else; a file that holds a record is left as it is.
Bytes afterStartUp(const Bytes& original) { return original.size() >= recordSize ? original : headerBytes(1); }

// What is wrong with the dictionary a clean-up pass made of `original`, empty when
// nothing is: its count is at least 1 and no more than the entries the original held,
// and nothing follows its records (nothing a work file held before reaches it).
std::string passResultFault(const Bytes& original, const Bytes& result) {
    const Bytes before = afterStartUp(original);
    const int64_t entriesHeld = std::min<int64_t>(headerCount(before), int64_t(recordCount(before)));
    const int32_t count = headerCount(result);
    if (count < 1 || count > std::max<int64_t>(1, entriesHeld))
        return "count " + std::to_string(count) + " where the original held " + std::to_string(entriesHeld) +
               " entries";
    if (result.size() != static_cast<size_t>(count) * recordSize)
        return std::to_string(result.size()) + " bytes for a count of " + std::to_string(count);
    return "";
}

// Every text slot of every entry filled to its last byte, without a terminator.
std::string unterminatedTexts() {
    std::string file = headerBytes(4);
    for (int record = 2; record <= 4; ++record) {
        std::string bytes(recordSize, '\0');
        put(bytes, 12, 2);
        for (int slot = 0; slot < 8; ++slot)
            bytes.replace(textOffset + slot * slotSize, slotSize, std::string(slotSize, char('a' + slot)));
        file += bytes;
    }
    return file;
}

// Bytes from 0x80 to 0xFF in every position, the count included unless `count` is given.
std::string highBytes(int records, const int32_t* count) {
    std::string file(records * recordSize, '\0');
    for (size_t i = 0; i < file.size(); ++i) file[i] = static_cast<char>(0x80 + (i * 37) % 128);
    if (count) put(file, 0, *count);
    return file;
}

std::vector<DamagedFile> corpus() {
    const std::string sound = dictionary(4, 4);
    const int32_t four = 4;
    return {
        {"empty", "", ""},
        {"one_byte", "\x07", ""},
        {"header_only", headerBytes(1), ""},
        {"header_promising_entries", headerBytes(3), ""},
        {"cut_inside_a_record", sound.substr(0, 3 * recordSize + 9), ""},
        {"cut_inside_a_text", sound.substr(0, 3 * recordSize + 16 + slotSize + 3), ""},
        {"count_zero", withCount(sound, 0), ""},
        {"count_minus_one", withCount(sound, -1), ""},
        {"count_int32_max", withCount(sound, 2147483647), ""},
        {"count_past_the_end", withCount(sound, 40), ""},
        {"texts_without_terminators", unterminatedTexts(), ""},
        {"high_bytes_everywhere", highBytes(4, nullptr), ""},
        {"high_bytes_in_entries", highBytes(4, &four), ""},
        {"large_work_file_left", dictionary(3, 3), dictionary(12, 12)},
    };
}

class DamagedDictionary : public ::testing::TestWithParam<DamagedFile> {
protected:
    void writeFiles(EditorSession& session) {
        testfs::writeBytes(session.dictionaryPath(), GetParam().dictionary);
        if (!GetParam().workFile.empty()) testfs::writeBytes(session.workFilePath(), GetParam().workFile);
    }
};

void typeAndClick(int field, const std::string& text, int button) {
    setText(field, text);
    clickControl(button);
}

TEST_P(DamagedDictionary, BrowsingWritesOnlyEntryPositions) {
    EditorSession session;
    writeFiles(session);
    session.addAction([] { clickControl(upButton); });                                // Up
    session.addAction([] { clickControl(downButton); });                              // Down
    session.addAction([] { typeAndClick(entryNumberBox, "3", gotoButton); });         // Goto 3
    session.addAction([] { typeAndClick(entryNumberBox, " 2000", gotoButton); });     // Goto far past the end
    session.addAction([] { typeAndClick(entryNumberBox, "-5", upButton); });          // Up from below the header
    session.addAction([] { typeAndClick(entryNumberBox, "0", downButton); });         // Down to nothing
    session.addAction([] { typeAndClick(entryNumberBox, "2147483647", upButton); });  // Up at the top of int32
    session.addAction([] { typeAndClick(findBox, "w3", findButton); });               // Find an entry
    session.addAction([] { typeAndClick(findBox, "\xe9\xff", findButton); });         // Find nothing
    session.addAction([] { typeAndClick(entryNumberBox, "2", gotoButton); });
    session.addAction([] {  // a slot without its terminator shows its own 255 bytes at most
        for (int id = 10; id <= 17; ++id) EXPECT_LE(controlText(id).size(), slotSize) << "field " << id;
    });
    session.addAction([] { setText(entryField(6), "edited"); });
    ASSERT_EQ(session.run(), 0);
    EXPECT_EQ(session.actionsDone(), 12u);
    EXPECT_FALSE(session.log().closingRefused) << "OK did not end the program";
    // Positions the file cannot take are refused with a word; no write may fail.
    for (const BoxSeen& box : session.log().boxes) EXPECT_NE(box.text, "Can't write TranslationFile.dat");
    EXPECT_FALSE(std::filesystem::exists(session.workFilePath()));

    const std::string before = afterStartUp(GetParam().dictionary);
    const std::string after = testfs::readBytes(session.dictionaryPath());
    const int64_t count = headerCount(before);
    const uint64_t firstEntryByte = recordSize;
    const uint64_t endOfEntryPositions = static_cast<uint64_t>(std::max<int64_t>(count + 1, 1)) * recordSize;
    EXPECT_EQ(headerCount(after), count);
    EXPECT_LE(after.size(), std::max<uint64_t>(before.size(), endOfEntryPositions));
    // A store may add the record just past the file's end, never one after a gap: the
    // gap would read as zero-filled entries that nobody made.
    const size_t firstNewRecord = (before.size() + recordSize - 1) / recordSize * recordSize;
    for (size_t start = firstNewRecord; start + recordSize <= after.size(); start += recordSize)
        EXPECT_NE(after.substr(start, recordSize), std::string(recordSize, '\0')) << "made-up record at byte " << start;
    size_t differences = 0;
    for (size_t i = 0; i < before.size(); ++i)
        if ((i < firstEntryByte || i >= endOfEntryPositions) && before[i] != after[i]) ++differences;
    EXPECT_EQ(differences, 0u) << "bytes changed outside records 2 to " << count + 1;
}

class DamagedDictionaryPass : public ::testing::TestWithParam<std::tuple<DamagedFile, int>> {};

TEST_P(DamagedDictionaryPass, NewDictionaryHoldsOnlyRealEntries) {
    const auto& [damaged, button] = GetParam();
    EditorSession session;
    testfs::writeBytes(session.dictionaryPath(), damaged.dictionary);
    if (!damaged.workFile.empty()) testfs::writeBytes(session.workFilePath(), damaged.workFile);
    session.addAction([button = button] {
        setText(classNumberBox, "2");
        clickControl(button);
    });
    ASSERT_EQ(session.run(), 0);
    EXPECT_EQ(session.log().formsShown, 2) << "the form must open again after the pass";
    for (const BoxSeen& box : session.log().boxes) EXPECT_NE(box.caption, "error...MAIN...") << box.text;
    EXPECT_FALSE(std::filesystem::exists(session.workFilePath()));

    EXPECT_EQ(passResultFault(damaged.dictionary, testfs::readBytes(session.dictionaryPath())), "");
}

std::string fileName(const ::testing::TestParamInfo<DamagedFile>& info) { return info.param.name; }

std::string passName(const ::testing::TestParamInfo<std::tuple<DamagedFile, int>>& info) {
    return std::get<0>(info.param).name + "_button" + std::to_string(std::get<1>(info.param));
}

INSTANTIATE_TEST_SUITE_P(Corpus, DamagedDictionary, ::testing::ValuesIn(corpus()), fileName);
INSTANTIATE_TEST_SUITE_P(Corpus, DamagedDictionaryPass,
                         ::testing::Combine(::testing::ValuesIn(corpus()),
                                            ::testing::Range(deleteLinksButton, resetHighModesButton + 1)),
                         passName);

}  // namespace
}  // namespace editor
