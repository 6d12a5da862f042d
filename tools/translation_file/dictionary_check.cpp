#include "dictionary_check.h"

#include "codepage/windows1252.h"
#include "dictionary_text.h"
#include "record/entry_record.h"

#include <algorithm>
#include <cstring>

namespace dictionary_text {

namespace {

// A slot's text: up to its terminator, or the whole slot when it has none.
std::string_view slotText(std::string_view record, size_t offset) {
    std::string_view slot = record.substr(offset, kSlotSize);
    return slot.substr(0, std::min(slot.find('\0'), slot.size()));
}

std::string recordRange(size_t first, size_t last) {
    return first == last ? "record " + std::to_string(first)
                         : "records " + std::to_string(first) + " to " + std::to_string(last);
}

}  // namespace

DictionaryCheck::DictionaryCheck(uint64_t fileSize) : fileSize_(fileSize) {
    // One key a record at most; growing the table as it goes would cost as much again.
    firstWithKeyWords_.reserve(static_cast<size_t>(std::min<uint64_t>(fileSize / kRecordSize, 1u << 22)));
}

void DictionaryCheck::report(bool unsound, std::string message) { findings_.push_back({unsound, std::move(message)}); }

void DictionaryCheck::addRecord(std::string_view record) {
    size_t number = ++records_;
    if (number == 1) {
        count_ = int32At(record, 0);
        return;
    }
    if (int64_t(number) > count_) return;  // beyond the count: reported once, at the end
    for (const RecordField& field : recordTextFields)
        if (std::memchr(record.data() + field.offset, '\0', kSlotSize) == nullptr)
            report(true, "entry " + std::to_string(number) + ": " + field.name + " has no terminating zero");
    std::string_view keyWords = slotText(record, offsetof(EntryRecord, keyWords));
    if (keyWords.empty()) {
        report(false, "entry " + std::to_string(number) + ": the key words are empty");
        return;
    }
    auto [first, isNew] = firstWithKeyWords_.try_emplace(std::string(keyWords), number);
    if (!isNew)
        report(false, "entry " + std::to_string(number) + ": the key words \"" + codepage::windows1252ToUtf8(keyWords) +
                          "\" are those of entry " + std::to_string(first->second) +
                          " too; Find shows the last such entry");
}

std::vector<Finding> DictionaryCheck::finish() {
    if (uint64_t tail = fileSize_ % kRecordSize; tail != 0)
        report(true, "the file is " + std::to_string(fileSize_) + " bytes, not a whole number of 2056-byte records: " +
                         std::to_string(tail) + " bytes follow record " + std::to_string(records_));
    if (records_ == 0) {
        report(true, "the file holds no header record");
    } else if (count_ < 1) {
        report(true, "the count is " + std::to_string(count_) + ", below 1: the first Add would overwrite the header");
    } else if (uint64_t(count_) > records_) {
        report(true, "the count is " + std::to_string(count_) + " but the file holds records only up to " +
                         std::to_string(records_) + ": " + recordRange(records_ + 1, size_t(count_)) +
                         (size_t(count_) == records_ + 1 ? " is missing" : " are missing"));
    }
    if (records_ > 0 && count_ >= 1 && uint64_t(count_) < records_)
        report(true, recordRange(size_t(count_) + 1, records_) + (records_ == size_t(count_) + 1 ? " lies" : " lie") +
                         " beyond the count " + std::to_string(count_) +
                         ": the editor never shows them and the next Add overwrites them");
    return std::move(findings_);
}

std::vector<Finding> checkDictionary(std::string_view fileBytes) {
    DictionaryCheck check(fileBytes.size());
    for (size_t at = 0; at + kRecordSize <= fileBytes.size(); at += kRecordSize)
        check.addRecord(fileBytes.substr(at, kRecordSize));
    return check.finish();
}

std::vector<size_t> findEntries(std::string_view fileBytes, std::string_view keyWords) {
    std::vector<size_t> found;
    size_t records = fileBytes.size() / kRecordSize;
    if (records == 0) return found;
    int64_t count = int32At(fileBytes, 0);
    for (size_t number = 2; number <= records && int64_t(number) <= count; ++number)
        if (slotText(fileBytes.substr((number - 1) * kRecordSize, kRecordSize), offsetof(EntryRecord, keyWords)) ==
            keyWords)
            found.push_back(number);
    return found;
}

}  // namespace dictionary_text
