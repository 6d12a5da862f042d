// Window words: the procedure (subclassing), styles, id, user data, owner, and the
// class's extra bytes at non-negative offsets.
#include "user/windows/window_internal.h"

#include <cstring>

namespace user {

namespace {

constexpr DWORD errorInvalidIndex = 1413;

bool extraRange(Window* w, int index, size_t size) {
    if (index < 0 || static_cast<size_t>(index) + size > w->extraBytes.size()) {
        SetLastError(errorInvalidIndex);
        return false;
    }
    return true;
}

LONG_PTR getWord(HWND hWnd, int index, size_t size) {
    Window* w = fromHandle(hWnd);
    if (!w) {
        SetLastError(1400);
        return 0;
    }
    if (index >= 0) {
        if (!extraRange(w, index, size)) return 0;
        if (size == sizeof(LONG)) {
            LONG v;
            std::memcpy(&v, &w->extraBytes[static_cast<size_t>(index)], sizeof v);
            return v;
        }
        LONG_PTR v;
        std::memcpy(&v, &w->extraBytes[static_cast<size_t>(index)], sizeof v);
        return v;
    }
    switch (index) {
    case GWLP_WNDPROC: return reinterpret_cast<LONG_PTR>(w->procedure);
    case GWLP_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->handle : w->owner);
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWLP_ID: return w->id;
    case GWLP_USERDATA: return w->userData;
    default: SetLastError(errorInvalidIndex); return 0;
    }
}

LONG_PTR setWord(HWND hWnd, int index, LONG_PTR value, size_t size) {
    Window* w = fromHandle(hWnd);
    if (!w) {
        SetLastError(1400);
        return 0;
    }
    LONG_PTR old = getWord(hWnd, index, size);
    if (index >= 0) {
        if (!extraRange(w, index, size)) return 0;
        if (size == sizeof(LONG)) {
            LONG v = static_cast<LONG>(value);
            std::memcpy(&w->extraBytes[static_cast<size_t>(index)], &v, sizeof v);
        } else {
            std::memcpy(&w->extraBytes[static_cast<size_t>(index)], &value, sizeof value);
        }
        return old;
    }
    switch (index) {
    case GWLP_WNDPROC: w->procedure = reinterpret_cast<WNDPROC>(value); break;
    case GWLP_HINSTANCE: w->instance = reinterpret_cast<HINSTANCE>(value); break;
    case GWLP_HWNDPARENT:
        // Only the owner of a top-level window can change this way.
        if (!w->parent) w->owner = reinterpret_cast<HWND>(value);
        break;
    case GWL_STYLE:
        w->style = static_cast<DWORD>(value);
        w->frameNeeded = true;
        break;
    case GWL_EXSTYLE:
        w->exStyle = static_cast<DWORD>(value);
        w->frameNeeded = true;
        break;
    case GWLP_ID: w->id = value; break;
    case GWLP_USERDATA: w->userData = value; break;
    default: SetLastError(errorInvalidIndex); return 0;
    }
    return old;
}

}  // namespace

}  // namespace user

LONG WINAPI GetWindowLongA(HWND hWnd, int nIndex) {
    return static_cast<LONG>(user::getWord(hWnd, nIndex, sizeof(LONG)));
}

LONG WINAPI SetWindowLongA(HWND hWnd, int nIndex, LONG dwNewLong) {
    // A procedure stored through the 32-bit call keeps the sign-extended value it was given.
    return static_cast<LONG>(user::setWord(hWnd, nIndex, dwNewLong, sizeof(LONG)));
}

LONG_PTR WINAPI GetWindowLongPtrA(HWND hWnd, int nIndex) { return user::getWord(hWnd, nIndex, sizeof(LONG_PTR)); }

LONG_PTR WINAPI SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong) {
    return user::setWord(hWnd, nIndex, dwNewLong, sizeof(LONG_PTR));
}

LRESULT WINAPI CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (!lpPrevWndFunc) return 0;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}
