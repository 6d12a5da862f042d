// Any bytes as a dictionary's text, and as a dictionary: the import either refuses with
// named lines or gives a file that comes back from its own text unchanged; export, check
// and find take any whole records, and every file comes back from its text unless its
// count promises records it lacks.
#include "dictionary_check.h"
#include "dictionary_text.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    try {
        std::string file = dictionary_text::importText(input);
        if (file.size() % dictionary_text::kRecordSize != 0 ||
            dictionary_text::importText(dictionary_text::exportText(file)) != file)
            std::abort();
    } catch (const dictionary_text::RefusedText& refused) {
        if (refused.errors.empty() || refused.errors.size() > dictionary_text::kMaxNamedRefusals) std::abort();
    }
    dictionary_text::checkDictionary(input);
    dictionary_text::findEntries(input, input.substr(0, 8));
    if (size > 0 && size % dictionary_text::kRecordSize == 0) {
        try {
            if (dictionary_text::importText(dictionary_text::exportText(input)) != input) std::abort();
        } catch (const dictionary_text::RefusedText&) {
            // Only a count that promises records the file lacks keeps its text from coming back.
            if (size_t(std::max(dictionary_text::int32At(input, 0), 0)) <= size / dictionary_text::kRecordSize)
                std::abort();
        }
    }
    return 0;
}
