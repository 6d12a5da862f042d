// The popup menu window: classic look (raised frame, grey face, highlighted item in the
// selection colours, grey items embossed) and its own modal loop.
#include "user/controls/popup_menu.h"
#include "user/windows/system_classes.h"

#include <algorithm>
#include <cctype>

namespace user {

namespace {

constexpr int kFrame = 3;            // raised edge and one pixel of face
constexpr int kItemHeight = 17;      // the 13-pixel menu font and its padding
constexpr int kSeparatorHeight = 9;  // an etched line in the middle
constexpr int kTextIndent = 17;      // room for a check mark on the left
constexpr int kTextTrail = 17;       // and for a submenu arrow on the right

struct Menu {
    std::vector<PopupMenuItem> items;
    std::vector<RECT> rows;  // client rectangles of the items
    int highlighted = -1;
    bool done = false;
    UINT chosen = 0;
};

HFONT menuFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

Menu* menuOf(HWND window) { return reinterpret_cast<Menu*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

void paintItem(HDC dc, const Menu& menu, size_t index) {
    const PopupMenuItem& item = menu.items[index];
    RECT row = menu.rows[index];
    if (item.command == 0) {
        RECT line{row.left, row.top + kSeparatorHeight / 2 - 1, row.right, row.top + kSeparatorHeight / 2 + 1};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    bool lit = static_cast<int>(index) == menu.highlighted;
    FillRect(dc, &row, GetSysColorBrush(lit ? COLOR_HIGHLIGHT : COLOR_MENU));
    RECT text{row.left + kTextIndent, row.top, row.right - kTextTrail, row.bottom};
    UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE;
    SetBkMode(dc, TRANSPARENT);
    if (!item.enabled && !lit) {
        // Embossed: a light copy one pixel down and right under the grey text.
        RECT shadow = text;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, item.text.c_str(), -1, &shadow, format);
    }
    COLORREF colour =
        !item.enabled ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(lit ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    SetTextColor(dc, colour);
    DrawTextA(dc, item.text.c_str(), -1, &text, format);
}

LRESULT CALLBACK menuProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Menu* menu = menuOf(window);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        if (dc && menu) {
            RECT client{};
            GetClientRect(window, &client);
            FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
            DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
            HGDIOBJ previous = SelectObject(dc, menuFont());
            for (size_t i = 0; i < menu->items.size(); ++i) paintItem(dc, *menu, i);
            SelectObject(dc, previous);
        }
        EndPaint(window, &paint);
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

void highlight(HWND window, Menu& menu, int index) {
    if (menu.highlighted == index) return;
    menu.highlighted = index;
    InvalidateRect(window, nullptr, FALSE);
}

// The next item up or down from the highlighted one, round the ends, over separators.
int nextItem(const Menu& menu, int step) {
    int count = static_cast<int>(menu.items.size());
    int index = menu.highlighted < 0 ? (step > 0 ? -1 : count) : menu.highlighted;
    for (int tries = 0; tries < count; ++tries) {
        index = (index + step + count) % count;
        if (menu.items[static_cast<size_t>(index)].command != 0) return index;
    }
    return menu.highlighted;
}

void choose(Menu& menu, int index) {
    if (index < 0 || !menu.items[static_cast<size_t>(index)].enabled) return;
    menu.chosen = menu.items[static_cast<size_t>(index)].command;
    menu.done = true;
}

int itemAt(HWND window, const Menu& menu, POINT screenPoint) {
    POINT local = screenPoint;
    ScreenToClient(window, &local);
    for (size_t i = 0; i < menu.rows.size(); ++i)
        if (menu.items[i].command != 0 && PtInRect(&menu.rows[i], local)) return static_cast<int>(i);
    return -1;
}

void mouse(HWND window, Menu& menu, const MSG& msg) {
    POINT point{static_cast<SHORT>(LOWORD(msg.lParam)), static_cast<SHORT>(HIWORD(msg.lParam))};
    ClientToScreen(msg.hwnd, &point);
    RECT frame{};
    GetWindowRect(window, &frame);
    bool inside = PtInRect(&frame, point) != 0;
    int index = itemAt(window, menu, point);
    switch (msg.message) {
    case WM_MOUSEMOVE:
        if (inside) highlight(window, menu, index);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (!inside) menu.done = true;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        choose(menu, index);
        break;
    default:
        break;
    }
}

void key(HWND window, Menu& menu, const MSG& msg) {
    switch (msg.wParam) {
    case VK_UP:
        highlight(window, menu, nextItem(menu, -1));
        break;
    case VK_DOWN:
        highlight(window, menu, nextItem(menu, 1));
        break;
    case VK_RETURN:
        choose(menu, menu.highlighted);
        break;
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10:
        menu.done = true;
        break;
    default:
        break;
    }
}

// A letter chooses the item whose '&' marks it.
void letter(Menu& menu, char typed) {
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const std::string& text = menu.items[i].text;
        size_t mark = text.find('&');
        if (mark != std::string::npos && mark + 1 < text.size() &&
            std::tolower(static_cast<unsigned char>(text[mark + 1])) ==
                std::tolower(static_cast<unsigned char>(typed))) {
            choose(menu, static_cast<int>(i));
            return;
        }
    }
}

// Lays the items out and returns the window size the frame needs around them.
SIZE layOut(Menu& menu) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, menuFont());
    int widest = 0;
    for (const PopupMenuItem& item : menu.items) {
        RECT measured{0, 0, 0, 0};
        DrawTextA(dc, item.text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        widest = std::max<int>(widest, measured.right);
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    int width = kTextIndent + widest + kTextTrail;
    int y = kFrame;
    for (const PopupMenuItem& item : menu.items) {
        int height = item.command == 0 ? kSeparatorHeight : kItemHeight;
        menu.rows.push_back(RECT{kFrame, y, kFrame + width, y + height});
        y += height;
    }
    return SIZE{width + 2 * kFrame, y + kFrame};
}

}  // namespace

void registerMenuClass() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = CS_SAVEBITS | CS_GLOBALCLASS;
    windowClass.lpfnWndProc = menuProcedure;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = "#32768";
    RegisterClassExA(&windowClass);
}

UINT trackPopupMenu(POINT screenPoint, const std::vector<PopupMenuItem>& items) {
    Menu menu;
    menu.items = items;
    if (menu.items.empty()) return 0;
    SIZE size = layOut(menu);
    // On the screen: moved left or up by what would stick out.
    int x = std::max(0, std::min<int>(screenPoint.x, GetSystemMetrics(SM_CXSCREEN) - size.cx));
    int y = std::max(0, std::min<int>(screenPoint.y, GetSystemMetrics(SM_CYSCREEN) - size.cy));
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "#32768", "", WS_POPUP, x, y, size.cx, size.cy, nullptr, nullptr,
                                  nullptr, nullptr);
    if (!window) return 0;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&menu));
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    SetCapture(window);

    MSG msg{};
    while (!menu.done) {
        if (GetCapture() != window) break;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST)
            mouse(window, menu, msg);
        else if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN)
            key(window, menu, msg);
        else if (msg.message == WM_CHAR || msg.message == WM_SYSCHAR)
            letter(menu, static_cast<char>(msg.wParam));
        else if (msg.message != WM_KEYUP && msg.message != WM_SYSKEYUP)
            DispatchMessageA(&msg);
    }
    if (GetCapture() == window) ReleaseCapture();
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    DestroyWindow(window);
    return menu.chosen;
}

}  // namespace user
