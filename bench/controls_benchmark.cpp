// One full repaint of a 795 x 440 dialog-sized window holding the editor form's 44
// controls at their places: 13 labels, 15 edit fields, 13 owner-drawn buttons (drawn by
// the parent much as the form runtime draws them) and 3 group boxes, and typing into one
// field, on screens of 100, 150 and 200 %. And an edit field with a paste of 30,000
// characters, and cursor moves over it.
#include "display/headless/headless.h"
#include "ui_driver.h"

#include <benchmark/benchmark.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

struct Control {
    int id;
    const char* className;
    DWORD style;
    int x, y, width, height;
    const char* text;
};

constexpr DWORD label = SS_SIMPLE | SS_NOTIFY;
constexpr DWORD field = WS_BORDER;
constexpr DWORD number = WS_BORDER | ES_NUMBER;
constexpr DWORD command = BS_OWNERDRAW;
constexpr DWORD group = BS_GROUPBOX;

const Control form[] = {
    {1, "STATIC", label, 45, 31, 465, 19, "1. Translation Mode, 0 to 4=normal, 5=translate to 7"},
    {4, "STATIC", label, 45, 55, 640, 19, "2. Command, 1=System on 9, 2=copy 9 To 10, 3=pic on 9"},
    {6, "EDIT", number, 8, 28, 32, 20, "0"},
    {7, "EDIT", number, 8, 52, 32, 20, "0"},
    {8, "EDIT", number, 8, 75, 32, 20, "0"},
    {9, "EDIT", number, 8, 99, 32, 20, "0"},
    {10, "EDIT", field, 8, 123, 415, 20, "reply reference"},
    {11, "EDIT", field, 8, 147, 415, 20, "key words of the entry"},
    {12, "EDIT", field, 8, 171, 415, 20, "their translation"},
    {13, "EDIT", field, 8, 195, 415, 20, "a reply text"},
    {14, "EDIT", field, 8, 219, 515, 20, "a file command"},
    {15, "EDIT", field, 8, 243, 515, 20, "a name reply"},
    {16, "EDIT", field, 8, 267, 515, 20, "synonyms"},
    {17, "EDIT", field, 8, 291, 515, 20, "a description of the word"},
    {18, "STATIC", label, 528, 295, 255, 20, "12. Dictionary description of Word."},
    {19, "STATIC", label, 45, 79, 750, 19, "3. 2=reply with 7, 3=reply with 8, 4=read file on 10"},
    {20, "STATIC", label, 46, 102, 748, 19, "4. 1=more info req, 2=Noun, 3=Adjec, 4=Verb, 5=Adverb"},
    {21, "STATIC", label, 428, 129, 190, 19, "5. Create A Reply reference."},
    {22, "STATIC", label, 428, 150, 329, 19, "6. Words that require a response."},
    {23, "STATIC", label, 428, 175, 307, 20, "7. Translation of 6 if Mode set to 5"},
    {24, "STATIC", label, 428, 198, 400, 20, "8. Used by 3 and Create A Reply."},
    {25, "STATIC", label, 528, 223, 322, 20, "9. File commands, run system file."},
    {26, "STATIC", label, 528, 247, 363, 20, "10. Reply If 2=1, then Name type."},
    {27, "STATIC", label, 528, 271, 201, 20, "11. Words with similar meaning."},
    {28, "BUTTON", command, 700, 321, 70, 20, "OK"},
    {29, "BUTTON", command, 700, 346, 70, 20, "Cancel"},
    {31, "BUTTON", group, 696, 310, 82, 68, ""},
    {32, "EDIT", field, 340, 321, 67, 20, "12"},
    {33, "STATIC", label, 283, 323, 50, 15, "File length"},
    {34, "BUTTON", command, 416, 321, 71, 20, "Up"},
    {35, "BUTTON", command, 416, 346, 71, 20, "Down"},
    {36, "BUTTON", group, 278, 310, 218, 62, ""},
    {37, "BUTTON", command, 339, 346, 70, 20, "Goto"},
    {38, "BUTTON", group, 8, 310, 265, 62, ""},
    {39, "EDIT", field, 13, 321, 177, 21, "Find"},
    {40, "BUTTON", command, 195, 321, 70, 20, "Find"},
    {41, "BUTTON", command, 195, 346, 70, 20, "Add"},
    {42, "BUTTON", command, 13, 373, 70, 20, "del .lnk's"},
    {43, "BUTTON", command, 273, 399, 70, 20, "del if 4 = "},
    {44, "BUTTON", command, 90, 373, 70, 20, "del SC's"},
    {45, "BUTTON", command, 90, 399, 70, 20, "del unused"},
    {46, "BUTTON", command, 167, 373, 70, 20, "extract words"},
    {47, "BUTTON", command, 167, 399, 100, 20, "make 1 = 0 if > 10"},
    {48, "EDIT", field, 350, 399, 40, 20, ""},
};

int64_t buttonsDrawn = 0;  // shows that a repaint reaches every command button

