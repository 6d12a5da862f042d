// Classes, creation and destruction, hooks, window words, properties, texts and the window
// tree. Subclassing is what the message recorder does to the dialogs' edit fields; client
// and screen coordinates are what every click and pixel of the control tests go through.
#include "message_recorder.h"

#include "user/windows/window_manager.h"

#include <string>

using namespace testmsg;

namespace {

LRESULT CALLBACK plainProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcA(w, m, wp, lp); }

const char* registerPlain(const char* name, WNDPROC procedure = plainProcedure) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.cbWndExtra = 8;
    wc.lpszClassName = name;
    return RegisterClassExA(&wc) ? name : nullptr;
}

RECT windowRect(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return r;
}

}  // namespace

class Classes : public WindowTest {};

// The form's class is made from the dialog class's, looked up by its atom, under a name
// of its own.
TEST_F(Classes, RegisteredClassesAreFoundByNameAndTheDialogClassByItsAtom) {
    ASSERT_NE(registerPlain("ClassUnderTest"), nullptr);
    WNDCLASSEXA found{};
    ASSERT_TRUE(GetClassInfoExA(nullptr, "ClassUnderTest", &found));
    EXPECT_EQ(found.lpfnWndProc, plainProcedure);
    EXPECT_EQ(found.cbWndExtra, 8);
    ASSERT_TRUE(GetClassInfoExA(nullptr, WC_DIALOG, &found));
    EXPECT_EQ(found.cbWndExtra, DLGWINDOWEXTRA);

    HWND w = topLevel(0, 0, 10, 10, WS_POPUP, "", 0, "ClassUnderTest");
    char name[20];
    EXPECT_EQ(GetClassNameA(w, name, sizeof name), 14);
    EXPECT_STREQ(name, "ClassUnderTest");
}

class Creation : public WindowTest {};

namespace {
HHOOK hookHandle = nullptr;
std::vector<int> hookCodes;
LRESULT CALLBACK movingHook(int code, WPARAM wParam, LPARAM lParam) {
    hookCodes.push_back(code);
    if (code == HCBT_CREATEWND) {
        auto* cbt = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (cbt->lpcs->style & WS_POPUP) {
            cbt->lpcs->x = 77;
            cbt->lpcs->y = 88;
        }
    }
    return CallNextHookEx(hookHandle, code, wParam, lParam);
}
}  // namespace

TEST_F(Creation, MessagesArriveInWin32OrderAndTheWindowIsHiddenUntilCreated) {
    HWND w = topLevel(10, 20, 200, 100, WS_POPUP | WS_VISIBLE | WS_CAPTION, "Title");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(lParams(w, WM_SIZE).at(0), MAKELPARAM(194, 75));  // 200 x 100 less frame 3 and caption 19
    EXPECT_TRUE(sequenceIs({{w, WM_NCCREATE},
                            {w, WM_CREATE},
                            {w, WM_SIZE},
                            {w, WM_MOVE},
                            {w, WM_SHOWWINDOW},
                            {w, WM_WINDOWPOSCHANGING},
                            {w, WM_ACTIVATEAPP},
                            {w, WM_NCACTIVATE},
                            {w, WM_ACTIVATE},
                            {w, WM_SETFOCUS},
                            {w, WM_WINDOWPOSCHANGED}}));
    EXPECT_EQ(GetActiveWindow(), w);
    EXPECT_EQ(GetFocus(), w);
    char title[16];
    EXPECT_EQ(GetWindowTextA(w, title, sizeof title), 5);  // the default WM_NCCREATE took the title
    EXPECT_STREQ(title, "Title");
}

// As the runtime places its message boxes: a CBT hook moves a popup as it is created.
TEST_F(Creation, ACbtHookCanMoveACreationAndHearsOfActivationAndFocus) {
    hookCodes.clear();
    hookHandle = SetWindowsHookExA(WH_CBT, movingHook, nullptr, GetCurrentThreadId());
    ASSERT_NE(hookHandle, nullptr);
    HWND w = topLevel(10, 20, 200, 100);
    child(w, 1, 5, 6, 10, 10);
    RECT r = windowRect(w);
    EXPECT_EQ(r.left, 77);
    EXPECT_EQ(r.top, 88);
    EXPECT_EQ(r.right, 277);
    DestroyWindow(w);
    EXPECT_TRUE(UnhookWindowsHookEx(hookHandle));
    // The visible window was activated and focused when it showed, and activation left
    // the program when it went.
    EXPECT_EQ(hookCodes, (std::vector<int>{HCBT_CREATEWND, HCBT_ACTIVATE, HCBT_SETFOCUS, HCBT_CREATEWND,
                                           HCBT_DESTROYWND, HCBT_ACTIVATE}));
    hookCodes.clear();
    topLevel(0, 0, 10, 10);
    EXPECT_TRUE(hookCodes.empty());  // unhooked
}

