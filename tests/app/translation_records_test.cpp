// The entry record's text slots as a damaged dictionary leaves them: a slot without its
// terminator. What a slot takes from the form is the store's tests' business.
#include <gtest/gtest.h>

#include "app/translation_records.h"

#include <cstring>
#include <string>

namespace {

// A slot read from a file without any terminator yields its own 255 bytes only, never the
// text of the field after it.
TEST(TranslationFile, AnUnterminatedSlotYieldsItsOwn255BytesOnly) {
    EntryRecord entry;
    std::memset(&entry, 'q', sizeof entry);
    std::memset(entry.replyRef, 'r', textFieldSize);
    storeSlotText(entry.keyWords, "the next field");
    EXPECT_FALSE(slotIsTerminated(entry.replyRef));
    EXPECT_EQ(slotText(entry.replyRef), std::string(255, 'r'));
    EXPECT_TRUE(slotIsTerminated(entry.keyWords));
    EXPECT_EQ(slotText(entry.keyWords), "the next field");
}

}  // namespace
