// Any sequence of keys, characters and selections sent to an edit field: its text is
// always what GetWindowTextA returns, of the length it reports, within the field's limit
// and, for a number field, digits only (when the test put no text in by WM_SETTEXT).
#include "display/headless/headless.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr WPARAM keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END, VK_DELETE, VK_BACK, VK_UP, VK_DOWN};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static bool ready = [] {
        display::installHeadless();
        return true;
    }();
    check(ready);
    if (size < 2) return 0;
    const bool numbersOnly = data[0] & 1;
    const bool autoScroll = data[0] & 2;
    const int limit = data[1] == 0 ? 0 : data[1];  // 0: the default limit
    DWORD style = WS_POPUP | WS_VISIBLE | WS_BORDER | (numbersOnly ? ES_NUMBER : 0) | (autoScroll ? ES_AUTOHSCROLL : 0);
    HWND edit = CreateWindowExA(0, "EDIT", "", style, 10, 10, 200, 24, nullptr, nullptr, nullptr, nullptr);
    check(edit != nullptr);
    SetFocus(edit);
    if (limit) SendMessageA(edit, EM_LIMITTEXT, WPARAM(limit), 0);

    bool textSetDirectly = false;
    for (size_t i = 2; i + 1 < size; i += 2) {
        const uint8_t operation = data[i] % 5;
        const uint8_t value = data[i + 1];
        switch (operation) {
        case 0:
        case 1:
            SendMessageA(edit, WM_CHAR, value, 1);
            // Ctrl+V pastes the clipboard unfiltered, as Win32's number fields do.
            textSetDirectly |= value == 0x16;
            break;
        case 2:
            SendMessageA(edit, WM_KEYDOWN, keys[value % 8], 1);
            SendMessageA(edit, WM_KEYUP, keys[value % 8], 1);
            break;
        case 3:
            SendMessageA(edit, EM_SETSEL, value % 40, (value / 4) % 60);
            break;
        default: {
            char text[5] = {char(value), char(value + 1), char(value ^ 0x55), 0, 0};
            SendMessageA(edit, WM_SETTEXT, 0, LPARAM(text));
            textSetDirectly = true;
        }
        }
        const int length = GetWindowTextLengthA(edit);
        check(length >= 0);
        std::vector<char> buffer(size_t(length) + 2, '\x7f');
        const int copied = GetWindowTextA(edit, buffer.data(), length + 1);
        check(copied == length && buffer[size_t(length)] == 0 && std::strlen(buffer.data()) == size_t(length));
        if (!textSetDirectly) {
            check(length <= (limit ? limit : 30000));
            if (numbersOnly)
                for (int c = 0; c < length; ++c) check(buffer[size_t(c)] >= '0' && buffer[size_t(c)] <= '9');
        }
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, WPARAM(&start), LPARAM(&end));
        check(start <= end && end <= DWORD(length));
    }
    DestroyWindow(edit);
    return 0;
}