class Destruction : public WindowTest {};

TEST_F(Destruction, ChildrenAndOwnedPopupsGoWithTheirWindowInWin32Order) {
    HWND parent = topLevel(0, 0, 300, 200);
    HWND kid = child(parent, 1, 0, 0, 50, 50);
    HWND grandchild = child(kid, 2, 0, 0, 10, 10);
    HWND owned =
        CreateWindowExA(0, recorderClass(), "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, kid, nullptr, nullptr, nullptr);
    ASSERT_EQ(GetWindow(owned, GW_OWNER), parent);  // the owner is the top-level window
    PostMessageA(grandchild, WM_USER + 5, 0, 0);
    log().clear();
    EXPECT_TRUE(DestroyWindow(parent));
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER + 10, PM_REMOVE));  // the dead get no mail
    for (HWND w : {parent, kid, grandchild, owned}) EXPECT_FALSE(IsWindow(w));
    EXPECT_TRUE(sequenceIs({{owned, WM_NCACTIVATE},
                            {owned, WM_ACTIVATE},
                            {owned, WM_ACTIVATEAPP},
                            {parent, WM_ACTIVATEAPP},
                            {owned, WM_KILLFOCUS},
                            {owned, WM_DESTROY},
                            {owned, WM_NCDESTROY},
                            {parent, WM_DESTROY},
                            {kid, WM_DESTROY},
                            {grandchild, WM_DESTROY},
                            {grandchild, WM_NCDESTROY},
                            {kid, WM_NCDESTROY},
                            {parent, WM_NCDESTROY}}));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(GetFocus(), nullptr);
}

class WindowWords : public WindowTest {};

TEST_F(WindowWords, IdExtraBytesAndProperties) {
    HWND owner = topLevel(0, 0, 100, 100);
    HWND w = topLevel(0, 0, 100, 100);
    HWND c = child(owner, 1234, 0, 0, 10, 10);
    EXPECT_EQ(GetWindowLongA(c, GWL_ID), 1234);

    EXPECT_EQ(SetWindowLongA(w, 4, 0x11223344), 0);
    EXPECT_EQ(SetWindowLongA(w, 4, 7), 0x11223344);  // answers the old value
    SetWindowLongPtrA(w, 8, -5);
    EXPECT_EQ(GetWindowLongPtrA(w, 8), -5);

    // Properties belong to their window.
    EXPECT_TRUE(SetPropA(w, "DLGPTR", reinterpret_cast<HANDLE>(5)));
    EXPECT_EQ(GetPropA(owner, "DLGPTR"), nullptr);
    EXPECT_EQ(RemovePropA(w, "DLGPTR"), reinterpret_cast<HANDLE>(5));
    EXPECT_EQ(GetPropA(w, "DLGPTR"), nullptr);
}

TEST_F(WindowWords, TextsGoThroughMessagesAndTheCaptionTitleReachesTheDisplay) {
    HWND w = topLevel(0, 0, 200, 100, WS_POPUP | WS_CAPTION | WS_VISIBLE, "First");
    HWND c = child(w, 7, 0, 0, 10, 10);
    EXPECT_TRUE(SetWindowTextA(c, "child text"));
    EXPECT_EQ(received(c, WM_SETTEXT).size(), 1u);
    EXPECT_EQ(GetWindowTextLengthA(c), 10);
    EXPECT_EQ(received(c, WM_GETTEXTLENGTH).size(), 1u);
    char buffer[16];
    EXPECT_EQ(GetWindowTextA(c, buffer, sizeof buffer), 10);
    EXPECT_STREQ(buffer, "child text");

    SetWindowTextA(w, "Second");
    EXPECT_EQ(display->surface(display->surfaceAt(100, 50))->title, "Second");
}

class Tree : public WindowTest {};

TEST_F(Tree, ChildrenKeepCreationOrderAndEnumerationReachesAllDescendants) {
    HWND top = topLevel(0, 0, 300, 300);
    HWND a = child(top, 1, 0, 0, 10, 10);
    HWND a1 = child(a, 11, 0, 0, 5, 5);
    HWND b = child(top, 2, 20, 0, 10, 10);
    HWND c = child(top, 3, 40, 0, 10, 10);
    EXPECT_EQ(GetWindow(top, GW_CHILD), a);
    EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
    EXPECT_EQ(GetWindow(c, GW_HWNDPREV), b);
    EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
    EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), nullptr);
    EXPECT_EQ(GetParent(a1), a);
    EXPECT_TRUE(IsChild(top, a1));
    EXPECT_FALSE(IsChild(a, b));
    EXPECT_EQ(GetDlgItem(top, 11), nullptr);  // only direct children

    std::vector<HWND> all;
    auto collect = [](HWND w, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
    };
    EXPECT_TRUE(EnumChildWindows(top, collect, reinterpret_cast<LPARAM>(&all)));
    EXPECT_EQ(all, (std::vector<HWND>{a, a1, b, c}));

    SetWindowPos(c, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(GetWindow(top, GW_CHILD), c);
}

