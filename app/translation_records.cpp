#include "app/translation_records.h"

#include <cstring>

int32_t entryCount(const EntryRecord& header) { return header.mode; }

void setEntryCount(EntryRecord& header, int32_t count) { header.mode = count; }

std::string_view slotText(const TextField255& slot) {
    const void* end = std::memchr(slot, '\0', sizeof slot);
    size_t length = end ? static_cast<size_t>(static_cast<const char*>(end) - slot) : sizeof slot;
    return std::string_view(slot, length);
}

bool slotIsTerminated(const TextField255& slot) { return std::memchr(slot, '\0', sizeof slot) != nullptr; }

void storeSlotText(TextField255& slot, const char* text) {
    size_t length = 0;
    while (length < size_t(textFieldCapacity) && text[length] != '\0') ++length;
    std::memcpy(slot, text, length);
    slot[length] = '\0';
}
