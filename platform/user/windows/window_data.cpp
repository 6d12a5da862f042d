// What a window carries: its words (the procedure, for subclassing; styles, id, user
// data, owner, and the class's extra bytes at non-negative offsets), its text, its
// properties and its class's name.
#include "user/windows/window_internal.h"

#include <cctype>
#include <cstring>
#include <string>

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
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->procedure);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->parent ? w->parent->handle : w->owner);
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    case GWLP_ID:
        return w->id;
    case GWLP_USERDATA:
        return w->userData;
    default:
        SetLastError(errorInvalidIndex);
        return 0;
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
    case GWLP_WNDPROC:
        w->procedure = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        w->instance = reinterpret_cast<HINSTANCE>(value);
        break;
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
    case GWLP_ID:
        w->id = value;
        break;
    case GWLP_USERDATA:
        w->userData = value;
        break;
    default:
        SetLastError(errorInvalidIndex);
        return 0;
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

// Texts go through their messages, so that a window class keeping its own text (or a
// subclass watching it change) sees every read and write.

int WINAPI GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount) {
    if (!lpString || nMaxCount <= 0) return 0;
    lpString[0] = '\0';
    if (!IsWindow(hWnd)) return 0;
    return static_cast<int>(
        SendMessageA(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthA(HWND hWnd) {
    if (!IsWindow(hWnd)) return 0;
    return static_cast<int>(SendMessageA(hWnd, WM_GETTEXTLENGTH, 0, 0));
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (!IsWindow(hWnd)) return FALSE;
    return static_cast<BOOL>(SendMessageA(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)));
}

// Properties: named handles attached to a window. Names compare without regard to case,
// as Win32's atoms do; an integer atom names a property by number.
namespace user {

namespace {

std::string key(LPCSTR name) {
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<ULONG_PTR>(name));
    std::string k(name);
    for (char& c : k) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return k;
}

}  // namespace

}  // namespace user

BOOL WINAPI SetPropA(HWND hWnd, LPCSTR lpString, HANDLE hData) {
    user::Window* w = user::fromHandle(hWnd);
    if (!w || !lpString) return FALSE;
    std::string k = user::key(lpString);
    for (auto& p : w->properties)
        if (p.first == k) {
            p.second = hData;
            return TRUE;
        }
    w->properties.emplace_back(k, hData);
    return TRUE;
}

HANDLE WINAPI GetPropA(HWND hWnd, LPCSTR lpString) {
    user::Window* w = user::fromHandle(hWnd);
    if (!w || !lpString) return nullptr;
    std::string k = user::key(lpString);
    for (auto& p : w->properties)
        if (p.first == k) return p.second;
    return nullptr;
}

HANDLE WINAPI RemovePropA(HWND hWnd, LPCSTR lpString) {
    user::Window* w = user::fromHandle(hWnd);
    if (!w || !lpString) return nullptr;
    std::string k = user::key(lpString);
    for (auto it = w->properties.begin(); it != w->properties.end(); ++it)
        if (it->first == k) {
            HANDLE data = it->second;
            w->properties.erase(it);
            return data;
        }
    return nullptr;
}

int WINAPI GetClassNameA(HWND hWnd, LPSTR lpClassName, int nMaxCount) {
    user::Window* w = user::fromHandle(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0) return 0;
    int n = static_cast<int>(w->windowClass->name.size());
    if (n > nMaxCount - 1) n = nMaxCount - 1;
    std::memcpy(lpClassName, w->windowClass->name.data(), static_cast<size_t>(n));
    lpClassName[n] = '\0';
    return n;
}