TEST_F(Tree, MovingAndSizingSendPositionMessagesAndShowHideFollowsFlags) {
    HWND top = topLevel(0, 0, 300, 200);
    HWND c = child(top, 1, 10, 10, 50, 50, WS_CHILD);
    log().clear();
    EXPECT_TRUE(MoveWindow(c, 20, 30, 60, 70, TRUE));
    EXPECT_TRUE(sequenceIs({{c, WM_WINDOWPOSCHANGING},
                            {c, WM_WINDOWPOSCHANGED},
                            {c, WM_MOVE, kLParam, 0, MAKELPARAM(20, 30)},
                            {c, WM_SIZE, kLParam, 0, MAKELPARAM(60, 70)}}));

    SetWindowPos(c, nullptr, 25, 35, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(sequenceIs({{c, WM_WINDOWPOSCHANGING}, {c, WM_WINDOWPOSCHANGED}, {c, WM_MOVE}}));
    EXPECT_EQ(windowRect(c).right - windowRect(c).left, 60);

    EXPECT_FALSE(IsWindowVisible(c));
    SetWindowPos(c, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    EXPECT_TRUE(IsWindowVisible(c));
    EXPECT_TRUE(ShowWindow(c, SW_HIDE));  // was visible
    EXPECT_FALSE(IsWindowVisible(c));
    EXPECT_EQ(received(c, WM_SHOWWINDOW).back().wParam, static_cast<WPARAM>(FALSE));
}

class Limits : public WindowTest {};

// On a screen smaller than the window, a dialog (a popup without a sizing frame) keeps its
// size, so that all of it can be reached by moving it; windows a user sizes are kept to
// what a user could drag them to (the 1024 x 768 screen and a 4-pixel frame each side).
TEST_F(Limits, OnlyWindowsThatCanBeSizedAreKeptWithinTheScreen) {
    struct Case {
        DWORD style;
        LONG width, height;
    };
    const Case cases[] = {
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 1500, 900},
        {WS_POPUP | WS_THICKFRAME, 1032, 776},
        {WS_OVERLAPPEDWINDOW, 1032, 776},
        {WS_POPUP, 8192, 8192},  // not a surface of any size asked for
    };
    for (const Case& c : cases) {
        HWND w = topLevel(0, 0, c.style == WS_POPUP ? 20000 : 1500, c.style == WS_POPUP ? 20000 : 900, c.style);
        EXPECT_EQ(windowRect(w).right, c.width) << std::hex << c.style;
        EXPECT_EQ(windowRect(w).bottom, c.height) << std::hex << c.style;
        DestroyWindow(w);
    }
}

namespace {
size_t heldDuringNestedLoop = 0;
LRESULT CALLBACK destroysItselfThenWaits(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m != WM_USER) return DefWindowProcA(w, m, wp, lp);
    DestroyWindow(w);
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    heldDuringNestedLoop = user::buriedWindowCount();
    return 1;
}
}  // namespace

TEST_F(Limits, DestroyedWindowsAreGivenBackOnceNoProcedureRuns) {
    // Destroyed by the program itself: given back at once, children included.
    for (int round = 0; round < 50; ++round) {
        HWND parent = topLevel(0, 0, 300, 200);
        for (int id = 1; id <= 20; ++id) child(parent, id, 0, 0, 10, 10);
        DestroyWindow(parent);
        ASSERT_EQ(user::buriedWindowCount(), 0u);
    }
    // Closed by its own procedure: kept until the program next asks for a message.
    HWND closed = topLevel(0, 0, 100, 100);
    SendMessageA(closed, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(closed));
    EXPECT_EQ(user::buriedWindowCount(), 1u);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(user::buriedWindowCount(), 0u);

    // A procedure still running for its own window keeps that window's memory, however
    // many loops it runs meanwhile.
    HWND w = topLevel(0, 0, 10, 10, WS_POPUP, "", 0, registerPlain("DestroysItself", destroysItselfThenWaits));
    PostMessageA(w, WM_USER, 0, 0);
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(DispatchMessageA(&msg), 1);
    EXPECT_EQ(heldDuringNestedLoop, 1u);
    EXPECT_FALSE(IsWindow(w));
    PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);
    EXPECT_EQ(user::buriedWindowCount(), 0u);
}
