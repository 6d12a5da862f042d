// The editor form: its dialog object, its controls and the ids the commands act on.
#pragma once

#include <cstdint>

// The twelve entry fields are the controls 6 to 17, in record order: four numbers, then
// eight texts, the last of them the description.
constexpr int32_t firstEntryField = 6;
constexpr int32_t firstTextField = 10;
constexpr int32_t descriptionField = 17;
constexpr int32_t entryNumberBox = 32;
constexpr int32_t findBox = 39;
constexpr int32_t classNumberBox = 48;

// Command ids. The label of field 1 has id 1, the dialog's default command, so Enter and
// a click on that label arrive as the same command.
constexpr int32_t defaultCommand = 1;
constexpr int32_t okButton = 28;
constexpr int32_t cancelButton = 29;
constexpr int32_t upButton = 34;
constexpr int32_t downButton = 35;
constexpr int32_t gotoButton = 37;
constexpr int32_t findButton = 40;
constexpr int32_t addButton = 41;
// The clean-up passes, each started by its own button.
constexpr int32_t deleteLinksButton = 42;
constexpr int32_t deleteWordClassButton = 43;
constexpr int32_t deleteClass32Button = 44;
constexpr int32_t deleteUnusedButton = 45;
constexpr int32_t extractWordsButton = 46;
constexpr int32_t resetHighModesButton = 47;

constexpr int32_t editorControlCount = 44;

// Describes the form and its 44 controls; it is shown later with showModal.
void buildEditorForm();

int32_t editorHandler();