// Draws command buttons as the form runtime does: push frame, face, centred text.
LRESULT CALLBACK formProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DRAWITEM) {
        ++buttonsDrawn;
        const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        RECT face = item.rcItem;
        UINT state = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | ((item.itemState & ODS_SELECTED) ? DFCS_PUSHED : 0);
        DrawFrameControl(item.hDC, &face, DFC_BUTTON, state);
        FillRect(item.hDC, &face, GetSysColorBrush(COLOR_BTNFACE));
        char text[64] = {};
        GetWindowTextA(item.hwndItem, text, sizeof(text));
        RECT textRect = item.rcItem;
        SetBkMode(item.hDC, TRANSPARENT);
        DrawTextA(item.hDC, text, static_cast<int>(std::strlen(text)), &textRect,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND buildForm(HFONT font) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = formProcedure;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = "BenchmarkForm";
    RegisterClassExA(&windowClass);
    RECT frame{0, 0, 795, 440};
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    HWND window =
        CreateWindowExA(WS_EX_DLGMODALFRAME, "BenchmarkForm", "Add words To translation File", style, 0, 0,
                        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
    for (const Control& control : form) {
        DWORD exStyle = std::strcmp(control.className, "EDIT") == 0 ? WS_EX_CLIENTEDGE : 0;
        HWND child = CreateWindowExA(exStyle, control.className, control.text, control.style | WS_CHILD | WS_VISIBLE,
                                     control.x, control.y, control.width, control.height, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), nullptr, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, SW_SHOW);
    testui::pumpUntilIdle();
    return window;
}

// On a screen of state.range(0) DPI (96 is 100 %, 144 is 150 %, 192 is 200 %).
void installScaledHeadless(const benchmark::State& state) {
    display::installHeadless({0, 0, 1024, 768}, {0, 0, 1024, 738}, display::Scale{static_cast<int>(state.range(0))});
}

void BM_RepaintEditorSizedForm(benchmark::State& state) {
    installScaledHeadless(state);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HWND window = buildForm(font);
    buttonsDrawn = 0;
    for (auto _ : state) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        testui::pumpUntilIdle();
    }
    state.counters["buttons drawn per repaint"] =
        static_cast<double>(buttonsDrawn) / static_cast<double>(state.iterations());
    DestroyWindow(window);
    DeleteObject(font);
}
BENCHMARK(BM_RepaintEditorSizedForm)->Unit(benchmark::kMicrosecond)->Arg(96)->Arg(144)->Arg(192);

// A field of the form holding a paste of 30,000 characters (the field's limit), once
// pasted and drawn; then cursor moves over that text, each one drawn.
HWND fieldWithFont(HFONT font) {
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_POPUP | WS_VISIBLE | WS_BORDER, 8, 123, 415, 20,
                                nullptr, nullptr, nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetFocus(edit);
    testui::pumpUntilIdle();
    return edit;
}

const std::string& pastedText() {
    static const std::string text = [] {
        std::string made;
        while (made.size() < 30000) made += "the quick brown fox jumps over the lazy dog ";
        made.resize(30000);
        return made;
    }();
    return text;
}

// Typing a 200-character text into a field of the form, each character drawn and shown.
void BM_Type200CharactersIntoAField(benchmark::State& state) {
    installScaledHeadless(state);
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HWND edit = fieldWithFont(font);
    const std::string text = pastedText().substr(0, 200);
    for (auto _ : state) {
        state.PauseTiming();
        SetWindowTextA(edit, "");
        testui::pumpUntilIdle();
        state.ResumeTiming();
        for (char c : text) {
            testui::headless().type(std::string(1, c));
            testui::pumpUntilIdle();
        }
    }
    state.counters["characters"] = static_cast<double>(GetWindowTextLengthA(edit));
    DestroyWindow(edit);
    DeleteObject(font);
}
BENCHMARK(BM_Type200CharactersIntoAField)->Unit(benchmark::kMillisecond)->Arg(96)->Arg(144)->Arg(192);

void BM_EditPasteOf30000Characters(benchmark::State& state) {
    display::installHeadless();
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HWND edit = fieldWithFont(font);
    testui::headless().setClipboardText(pastedText());
    for (auto _ : state) {
        state.PauseTiming();
        SetWindowTextA(edit, "");
        testui::pumpUntilIdle();
        state.ResumeTiming();
        SendMessageA(edit, WM_PASTE, 0, 0);
        testui::pumpUntilIdle();
    }
    state.counters["characters"] = static_cast<double>(GetWindowTextLengthA(edit));
    DestroyWindow(edit);
    DeleteObject(font);
}
BENCHMARK(BM_EditPasteOf30000Characters)->Unit(benchmark::kMillisecond);

void BM_Edit1000CursorMovesOver30000Characters(benchmark::State& state) {
    display::installHeadless();
    HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    HWND edit = fieldWithFont(font);
    testui::headless().setClipboardText(pastedText());
    SendMessageA(edit, WM_PASTE, 0, 0);
    testui::pumpUntilIdle();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            SendMessageA(edit, WM_KEYDOWN, i < 500 ? VK_LEFT : VK_RIGHT, 0);
            UpdateWindow(edit);
        }
    }
    DestroyWindow(edit);
    DeleteObject(font);
}
BENCHMARK(BM_Edit1000CursorMovesOver30000Characters)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
