// MessageBoxA: a modal dialog of the dialog class, laid out from the text's size, with
// an icon, the text and a row of push buttons. The box is created with CreateWindowExA
// so that a thread's CBT hook sees it and may place it.
#include "user/dialogs/dialog_manager.h"
#include "user/dialogs/message_box_icons.h"

#include <algorithm>
#include <string>
#include <vector>

namespace user::dialogs {

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 75;  // 50 x 14 dialog units
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kCaptionAllowance = 48;  // close box and the caption's margins
constexpr int kTextId = 0xFFFF;

struct ButtonChoice {
    int id;
    const char* label;
};

std::vector<ButtonChoice> buttonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
        return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
        return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
        return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    default:
        return {{IDOK, "OK"}};
    }
}

// What the box answers to a command: its buttons answer with their ids; IDCANCEL
// (Escape, the close box) is IDOK for a box with only an OK button and nothing for
// boxes without a way to cancel.
int answerFor(const std::vector<ButtonChoice>& buttons, int command) {
    for (const ButtonChoice& button : buttons)
        if (button.id == command) return command;
    if (command == IDCANCEL && buttons.size() == 1) return buttons.front().id;
    return 0;
}

struct MessageBoxSetup {
    std::vector<ButtonChoice> buttons;
    size_t defaultButton = 0;
    MessageIcon icon = MessageIcon::None;
    POINT iconAt{};
    RECT textRect{};
    std::vector<RECT> buttonRects;
    SIZE client{};
};

SIZE measureText(HFONT font, const char* text, int maxWidth, const char* caption, int& captionWidth) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT rect{0, 0, maxWidth, 0};
    DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    SIZE captionSize{};
    GetTextExtentPoint32A(dc, caption, lstrlenA(caption), &captionSize);
    captionWidth = captionSize.cx;
    SelectObject(dc, previous);
    DeleteDC(dc);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Icon at the top left, the text beside it (centred on the icon when shorter), the
// buttons centred in a row below both.
void layOut(MessageBoxSetup& box, HFONT font, const char* text, const char* caption) {
    bool hasIcon = box.icon != MessageIcon::None;
    int textLeft = kMargin + (hasIcon ? kMessageIconSize + kMargin : 0);
    RECT screen{};
    screen.right = GetSystemMetrics(SM_CXSCREEN);
    int maxTextWidth = std::max(100, static_cast<int>(screen.right) * 5 / 8 - textLeft - kMargin);
    int captionWidth = 0;
    SIZE textSize = measureText(font, text, maxTextWidth, caption, captionWidth);

    int iconHeight = hasIcon ? kMessageIconSize : 0;
    int textTop = kMargin + std::max(0, (iconHeight - static_cast<int>(textSize.cy)) / 2);
    box.iconAt = POINT{kMargin, kMargin};
    box.textRect = RECT{textLeft, textTop, textLeft + textSize.cx, textTop + textSize.cy};

    int count = static_cast<int>(box.buttons.size());
    int rowWidth = count * kButtonWidth + (count - 1) * kButtonGap;
    int width = std::max(
        {static_cast<int>(box.textRect.right) + kMargin, rowWidth + 2 * kMargin, captionWidth + kCaptionAllowance});
    int rowTop = std::max(static_cast<int>(box.textRect.bottom), kMargin + iconHeight) + kMargin;
    int left = (width - rowWidth) / 2;
    for (int i = 0; i < count; ++i) {
        int x = left + i * (kButtonWidth + kButtonGap);
        box.buttonRects.push_back(RECT{x, rowTop, x + kButtonWidth, rowTop + kButtonHeight});
    }
    box.client = SIZE{width, rowTop + kButtonHeight + kMargin};
}

INT_PTR CALLBACK messageBoxProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* setup = reinterpret_cast<MessageBoxSetup*>(GetWindowLongPtrA(box, GWLP_USERDATA));
    if (!setup) return FALSE;
    switch (message) {
    case WM_INITDIALOG:
        // The default button takes the focus while the box is still hidden, as on Win32.
        setDialogFocus(box, GetDlgItem(box, setup->buttons[setup->defaultButton].id));
        return FALSE;
    case WM_COMMAND:
        if (int answer = answerFor(setup->buttons, LOWORD(wParam))) EndDialog(box, answer);
        return TRUE;
    case WM_PAINT: {
        if (setup->icon == MessageIcon::None) return FALSE;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(box, &paint);
        drawMessageIcon(dc, setup->iconAt.x, setup->iconAt.y, setup->icon);
        EndPaint(box, &paint);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

HWND createChild(HWND box, const char* windowClass, const char* text, DWORD style, const RECT& rect, int id,
                 HFONT font) {
    HWND child = CreateWindowExA(WS_EX_NOPARENTNOTIFY, windowClass, text, WS_CHILD | WS_VISIBLE | style, rect.left,
                                 rect.top, rect.right - rect.left, rect.bottom - rect.top, box,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (child) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

bool createContents(HWND box, const MessageBoxSetup& setup, const char* text, HFONT font) {
    if (!createChild(box, "Static", text, SS_LEFT | SS_NOPREFIX, setup.textRect, kTextId, font)) return false;
    for (size_t i = 0; i < setup.buttons.size(); ++i) {
        DWORD style =
            WS_TABSTOP | (i == 0 ? WS_GROUP : 0) | (i == setup.defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
        if (!createChild(box, "Button", setup.buttons[i].label, style, setup.buttonRects[i], setup.buttons[i].id, font))
            return false;
    }
    return true;
}

}  // namespace

}  // namespace user::dialogs

using namespace user::dialogs;

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const char* text = lpText ? lpText : "";
    const char* caption = lpCaption ? lpCaption : "Error";
    MessageBoxSetup setup;
    setup.buttons = buttonsFor(uType);
    setup.defaultButton = std::min<size_t>((uType & MB_DEFMASK) >> 8, setup.buttons.size() - 1);
    setup.icon = messageIconFor(uType);

    DialogFont font = createDialogFont(8, "MS Sans Serif");
    layOut(setup, font.font, text, caption);

    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    DWORD exStyle = WS_EX_DLGMODALFRAME;
    RECT frame{0, 0, setup.client.cx, setup.client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    HWND owner = ownerWindowFor(hWnd);
    HWND box = CreateWindowExA(exStyle, WC_DIALOG, caption, style, work.left + (work.right - work.left - width) / 2,
                               work.top + (work.bottom - work.top - height) / 2, width, height, owner, nullptr, nullptr,
                               nullptr);
    if (!box) {
        if (font.font) DeleteObject(font.font);
        return 0;
    }
    auto state = attachState(box, messageBoxProcedure);
    state->ownedFont = font.font;
    state->font = font.font;
    state->baseUnitX = font.baseUnitX;
    state->baseUnitY = font.baseUnitY;
    state->defaultId = static_cast<WORD>(setup.buttons[setup.defaultButton].id);
    SetWindowLongPtrA(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&setup));
    if (!createContents(box, setup, text, font.font)) {
        DestroyWindow(box);
        return 0;
    }
    MessageBeep(uType & MB_ICONMASK);
    return static_cast<int>(runModal(box, owner, 0, true));
}
