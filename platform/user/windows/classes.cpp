// Window classes: registration by name, lookup by name or atom, the predefined classes
// that the layer registers under fixed atoms.
#include "user/windows/system_classes.h"
#include "user/windows/window_manager.h"

#include <strings.h>
#include <cstring>

namespace user {

namespace {

std::vector<std::unique_ptr<WindowClass>>& classes() { return WindowManager::the().classes.all; }

ATOM& nextAtom() { return WindowManager::the().classes.nextAtom; }

WindowClass* findByName(const char* name) {
    for (auto& c : classes())
        if (strcasecmp(c->name.c_str(), name) == 0) return c.get();
    return nullptr;
}

WindowClass* findByAtom(ATOM atom) {
    for (auto& c : classes())
        if (c->atom == atom) return c.get();
    return nullptr;
}

ATOM addClass(const WNDCLASSEXA& wc, ATOM atom) {
    if (!wc.lpszClassName || IS_INTRESOURCE(wc.lpszClassName) || !wc.lpfnWndProc) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (findByName(wc.lpszClassName) || findByAtom(atom)) {
        SetLastError(1410);  // ERROR_CLASS_ALREADY_EXISTS
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = wc.lpszClassName;
    c->atom = atom;
    c->style = wc.style;
    c->procedure = wc.lpfnWndProc;
    c->classExtra = wc.cbClsExtra;
    c->windowExtra = wc.cbWndExtra < 0 ? 0 : wc.cbWndExtra;
    c->instance = wc.hInstance;
    c->icon = wc.hIcon;
    c->smallIcon = wc.hIconSm;
    c->cursor = wc.hCursor;
    c->background = wc.hbrBackground;
    if (wc.lpszMenuName && !IS_INTRESOURCE(wc.lpszMenuName)) c->menuName = wc.lpszMenuName;
    classes().push_back(std::move(c));
    return atom;
}

}  // namespace

void registerSystemClasses() {
    bool& registered = WindowManager::the().classes.systemClassesRegistered;
    if (registered) return;
    registered = true;
    registerDialogClass();
    registerButtonClass();
    registerStaticClass();
    registerEditClass();
    registerMenuClass();
}

void ensureSystemClasses() { registerSystemClasses(); }

WindowClass* findClass(LPCSTR nameOrAtom, HINSTANCE) {
    ensureSystemClasses();
    if (!nameOrAtom) return nullptr;
    if (IS_INTRESOURCE(nameOrAtom)) return findByAtom(static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom)));
    return findByName(nameOrAtom);
}

ATOM registerClassWithAtom(const WNDCLASSEXA& windowClass, ATOM atom) { return addClass(windowClass, atom); }

}  // namespace user

using user::WindowClass;

ATOM WINAPI RegisterClassExA(const WNDCLASSEXA* lpwcx) {
    user::ensureSystemClasses();
    if (!lpwcx) return 0;
    ATOM atom = user::addClass(*lpwcx, user::nextAtom());
    if (atom) ++user::nextAtom();
    return atom;
}

BOOL WINAPI GetClassInfoExA(HINSTANCE hinst, LPCSTR lpszClass, LPWNDCLASSEXA lpwcx) {
    WindowClass* c = user::findClass(lpszClass, hinst);
    if (!c || !lpwcx) {
        SetLastError(1411);  // ERROR_CLASS_DOES_NOT_EXIST
        return FALSE;
    }
    lpwcx->style = c->style;
    lpwcx->lpfnWndProc = c->procedure;
    lpwcx->cbClsExtra = c->classExtra;
    lpwcx->cbWndExtra = c->windowExtra;
    lpwcx->hInstance = c->instance;
    lpwcx->hIcon = c->icon;
    lpwcx->hIconSm = c->smallIcon;
    lpwcx->hCursor = c->cursor;
    lpwcx->hbrBackground = c->background;
    lpwcx->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
    lpwcx->lpszClassName = c->name.c_str();
    // Win32 answers with the atom in the return value; callers test it as a BOOL.
    return c->atom;
}
