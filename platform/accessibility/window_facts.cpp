#include "accessibility/window_facts.h"

#include "accessibility/label_rule.h"
#include "codepage/windows1252.h"

namespace accessibility {

namespace {

// The id the system gives a message box's text, by which a box is told from other dialogs.
constexpr int kMessageBoxTextId = 0xFFFF;

std::string classOf(HWND window) {
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return name;
}

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)); }

bool namesFields(HWND window) {
    Kind kind = kindOf(window);
    return (kind == Kind::Label && !textOf(window).empty()) || kind == Kind::PushButton;
}

Box boxOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return Box{r.left, r.top, r.right, r.bottom};
}

std::string withoutMnemonics(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return plain;
}

}  // namespace

bool isTopLevel(HWND window) { return (styleOf(window) & WS_CHILD) == 0; }

Kind kindOf(HWND window) {
    if (isTopLevel(window)) {
        HWND text = GetDlgItem(window, kMessageBoxTextId);
        return text && classOf(text) == "Static" ? Kind::Alert : Kind::Dialog;
    }
    std::string name = classOf(window);
    DWORD style = styleOf(window);
    if (name == "Edit") return Kind::Edit;
    if (name == "Static") return (style & SS_TYPEMASK) == SS_ICON ? Kind::Icon : Kind::Label;
    if (name == "Button") {
        switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
        case BS_OWNERDRAW:
            return Kind::PushButton;
        case BS_GROUPBOX:
            return Kind::GroupBox;
        default:
            return Kind::Other;
        }
    }
    return Kind::Other;
}

std::string textOf(HWND window) {
    int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), length + 1)));
    return text;
}

std::string nameOf(HWND window) {
    if (kindOf(window) == Kind::Edit) {
        HWND label = labelOf(window);
        return label ? nameOf(label) : std::string();
    }
    return codepage::windows1252ToUtf8(withoutMnemonics(textOf(window)));
}

std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND labelOf(HWND edit) {
    HWND parent = GetParent(edit);
    if (!parent) return nullptr;
    std::vector<HWND> labels;
    std::vector<Box> boxes;
    for (HWND sibling : childrenOf(parent))
        if (sibling != edit && IsWindowVisible(sibling) && namesFields(sibling)) {
            labels.push_back(sibling);
            boxes.push_back(boxOf(sibling));
        }
    int chosen = labelBeside(boxOf(edit), boxes);
    return chosen < 0 ? nullptr : labels[static_cast<size_t>(chosen)];
}

std::vector<HWND> fieldsNamedBy(HWND label) {
    std::vector<HWND> fields;
    HWND parent = GetParent(label);
    if (!parent || !namesFields(label)) return fields;
    for (HWND sibling : childrenOf(parent))
        if (kindOf(sibling) == Kind::Edit && labelOf(sibling) == label) fields.push_back(sibling);
    return fields;
}

void selectionOf(HWND edit, int& start, int& end) {
    DWORD from = 0, to = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    start = static_cast<int>(from);
    end = static_cast<int>(to);
}

}  // namespace accessibility
