// The text heap, the temporaries stack and the operations on texts.
//
// Out of memory: allocText returns null when even a compacted heap cannot give the
// block, and the operations that build a new text value then return null as well
// instead of writing through it.
#include "runtime/text.h"

#include <windows.h>

namespace {

constexpr SIZE_T textHeapInitialSize = 0x7FFFF;

HANDLE textHeap = nullptr;
char* temporaries[temporariesCapacity];
int32_t temporariesCount = 0;

}  // namespace

int32_t initTextHeap() {
    if (!textHeap) {
        textHeap = HeapCreate(0, textHeapInitialSize, 0);
        temporariesCount = 0;
    }
    return textHeap ? 1 : 0;
}

char* allocText(uint32_t size) {
    // A size whose block would wrap around a 32-bit address space cannot be given.
    if (!textHeap || SIZE_T(size) > SIZE_T(-1) - 3) return nullptr;
    // Room for the text, its terminator and a little slack; always zero-filled.
    SIZE_T bytes = SIZE_T(size) + 3;
    void* block = HeapAlloc(textHeap, HEAP_ZERO_MEMORY, bytes);
    if (!block) {
        HeapCompact(textHeap, 0);
        block = HeapAlloc(textHeap, HEAP_ZERO_MEMORY, bytes);
    }
    return static_cast<char*>(block);
}

int32_t freeText(void* block) {
    if (!textHeap || !block) return 0;
    return HeapFree(textHeap, 0, block) ? 1 : 0;
}

void pushTemporary(char* text) {
    if (temporariesCount < temporariesCapacity)
        temporaries[temporariesCount++] = text;
    else
        debugOutput("Heap Stack Overflow");
}

void popTemporaries(int32_t count) {
    for (int32_t i = 0; i < count; ++i) {
        if (temporariesCount > 0)
            freeText(temporaries[--temporariesCount]);
        else
            debugOutput("Heap Stack Underflow");
    }
}

int32_t temporariesInUse() { return temporariesCount; }

void debugOutput(const char* text) { OutputDebugStringA(text); }

void endProgram() {
    if (textHeap) HeapDestroy(textHeap);
    textHeap = nullptr;
    temporariesCount = 0;  // everything the stack held went with the heap
}

char* copyText(char* destination, const char* source) {
    int32_t i = 0;
    do {
        destination[i] = source[i];
    } while (source[i++] != '\0');
    return destination;
}

int32_t textLength(const char* text) {
    int32_t length = 0;
    while (text[length] != '\0') ++length;
    return length;
}

char* duplicateText(const char* text) {
    int32_t length = textLength(text);
    char* copy = allocText(static_cast<uint32_t>(length) + 1);
    return copy ? copyText(copy, text) : nullptr;
}

char* concatTexts(std::initializer_list<const char*> texts) {
    uint32_t total = 0;
    for (const char* text : texts) total += static_cast<uint32_t>(textLength(text));
    char* joined = allocText(total + 1);
    if (!joined) return nullptr;
    for (const char* text : texts) lstrcatA(joined, text);  // the block starts zero-filled
    return joined;
}

int32_t findText(const char* searched, const char* sought, int32_t start) {
    if (start == 0) start = 1;
    // A negative start lies outside every text: nothing is found there.
    if (start < 0) return 0;
    int32_t length = textLength(searched);
    if (start > length || sought[0] == '\0') return 0;
    for (int32_t position = start; position <= length; ++position) {
        const char* from = searched + position - 1;
        int32_t i = 0;
        while (sought[i] != '\0' && from[i] == sought[i]) ++i;
        if (sought[i] == '\0') return position;
    }
    return 0;
}

void overwriteText(char* destination, int32_t start, int32_t count, const char* source) {
    // The range is meant to lie inside the destination; it is kept there, and a short
    // source ends the replacement, so that neither text is read or written past its end.
    if (start < 1) return;
    int32_t length = textLength(destination);
    for (int32_t i = 0; i < count && start + i <= length && source[i] != '\0'; ++i)
        destination[start - 1 + i] = source[i];
}

char* upperText(const char* text) {
    char* copy = duplicateText(text);
    if (copy) CharUpperA(copy);
    return copy;
}

int32_t firstCharCode(const char* text) { return static_cast<unsigned char>(text[0]); }
