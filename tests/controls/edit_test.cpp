// Edit fields: notifications of WM_SETTEXT, typing, keyboard editing and undo, words, mouse
// selection, the clipboard, ES_NUMBER, the context menu, scrolling of long text, colours
// and the client edge. EN_SETFOCUS and EN_KILLFOCUS are checked in the dialogs' focus sequences.
#include "control_fixture.h"
#include "ui_driver.h"

#include <string>

namespace controls_test {
namespace {

constexpr int fieldWidth = 150;
constexpr int fieldHeight = 20;

class EditTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    }
    void TearDown() override {
        ControlTest::TearDown();
        DeleteObject(font);
    }

    HWND field(const char* text = "", DWORD style = 0, int id = 6) {
        HWND edit = make("EDIT", text, style | WS_BORDER, 20, 20, fieldWidth, fieldHeight, id, WS_EX_CLIENTEDGE);
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        testui::pumpUntilIdle();
        return edit;
    }

    // Client x of the middle of character `index` of `text` drawn in the field's font.
    int middleOf(HWND edit, const std::string& text, size_t index) {
        HDC dc = GetDC(edit);
        HGDIOBJ previous = SelectObject(dc, font);
        SIZE before{}, through{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(index), &before);
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(index + 1), &through);
        SelectObject(dc, previous);
        ReleaseDC(edit, dc);
        return 1 + (before.cx + through.cx) / 2;
    }

    static std::pair<DWORD, DWORD> selection(HWND edit) {
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    static void press(uint32_t key, uint32_t modifiers = 0) {
        testui::key(key, modifiers);
        testui::pumpUntilIdle();
    }
    static void type(const std::string& text) {
        testui::type(text);
        testui::pumpUntilIdle();
    }
    static void focus(HWND edit) {
        testui::click(edit);
        testui::pumpUntilIdle();
    }

    // Client columns of the field holding at least `rows` pixels of `colour`.
    static std::vector<int> columnsWith(HWND edit, COLORREF colour, int rows) {
        RECT client{};
        GetClientRect(edit, &client);
        Screen screen;
        std::vector<int> columns;
        for (int x = 0; x < client.right; ++x)
            if (screen.countLike(edit, RECT{x, 0, x + 1, client.bottom}, colour) >= rows) columns.push_back(x);
        return columns;
    }

    HFONT font = nullptr;
};

// The parent records notifications as they are sent: what the log holds right after
// SetWindowTextA arrived before it returned.
TEST_F(EditTest, SetTextNotifiesUpdateThenChangeBeforeReturningEvenWhenUnchanged) {
    HWND edit = field("before");
    std::vector<WORD> expected{EN_UPDATE, EN_CHANGE};
    for (int call = 0; call < 2; ++call) {
        clearLog();
        SetWindowTextA(edit, "after");
        EXPECT_EQ(commandsFrom(edit), expected) << "call " << call;
    }
    EXPECT_EQ(testui::windowText(edit), "after");
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{0, 0})) << "caret at the start";
    EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), FALSE);
}

TEST_F(EditTest, TypingAndKeyboardEditing) {
    HWND edit = field();
    focus(edit);
    clearLog();
    type("hello");
    EXPECT_EQ(testui::windowText(edit), "hello");
    std::vector<WORD> perCharacter;
    for (int i = 0; i < 5; ++i) {
        perCharacter.push_back(EN_UPDATE);
        perCharacter.push_back(EN_CHANGE);
    }
    EXPECT_EQ(commandsFrom(edit), perCharacter);
    EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), TRUE);

    // Keys, then what was typed after them, and the text and selection they leave.
    struct Step {
        std::vector<std::pair<uint32_t, uint32_t>> keys;
        const char* typed;
        const char* text;
        std::pair<DWORD, DWORD> selected;
    };
    const uint32_t shift = display::ModShift;
    const Step steps[] = {
        {{{VK_HOME, 0}, {VK_DELETE, 0}}, "", "ello", {0, 0}},
        {{{VK_END, 0}, {VK_BACK, 0}}, "", "ell", {3, 3}},
        {{{VK_LEFT, 0}}, "X", "elXl", {3, 3}},
        {{{VK_HOME, 0}, {VK_RIGHT, shift}, {VK_RIGHT, shift}}, "", "elXl", {0, 2}},
        {{}, "Z", "ZXl", {1, 1}},
        {{{VK_END, shift}}, "", "ZXl", {1, 3}},
        {{{VK_DELETE, 0}}, "", "Z", {1, 1}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.text);
        for (auto [key, modifiers] : step.keys) press(key, modifiers);
        type(step.typed);
        EXPECT_EQ(testui::windowText(edit), step.text);
        EXPECT_EQ(selection(edit), step.selected);
    }

    // Tab, Enter and Escape are not text; like every character the field handles, they
    // are answered with 1.
    for (WPARAM typed : {WPARAM('\t'), WPARAM('\r'), WPARAM(27)})
        EXPECT_EQ(SendMessageA(edit, WM_CHAR, typed, 0), 1) << typed;
    EXPECT_EQ(testui::windowText(edit), "Z");

    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(testui::windowText(edit), "ZXl") << "undo puts back what the last edit removed";
    for (WPARAM typed : {WPARAM(1), WPARAM(VK_BACK), WPARAM('q')})
        EXPECT_EQ(SendMessageA(edit, WM_CHAR, typed, 0), 1) << typed;
    EXPECT_EQ(testui::windowText(edit), "q");

    // Typing is undone a run at a time and undoing the undo redoes it; moving the caret
    // ends a run. Deleting at either edge changes nothing.
    SetWindowTextA(edit, "start");
    press(VK_END);
    type(" more");
    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(testui::windowText(edit), "start");
    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(testui::windowText(edit), "start more");
    press(VK_HOME);
    type("a");
    press(VK_END);
    type("b");
    SendMessageA(edit, WM_UNDO, 0, 0);
    EXPECT_EQ(testui::windowText(edit), "astart more");
    press(VK_HOME);
    press(VK_BACK);
    press(VK_END);
    press(VK_DELETE);
    EXPECT_EQ(testui::windowText(edit), "astart more");
}

