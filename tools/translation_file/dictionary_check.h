// What is unsound in a dictionary, and the entries the editor's Find would match.
//
// Unsound (the editor loses or misreads data): a count below 1; a count that promises
// records the file does not hold; records beyond the count; a file length that is not a
// whole number of records; text slots of an entry with no terminating zero. Warnings
// (the dictionary is sound, but Find cannot reach every entry): entries whose key words
// are empty, or repeat those of an earlier entry.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace dictionary_text {

struct Finding {
    bool unsound;  // false: a warning
    std::string message;
};

// Fed the file's whole records in order, without keeping them: a dictionary of any size
// is checked in one pass over its bytes.
class DictionaryCheck {
public:
    explicit DictionaryCheck(uint64_t fileSize);
    void addRecord(std::string_view record);
    // Everything found, in record order; call once all whole records are added.
    std::vector<Finding> finish();

private:
    void report(bool unsound, std::string message);

    uint64_t fileSize_;
    size_t records_ = 0;
    int64_t count_ = 0;
    std::unordered_map<std::string, size_t> firstWithKeyWords_;
    std::vector<Finding> findings_;
};

std::vector<Finding> checkDictionary(std::string_view fileBytes);

// The record numbers of the entries (2 to the count, as far as the file holds them) whose
// key words equal `keyWords` byte for byte, in record order. The editor's Find shows the
// last of them.
std::vector<size_t> findEntries(std::string_view fileBytes, std::string_view keyWords);

}  // namespace dictionary_text
