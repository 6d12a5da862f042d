#include "app/editor_form.h"

#include "app/editor_state.h"
#include "forms/controls.h"
#include "forms/dialog_registry.h"

namespace {

struct ControlDescription {
    int32_t id;
    int32_t kind;
    int32_t x, y, width, height;
    uint32_t style;
    const char* text;
};

constexpr uint32_t labelStyle = WS_CHILD | WS_VISIBLE | SS_NOTIFY | SS_SIMPLE;
constexpr uint32_t digitsStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_NUMBER;
constexpr uint32_t fieldStyle = WS_CHILD | WS_VISIBLE | WS_BORDER;
constexpr uint32_t buttonStyle = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
constexpr uint32_t groupStyle = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;

constexpr uint32_t formStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;

// In creation order, which is also the controls' order in the form.
constexpr ControlDescription editorControls[] = {
    {defaultCommand, kindLabel, 45, 31, 465, 19, labelStyle,
     "1. Translation Mode, 0 to 4=normal, 5=translate to 7, 6=Look in 12 use 6, 7=input to otput, 8=learn"},
    {4, kindLabel, 45, 55, 640, 19, labelStyle,
     "2. Command, 1=System on 9, 2=copy 9 To 10, 3=pic on 9, 4=delete file in 9 "},
    {6, kindEdit, 8, 28, 32, 20, digitsStyle, "Edit1"},
    {7, kindEdit, 8, 52, 32, 20, digitsStyle, "Edit2"},
    {8, kindEdit, 8, 75, 32, 20, digitsStyle, "Edit3"},
    {9, kindEdit, 8, 99, 32, 20, digitsStyle, "Edit4"},
    {10, kindEdit, 8, 123, 415, 20, fieldStyle, "Edit5"},
    {11, kindEdit, 8, 147, 415, 20, fieldStyle, "Edit6"},
    {12, kindEdit, 8, 171, 415, 20, fieldStyle, "Edit7"},
    {13, kindEdit, 8, 195, 415, 20, fieldStyle, "Edit8"},
    {14, kindEdit, 8, 219, 515, 20, fieldStyle, "Edit9"},
    {15, kindEdit, 8, 243, 515, 20, fieldStyle, "Edit10"},
    {16, kindEdit, 8, 267, 515, 20, fieldStyle, "Edit11"},
    {17, kindEdit, 8, 291, 515, 20, fieldStyle, "Edit12"},
    {18, kindLabel, 528, 295, 255, 20, labelStyle, "12. Dictionary discription of Word."},
    {19, kindLabel, 45, 79, 750, 19, labelStyle,
     "3. 2=reply with 7, 3=reply with 8, 4=read file on 10, 5=read file on 10 full path, 6=read file in 10 "
     "into input full path, 20=file in 9 into html see help for details..."},
    {20, kindLabel, 46, 102, 748, 19, labelStyle,
     "4. 1=more info req, 2=Noun, 3=Adjec, 4=Verb, 5=Adverb, 6=Pronoun, 7=Article, 8=Conj, 9=Int, 10=Plural, "
     "at least 50 more, look in help..."},
    {21, kindLabel, 428, 129, 190, 19, labelStyle, "5. Create A Reply referance or extra System command."},
    {22, kindLabel, 428, 150, 329, 19, labelStyle,
     "6. Words that require a response ie. the word we're looking For more infomation on."},
    {23, kindLabel, 428, 175, 307, 20, labelStyle, "7. Translation of 6 if Mode set to 5"},
    {24, kindLabel, 428, 198, 400, 20, labelStyle, "8. Used by 3 and Create A Reply, see Help for more information."},
    {25, kindLabel, 528, 223, 322, 20, labelStyle, "9. File commands, run system file, open name file etc..."},
    {26, kindLabel, 528, 247, 363, 20, labelStyle, "10. Reply If 2=1, if 4=23 then Name type ie. student etc..."},
    {27, kindLabel, 528, 271, 201, 20, labelStyle, "11. Words with simular meaning."},
    {okButton, kindCommandButton, 700, 321, 70, 20, buttonStyle, "OK"},
    {cancelButton, kindCommandButton, 700, 346, 70, 20, buttonStyle, "Cancel"},
    {31, kindGroupBox, 696, 310, 82, 68, groupStyle, ""},
    {entryNumberBox, kindEdit, 340, 321, 67, 20, fieldStyle, "Edit13"},
    {33, kindLabel, 283, 323, 50, 15, labelStyle, "File length"},
    {upButton, kindCommandButton, 416, 321, 71, 20, buttonStyle, "Up"},
    {downButton, kindCommandButton, 416, 346, 71, 20, buttonStyle, "Down"},
    {36, kindGroupBox, 278, 310, 218, 62, groupStyle, ""},
    {gotoButton, kindCommandButton, 339, 346, 70, 20, buttonStyle, "Goto"},
    {38, kindGroupBox, 8, 310, 265, 62, groupStyle, ""},
    {findBox, kindEdit, 13, 321, 177, 21, fieldStyle, "Find"},
    {findButton, kindCommandButton, 195, 321, 70, 20, buttonStyle, "Find"},
    {addButton, kindCommandButton, 195, 346, 70, 20, buttonStyle, "Add"},
    {deleteLinksButton, kindCommandButton, 13, 373, 70, 20, buttonStyle, "del .lnk's"},
    {deleteWordClassButton, kindCommandButton, 273, 399, 70, 20, buttonStyle, "del if 4 = "},
    {deleteClass32Button, kindCommandButton, 90, 373, 70, 20, buttonStyle, "del SC's"},
    {deleteUnusedButton, kindCommandButton, 90, 399, 70, 20, buttonStyle, "del unused"},
    {extractWordsButton, kindCommandButton, 167, 373, 70, 20, buttonStyle, "extract words"},
    {resetHighModesButton, kindCommandButton, 167, 399, 100, 20, buttonStyle, "make 1 = 0 if > 10"},
    {classNumberBox, kindEdit, 350, 399, 40, 20, fieldStyle, ""},
};
static_assert(sizeof(editorControls) / sizeof(editorControls[0]) == editorControlCount);

}  // namespace

void buildEditorForm() {
    createDialog(editorState().editorForm, 0, 7, 795, 440, formStyle, nullptr, "Add words To translation File",
                 editorHandler);
    for (const ControlDescription& control : editorControls)
        addControl(editorState().editorForm, control.kind, control.text, control.x, control.y, control.width,
                   control.height, control.style, control.id);
}
