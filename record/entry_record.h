// The record of both translation files, as the editor and the translation-file tool lay
// it out: 2056 bytes, no padding, integers little-endian, eight text slots of 255 bytes
// each holding a text of at most 254 characters and its terminating zero.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int32_t textFieldSize = 255;      // bytes of a text slot
constexpr int32_t textFieldCapacity = 254;  // characters it holds besides its terminator

using TextField255 = char[textFieldSize];

struct EntryRecord {
    int32_t mode;  // in the header (record 1): the entry count
    int32_t command;
    int32_t replyKind;
    int32_t wordClass;
    TextField255 replyRef;
    TextField255 keyWords;
    TextField255 translation;
    TextField255 replyText;
    TextField255 fileCommand;
    TextField255 nameReply;
    TextField255 synonyms;
    TextField255 description;
};

constexpr uint32_t recordLength = 2056;
static_assert(sizeof(EntryRecord) == recordLength, "a record is 2056 bytes without padding");
static_assert(offsetof(EntryRecord, mode) == 0);
static_assert(offsetof(EntryRecord, command) == 4);
static_assert(offsetof(EntryRecord, replyKind) == 8);
static_assert(offsetof(EntryRecord, wordClass) == 12);
static_assert(offsetof(EntryRecord, replyRef) == 16);
static_assert(offsetof(EntryRecord, keyWords) == 271);
static_assert(offsetof(EntryRecord, translation) == 526);
static_assert(offsetof(EntryRecord, replyText) == 781);
static_assert(offsetof(EntryRecord, fileCommand) == 1036);
static_assert(offsetof(EntryRecord, nameReply) == 1291);
static_assert(offsetof(EntryRecord, synonyms) == 1546);
static_assert(offsetof(EntryRecord, description) == 1801);

// The fields by the names the editor and the text form of a dictionary give them, in file
// order, with their offsets into a record.
struct RecordField {
    const char* name;
    size_t offset;
};
inline constexpr RecordField recordNumberFields[4] = {
    {"mode", offsetof(EntryRecord, mode)},
    {"command", offsetof(EntryRecord, command)},
    {"replyKind", offsetof(EntryRecord, replyKind)},
    {"wordClass", offsetof(EntryRecord, wordClass)},
};
inline constexpr RecordField recordTextFields[8] = {
    {"replyRef", offsetof(EntryRecord, replyRef)},       {"keyWords", offsetof(EntryRecord, keyWords)},
    {"translation", offsetof(EntryRecord, translation)}, {"replyText", offsetof(EntryRecord, replyText)},
    {"fileCommand", offsetof(EntryRecord, fileCommand)}, {"nameReply", offsetof(EntryRecord, nameReply)},
    {"synonyms", offsetof(EntryRecord, synonyms)},       {"description", offsetof(EntryRecord, description)},
};
