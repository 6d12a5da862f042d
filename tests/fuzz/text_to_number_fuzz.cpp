// Any bytes as the text of a number field: no crash, no read past the terminator, and
// every shown integer reads back as itself.
#include "runtime/numbers.h"
#include "runtime/text.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool ready = [] {
        setNumericControlState();
        return initTextHeap() == 1;
    }();
    if (!ready) std::abort();

    // An exactly sized copy, so that a read past the terminator is caught.
    char* text = static_cast<char*>(std::malloc(size + 1));
    std::memcpy(text, data, size);
    text[size] = '\0';
    double value = textToNumber(text);
    std::free(text);

    int32_t rounded = roundToInt32(value);
    char* shown = numberToText(value);
    char* shownInteger = numberToText(rounded);
    if (!shown || !shownInteger || shown[0] != ' ') std::abort();
    if (roundToInt32(textToNumber(shownInteger)) != rounded) std::abort();
    freeText(shown);
    freeText(shownInteger);
    return 0;
}