// Words as the keys and double clicks find them: a run of blanks belongs to the word
// before it, and between words the blanks themselves are what a double click selects.
TEST_F(EditTest, WordMovementSelectAllAndDoubleClickOnAWord) {
    std::string text = "one  two three";
    HWND edit = field(text.c_str());
    focus(edit);
    const uint32_t ctrl = display::ModControl, shift = display::ModShift;
    struct Key {
        uint32_t key, modifiers;
        std::pair<DWORD, DWORD> selected;
    };
    const Key keys[] = {{VK_HOME, 0, {0, 0}},  {VK_RIGHT, ctrl, {5, 5}}, {VK_RIGHT, ctrl | shift, {5, 9}},
                        {VK_END, 0, {14, 14}}, {VK_LEFT, ctrl, {9, 9}},  {VK_LEFT, ctrl, {5, 5}},
                        {VK_RIGHT, 0, {6, 6}}, {VK_LEFT, ctrl, {5, 5}},  {'A', ctrl, {0, 14}}};
    for (const Key& key : keys) {
        press(key.key, key.modifiers);
        EXPECT_EQ(selection(edit), key.selected) << key.key << " " << key.modifiers;
    }
    // Double clicks on "two", on the blanks before it and past the text's end.
    const std::pair<int, std::pair<DWORD, DWORD>> words[] = {
        {middleOf(edit, text, 6), {5, 8}}, {middleOf(edit, text, 3), {3, 5}}, {fieldWidth - 20, {9, 14}}};
    for (auto [x, selected] : words) {
        POINT at = screenPoint(edit, x, fieldHeight / 2 - 2);
        testui::headless().advanceClock(2000);
        testui::headless().click(at.x, at.y);
        testui::headless().advanceClock(50);
        testui::headless().click(at.x, at.y);
        testui::pumpUntilIdle();
        EXPECT_EQ(selection(edit), selected) << x;
    }
}

TEST_F(EditTest, ClickPlacesTheCaretDragSelectsAndShiftClickExtends) {
    std::string text = "abcdefghij";
    HWND edit = field(text.c_str());
    POINT atC = screenPoint(edit, middleOf(edit, text, 2) - 1, fieldHeight / 2 - 2);
    testui::headless().click(atC.x, atC.y);
    testui::pumpUntilIdle();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(testui::headless().cursor(), display::Cursor::IBeam) << "the text cursor over it";
    auto [caret, same] = selection(edit);
    EXPECT_EQ(caret, same);
    EXPECT_TRUE(caret == 2 || caret == 3) << caret;

    POINT atH = screenPoint(edit, middleOf(edit, text, 7), fieldHeight / 2 - 2);
    testui::headless().advanceClock(2000);  // a new press, not the second of a double click
    testui::headless().mouseMove(atC.x, atC.y);
    testui::headless().mouseDown(atC.x, atC.y);
    testui::headless().mouseMove(atH.x, atH.y);
    testui::headless().mouseUp(atH.x, atH.y);
    testui::pumpUntilIdle();
    auto [start, end] = selection(edit);
    EXPECT_EQ(start, caret);
    EXPECT_TRUE(end == 7 || end == 8) << end;
    // The desktop offers what the mouse selected to other programs.
    EXPECT_EQ(testui::headless().selectionText(), text.substr(start, end - start));

    press(VK_HOME);
    POINT atE = screenPoint(edit, middleOf(edit, text, 4), fieldHeight / 2 - 2);
    testui::headless().advanceClock(2000);
    testui::headless().keyDown(VK_SHIFT, display::ModShift);
    testui::headless().click(atE.x, atE.y);
    testui::headless().keyUp(VK_SHIFT);
    testui::pumpUntilIdle();
    auto [from, to] = selection(edit);
    EXPECT_EQ(from, 0u) << "the anchor stays where the caret was";
    EXPECT_TRUE(to == 4 || to == 5) << to;
}

