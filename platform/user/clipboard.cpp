// The clipboard: text only (CF_TEXT, Windows-1252), kept by the display so that other
// programs see it. Data handed to or from the clipboard is global memory that the
// clipboard owns until it is replaced or emptied, as on Win32.
#include "user/control_support.h"
#include "user/window_internal.h"

#include <cstring>
#include <string>

namespace user {

namespace {

struct Clipboard {
    bool open = false;
    HGLOBAL given = nullptr;    // the last SetClipboardData handle, owned by the clipboard
    HGLOBAL handedOut = nullptr;  // the last GetClipboardData answer, owned likewise
};

Clipboard& clipboard() {
    static Clipboard c;
    return c;
}

void release(HGLOBAL& handle) {
    if (handle) GlobalFree(handle);
    handle = nullptr;
}

std::string textOf(HGLOBAL handle) {
    const char* bytes = static_cast<const char*>(GlobalLock(handle));
    if (!bytes) return {};
    size_t size = GlobalSize(handle);
    std::string text(bytes, strnlen(bytes, size));
    GlobalUnlock(handle);
    return text;
}

}  // namespace

}  // namespace user

void user::controls::offerMouseSelection(const std::string& text) {
    if (!text.empty() && display::hasBackend()) display::backend().setSelectionText(text);
}

BOOL WINAPI OpenClipboard(HWND) {
    if (user::clipboard().open) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    user::clipboard().open = true;
    return TRUE;
}

BOOL WINAPI CloseClipboard(void) {
    if (!user::clipboard().open) return FALSE;
    user::clipboard().open = false;
    return TRUE;
}

BOOL WINAPI EmptyClipboard(void) {
    if (!user::clipboard().open) return FALSE;
    user::release(user::clipboard().given);
    user::release(user::clipboard().handedOut);
    display::backend().setClipboardText("");
    return TRUE;
}

HANDLE WINAPI SetClipboardData(UINT uFormat, HANDLE hMem) {
    if (!user::clipboard().open || uFormat != CF_TEXT || !hMem) return nullptr;
    display::backend().setClipboardText(user::textOf(hMem));
    if (user::clipboard().given != hMem) user::release(user::clipboard().given);
    user::clipboard().given = hMem;
    return hMem;
}

HANDLE WINAPI GetClipboardData(UINT uFormat) {
    if (!user::clipboard().open || uFormat != CF_TEXT) return nullptr;
    std::string text = display::backend().clipboardText();
    if (text.empty()) return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!copy) return nullptr;
    char* bytes = static_cast<char*>(GlobalLock(copy));
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(copy);
    user::release(user::clipboard().handedOut);
    user::clipboard().handedOut = copy;
    return copy;
}

BOOL WINAPI IsClipboardFormatAvailable(UINT format) {
    return format == CF_TEXT && !display::backend().clipboardText().empty();
}
