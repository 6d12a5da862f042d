// Text values: zero-terminated Windows-1252 texts in blocks of a private heap, owned by
// whoever received them and released with freeText or through the temporaries stack.
// Positions in texts are 1-based.
#pragma once

#include <cstdint>
#include <initializer_list>

constexpr int32_t temporariesCapacity = 1000;

int32_t initTextHeap();
char* allocText(uint32_t size);  // zero-filled block of size + 3 bytes, or null
int32_t freeText(void* block);
void pushTemporary(char* text);
void popTemporaries(int32_t count);
int32_t temporariesInUse();
void debugOutput(const char* text);
void endProgram();

char* copyText(char* destination, const char* source);
int32_t textLength(const char* text);
char* duplicateText(const char* text);
char* concatTexts(std::initializer_list<const char*> texts);
int32_t findText(const char* searched, const char* sought, int32_t start);
void overwriteText(char* destination, int32_t start, int32_t count, const char* source);
char* upperText(const char* text);
int32_t firstCharCode(const char* text);