TEST_F(EditTest, CutCopyAndPasteGoThroughTheClipboard) {
    HWND edit = field("alpha beta");
    focus(edit);
    SendMessageA(edit, EM_SETSEL, 6, 10);
    press('C', display::ModControl);
    EXPECT_EQ(testui::headless().clipboardText(), "beta");
    EXPECT_EQ(testui::windowText(edit), "alpha beta");

    SendMessageA(edit, EM_SETSEL, 0, 6);
    press('X', display::ModControl);
    EXPECT_EQ(testui::headless().clipboardText(), "alpha ");
    EXPECT_EQ(testui::windowText(edit), "beta");

    press(VK_END);
    press('V', display::ModControl);
    EXPECT_EQ(testui::windowText(edit), "betaalpha ");

    // A single-line field takes a multi-line clipboard text up to its first line break.
    testui::headless().setClipboardText("one\r\ntwo");
    SendMessageA(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(testui::windowText(edit), "betaalpha one");
    SendMessageA(edit, EM_SETSEL, 0, 4);
    SendMessageA(edit, WM_CLEAR, 0, 0);
    EXPECT_EQ(testui::windowText(edit), "alpha one");
}

TEST_F(EditTest, NumberFieldRefusesOtherCharacters) {
    HWND edit = field("", ES_NUMBER);
    focus(edit);
    clearLog();
    type("12a3.-4");
    EXPECT_EQ(testui::windowText(edit), "1234");
    EXPECT_EQ(commandsFrom(edit).size(), 8u) << "refused characters change nothing";
}

// The text and the caret start one pixel inside the sunken edge that takes the place of
// the border, with no margin for the bitmap dialog font.
TEST_F(EditTest, TextStartsAfterTheFrame) {
    answerColour(WM_CTLCOLOREDIT, RGB(255, 255, 255), RGB(0, 0, 0));
    HWND edit = field();
    focus(edit);
    EXPECT_EQ(columnsWith(edit, RGB(0, 0, 0), 8), std::vector<int>{1});
    EXPECT_EQ(GetWindowLongA(edit, GWL_STYLE) & WS_BORDER, 0);
    RECT client{};
    GetClientRect(edit, &client);
    EXPECT_EQ(client.right, fieldWidth - 4) << "the edge on each side";
}

// The items of the popup menu on top, as text bands from top to bottom: 'E' for an item
// in the menu text colour, 'g' for a grey one; and the screen row of each band's middle.
struct MenuBand {
    char look;
    int y;
};
std::vector<MenuBand> menuOnTop(RECT& where) {
    const display::HeadlessBackend& screen = testui::headless();
    const auto* menu = screen.surface(screen.surfaceOrder().back());
    where = RECT{menu->rect.left, menu->rect.top, menu->rect.right, menu->rect.bottom};
    const display::Pixels& pixels = menu->pixels;
    std::vector<MenuBand> bands;
    int bandTop = -1;
    bool black = false;
    for (int y = 3; y <= pixels.height - 3; ++y) {
        bool ink = false;
        for (int x = 4; y < pixels.height - 3 && x < pixels.width - 4; ++x) {
            uint32_t p = pixels.at(x, y) & 0xFFFFFF;
            black = black || p == 0;
            ink = ink || p == 0 || p == 0x808080;
        }
        if (ink && bandTop < 0) bandTop = y;
        if (!ink && bandTop >= 0) {
            if (y - bandTop >= 4)  // separators are one grey and one white row
                bands.push_back({black ? 'E' : 'g', where.top + (bandTop + y) / 2});
            bandTop = -1;
            black = false;
        }
    }
    return bands;
}

std::string looksOf(const std::vector<MenuBand>& bands) {
    std::string looks;
    for (const MenuBand& band : bands) looks += band.look;
    return looks;
}

// Undo, Cut, Copy, Paste, Delete and Select All, enabled as on Win32; opened by the right
// button, Shift+F10 or the menu key; chosen by letter or click; Escape closes it.
TEST_F(EditTest, ContextMenuHasTheEditCommandsEnabledAsOnWin32) {
    display::HeadlessBackend& screen = testui::headless();
    HWND edit = field("hello world");
    focus(edit);
    SendMessageA(edit, EM_SETSEL, 0, 5);
    screen.setClipboardText("");
    RECT where{};
    std::string seen;
    screen.addStep([&] {
        seen = looksOf(menuOnTop(where));
        testui::type("p");  // grey: nothing happens
    });
    screen.addStep([&] {
        seen += "," + looksOf(menuOnTop(where));
        testui::type("t");
    });
    testui::key(VK_F10, display::ModShift);
    testui::pumpUntilIdle();
    EXPECT_EQ(seen, "gEEgEE,gEEgEE") << "Undo, Cut, Copy, Paste, Delete, Select All";
    EXPECT_EQ(testui::windowText(edit), " world");
    EXPECT_EQ(screen.clipboardText(), "hello");

    SendMessageA(edit, EM_SETSEL, 0, -1);
    screen.addStep([&] {
        seen = looksOf(menuOnTop(where));
        testui::key(VK_ESCAPE);
    });
    testui::key(VK_APPS);
    testui::pumpUntilIdle();
    EXPECT_EQ(seen, "EEEEEg") << "all selected: nothing more to select";
    EXPECT_EQ(screen.surfaceOrder().size(), 1u) << "closed";

    SetWindowTextA(edit, "");
    type("a");
    press(VK_BACK);
    std::vector<MenuBand> bands;
    screen.addStep([&] {
        bands = menuOnTop(where);
        ASSERT_EQ(bands.size(), 6u);
        screen.click((where.left + where.right) / 2, bands[3].y);  // Paste
    });
    POINT inside = testui::centreOf(edit);
    screen.click(inside.x, inside.y, display::MouseButton::Right);
    testui::pumpUntilIdle();
    EXPECT_EQ(looksOf(bands), "EggEgg");
    EXPECT_EQ(where.left, inside.x) << "the menu opens at the pointer";
    EXPECT_EQ(testui::windowText(edit), "hello");
}

TEST_F(EditTest, LongTextScrollsSoTheCaretStaysVisible) {
    answerColour(WM_CTLCOLOREDIT, RGB(255, 255, 255), RGB(0, 0, 0));
    HWND edit = field();
    focus(edit);
    // Blanks draw nothing: the only dark column is the caret.
    type(std::string(80, ' '));
    RECT client{};
    GetClientRect(edit, &client);
    std::vector<int> caret = columnsWith(edit, RGB(0, 0, 0), 8);
    ASSERT_EQ(caret.size(), 1u) << "the caret is on screen";
    EXPECT_GE(caret[0], client.right - 3);
    press(VK_HOME);
    caret = columnsWith(edit, RGB(0, 0, 0), 8);
    ASSERT_EQ(caret.size(), 1u);
    EXPECT_LE(caret[0], 2);

    press(VK_END);
    press(VK_LEFT, display::ModShift);
    EXPECT_EQ(selection(edit), (std::pair<DWORD, DWORD>{79, 80}));
    // The last character, selected, shows in the highlight colour at the right end.
    std::vector<int> highlighted = columnsWith(edit, GetSysColor(COLOR_HIGHLIGHT), 8);
    ASSERT_FALSE(highlighted.empty());
    EXPECT_GE(highlighted.back(), client.right - 4);
}

TEST_F(EditTest, PaintsWithTheParentsEditColoursAndHighlightsTheSelection) {
    answerColour(WM_CTLCOLOREDIT, RGB(255, 255, 200), RGB(0, 0, 0));
    HWND edit = field("WWWW");
    EXPECT_GT(count(WM_CTLCOLOREDIT), 0);
    EXPECT_EQ(pixel(edit, fieldWidth - 10, 3), RGB(255, 255, 200));
    focus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    testui::pumpUntilIdle();
    EXPECT_FALSE(columnsWith(edit, GetSysColor(COLOR_HIGHLIGHT), 8).empty());
    // The caret at the selection's start inverts the highlight under it.
    SetWindowTextA(edit, "  WW");
    SendMessageA(edit, EM_SETSEL, 4, 0);
    testui::pumpUntilIdle();
    EXPECT_EQ(columnsWith(edit, GetSysColor(COLOR_HIGHLIGHT) ^ 0xFFFFFF, 13), std::vector<int>{1});
}

}  // namespace
}  // namespace controls_test
