// Cursors: the system's shared cursors as fixed handles, shown through the display.
#include "user/windows/window_manager.h"

namespace user {

namespace {

// Shared handles: each standard cursor has one, the same on every load.
struct SystemCursor {
    ULONG_PTR id;
    display::Cursor shape;
};
constexpr SystemCursor systemCursors[] = {
    {32512, display::Cursor::Arrow},  // IDC_ARROW
    {32513, display::Cursor::IBeam},  // IDC_IBEAM
    {32514, display::Cursor::Arrow},  // IDC_WAIT
    {32646, display::Cursor::Arrow},  // IDC_SIZEALL
    {32649, display::Cursor::Arrow},  // IDC_HAND
};

HCURSOR handleFor(const SystemCursor& c) { return reinterpret_cast<HCURSOR>(const_cast<SystemCursor*>(&c)); }

HCURSOR& current() { return WindowManager::the().cursor; }

}  // namespace

HCURSOR arrowCursor() { return handleFor(systemCursors[0]); }

}  // namespace user

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    if (hInstance || !IS_INTRESOURCE(lpCursorName)) return nullptr;  // the program has no cursor resources
    auto id = reinterpret_cast<ULONG_PTR>(lpCursorName);
    for (const auto& c : user::systemCursors)
        if (c.id == id) return user::handleFor(c);
    return nullptr;
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    HCURSOR old = user::current();
    user::current() = hCursor;
    for (const auto& c : user::systemCursors)
        if (user::handleFor(c) == hCursor && display::hasBackend()) display::backend().setCursor(c.shape);
    return old;
}
