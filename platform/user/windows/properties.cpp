// Window properties: named handles attached to a window. Names compare without regard to
// case, as Win32's atoms do; an integer atom names a property by number.
#include "user/windows/window_internal.h"

#include <cctype>
#include <string>

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
