// The entry record on disk and its text slots, including dictionaries that are damaged.
#include <gtest/gtest.h>

#include "text.h"
#include "translation_records.h"

#include "dictionary_codec.h"
#include "temp_directory.h"

#include <cstring>
#include <string>

using testfs::readBytes;
using testfs::writeBytes;

namespace {

// `records` records of `fill` behind a count.
std::string withCount(int32_t count, size_t records, size_t extra = 0, char fill = '\0') {
    return dict::withCount(std::string(records * recordLength + extra, fill), count);
}

class TranslationFile : public ::testing::Test {
protected:
    testfs::TempDirectory dir;
    std::string path = dir.file(dictionaryFileName);
    FileVariable file = nullptr;

    void SetUp() override { initTextHeap(); }
    void TearDown() override {
        closeFile(&file, translationFileKind);
        endProgram();
    }
};

TEST_F(TranslationFile, SlotsHoldAtMost254CharactersAndNeverSpill) {
    EntryRecord entry;
    std::memset(&entry, 'q', sizeof entry);
    std::string exact(254, 'a');
    storeSlotText(entry.keyWords, exact.c_str());
    EXPECT_EQ(slotText(entry.keyWords), exact);
    EXPECT_TRUE(slotIsTerminated(entry.keyWords));

    std::string tooLong = std::string(254, 'b') + "cut here";
    storeSlotText(entry.translation, tooLong.c_str());
    EXPECT_EQ(slotText(entry.translation), std::string(254, 'b'));
    EXPECT_EQ(entry.replyText[0], 'q') << "the next field is untouched";

    storeSlotText(entry.synonyms, "");
    EXPECT_EQ(slotText(entry.synonyms), "");
    EXPECT_EQ(entry.synonyms[1], 'q') << "bytes after the terminator keep what they held";

    // A slot from a file without any terminator yields its own 255 bytes only.
    std::memset(entry.replyRef, 'r', textFieldSize);
    EXPECT_FALSE(slotIsTerminated(entry.replyRef));
    EXPECT_EQ(slotText(entry.replyRef), std::string(255, 'r'));
    std::memset(entry.description, 'd', textFieldSize);
    EXPECT_EQ(slotText(entry.description), std::string(255, 'd')) << "the last slot ends with the record";
}

// Reads every record a header promises, a few past what the file holds, as an editor
// browsing a damaged dictionary would, and looks at every slot.
struct Walk {
    int32_t recordsRead = 0;
    int32_t unterminatedSlots = 0;
    size_t longestText = 0;
};

Walk walkDictionary(FileVariable file, int32_t presentRecords) {
    Walk walk;
    EntryRecord header{};
    readRecord(file, headerRecord, &header, recordLength);
    int32_t last = std::min(entryCount(header), presentRecords + 3);
    for (int32_t number = 2; number <= last; ++number) {
        EntryRecord entry{};
        if (readRecord(file, number, &entry, recordLength) == 0) ++walk.recordsRead;
        for (const TextField255* slot : {&entry.replyRef, &entry.keyWords, &entry.translation, &entry.replyText,
                                         &entry.fileCommand, &entry.nameReply, &entry.synonyms, &entry.description}) {
            if (!slotIsTerminated(*slot)) ++walk.unterminatedSlots;
            walk.longestText = std::max(walk.longestText, slotText(*slot).size());
        }
    }
    return walk;
}

TEST_F(TranslationFile, DamagedDictionariesReadWithinTheirBounds) {
    struct Case {
        const char* what;
        std::string bytes;
        int32_t wholeRecords, unterminated;
    };
    std::string noTerminators(recordLength, 'T');
    const Case cases[] = {
        {"empty file", "", 0, 0},
        {"count 0", withCount(0, 2), 0, 0},
        {"count -5", withCount(-5, 2), 0, 0},
        {"count far beyond the file", withCount(INT32_MAX, 3), 2, 0},
        // 700 bytes of the second record: replyRef and keyWords full, the rest missing.
        {"truncated second record", withCount(2, 1, 700, 'x'), 0, 2},
        {"texts without terminators", withCount(3, 1) + noTerminators + noTerminators, 2, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeBytes(path, c.bytes);
        ASSERT_EQ(openFile(&file, translationFileKind, path.c_str(), "r+"), 0);
        Walk walk = walkDictionary(file, static_cast<int32_t>(c.bytes.size() / recordLength));
        EXPECT_EQ(walk.recordsRead, c.wholeRecords);
        EXPECT_EQ(walk.unterminatedSlots, c.unterminated);
        EXPECT_LE(walk.longestText, 255u);
        closeFile(&file, translationFileKind);
        EXPECT_EQ(readBytes(path), c.bytes) << "reading changed nothing";
    }
}

}  // namespace
