// Any bytes as a dictionary: read the header and every record it promises (up to a few
// past what the file holds) and every text slot of each, as browsing would. Memory
// errors are the sanitizers' to find; the checks here are the slots' own promises.
#include "text.h"
#include "translation_records.h"

#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const std::string& dictionaryPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/dictionary-fuzz-XXXXXX";
        int fd = mkstemp(pattern);
        if (fd < 0) std::abort();
        close(fd);
        return std::string(pattern);
    }();
    return path;
}

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = initTextHeap() == 1;
    check(ready);
    const std::string& path = dictionaryPath();
    FILE* out = std::fopen(path.c_str(), "wb");
    check(out && std::fwrite(data, 1, size, out) == size && std::fclose(out) == 0);

    FileVariable file = nullptr;
    check(openFile(&file, translationFileKind, path.c_str(), "r+") == 0);
    EntryRecord header{};
    int32_t headerRead = readRecord(file, headerRecord, &header, recordLength);
    check((headerRead == 0) == (size >= recordLength));
    int32_t present = static_cast<int32_t>(size / recordLength);
    int32_t last = std::min(entryCount(header), present + 3);
    for (int32_t number = 2; number <= last; ++number) {
        EntryRecord entry{};
        int32_t result = readRecord(file, number, &entry, recordLength);
        check((result == 0) == (number <= present));
        for (TextField255* slot : {&entry.replyRef, &entry.keyWords, &entry.translation, &entry.replyText,
                                   &entry.fileCommand, &entry.nameReply, &entry.synonyms, &entry.description}) {
            std::string text(slotText(*slot));
            check(slotIsTerminated(*slot) ? text.size() < 255 : text.size() == 255);
            // Storing what was read back keeps at most 254 characters and a terminator.
            storeSlotText(*slot, text.c_str());
            check(slotIsTerminated(*slot) && slotText(*slot).size() == std::min<size_t>(text.size(), 254));
        }
    }
    closeFile(&file, translationFileKind);
    check(file == nullptr);
    return 0;
}
