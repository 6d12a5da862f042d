#include "app/entry_fields.h"

#include <cstring>
#include <string_view>

namespace {

constexpr int32_t EntryRecord::*numberFields[numberFieldCount] = {&EntryRecord::mode, &EntryRecord::command,
                                                                  &EntryRecord::replyKind, &EntryRecord::wordClass};

constexpr TextField255 EntryRecord::*textFields[textFieldCount] = {
    &EntryRecord::replyRef,    &EntryRecord::keyWords,  &EntryRecord::translation, &EntryRecord::replyText,
    &EntryRecord::fileCommand, &EntryRecord::nameReply, &EntryRecord::synonyms,    &EntryRecord::description};

}  // namespace

int32_t& numberField(EntryRecord& entry, int32_t index) { return entry.*numberFields[index]; }

TextField255& textField(EntryRecord& entry, int32_t index) { return entry.*textFields[index]; }

void terminatedSlotText(const TextField255& slot, char (&text)[textFieldSize + 1]) {
    std::string_view stored = slotText(slot);
    std::memcpy(text, stored.data(), stored.size());
    text[stored.size()] = 0;
}

void copySlot(TextField255& destination, const TextField255& source) {
    char text[textFieldSize + 1];
    terminatedSlotText(source, text);
    storeSlotText(destination, text);
}
