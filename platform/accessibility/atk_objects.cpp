#include "accessibility/atk_objects.h"

#include "accessibility/window_facts.h"
#include "codepage/windows1252.h"
#include "display/display.h"

#include <algorithm>
#include <string>

namespace accessibility {

namespace {

struct EditorWindow {
    AtkObject parent;
    HWND window;
    gchar* name;  // the answer last given, owned here as ATK wants
};
struct EditorWindowClass {
    AtkObjectClass parent;
};
struct EditorText {
    EditorWindow parent;
};
struct EditorTextClass {
    EditorWindowClass parent;
};
struct EditorEdit {
    EditorText parent;
};
struct EditorEditClass {
    EditorTextClass parent;
};
struct EditorButton {
    EditorWindow parent;
};
struct EditorButtonClass {
    EditorWindowClass parent;
};
struct EditorDialog {
    EditorWindow parent;
};
struct EditorDialogClass {
    EditorWindowClass parent;
};
struct EditorApplication {
    AtkObject parent;
};
struct EditorApplicationClass {
    AtkObjectClass parent;
};

HWND windowOf(gpointer object) { return reinterpret_cast<EditorWindow*>(object)->window; }

HWND topLevelOf(HWND window) {
    while (window && !isTopLevel(window)) window = GetParent(window);
    return window;
}

int indexOf(const std::vector<HWND>& list, HWND window) {
    auto it = std::find(list.begin(), list.end(), window);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// ---- every window: AtkObject and AtkComponent -----------------------------------------

const gchar* windowName(AtkObject* object) {
    auto* self = reinterpret_cast<EditorWindow*>(object);
    if (IsWindow(self->window)) {
        g_free(self->name);
        self->name = g_strdup(nameOf(self->window).c_str());
    }
    return self->name ? self->name : "";
}

AtkObject* windowParent(AtkObject* object) {
    HWND window = windowOf(object);
    if (!IsWindow(window)) return nullptr;
    return isTopLevel(window) ? applicationAccessible() : accessibleFor(GetParent(window));
}

gint windowChildCount(AtkObject* object) {
    HWND window = windowOf(object);
    return IsWindow(window) ? static_cast<gint>(childrenOf(window).size()) : 0;
}

AtkObject* windowChild(AtkObject* object, gint index) {
    std::vector<HWND> children = IsWindow(windowOf(object)) ? childrenOf(windowOf(object)) : std::vector<HWND>{};
    if (index < 0 || static_cast<size_t>(index) >= children.size()) return nullptr;
    AtkObject* child = accessibleFor(children[static_cast<size_t>(index)]);
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

gint windowIndex(AtkObject* object) {
    HWND window = windowOf(object);
    if (!IsWindow(window)) return -1;
    return indexOf(isTopLevel(window) ? shownTopLevels() : childrenOf(GetParent(window)), window);
}

AtkRole windowRole(AtkObject* object) {
    HWND window = windowOf(object);
    if (!IsWindow(window)) return ATK_ROLE_UNKNOWN;
    switch (kindOf(window)) {
    case Kind::Dialog:
        return ATK_ROLE_DIALOG;
    case Kind::Alert:
        return ATK_ROLE_ALERT;
    case Kind::Label:
        return ATK_ROLE_LABEL;
    case Kind::Icon:
        return ATK_ROLE_ICON;
    case Kind::Edit:
        return ATK_ROLE_ENTRY;
    case Kind::PushButton:
        return ATK_ROLE_PUSH_BUTTON;
    case Kind::GroupBox:
    case Kind::Other:
        return ATK_ROLE_PANEL;
    }
    return ATK_ROLE_UNKNOWN;
}

AtkStateSet* windowStates(AtkObject* object) {
    AtkStateSet* states = atk_state_set_new();
    HWND window = windowOf(object);
    if (!IsWindow(window)) {
        atk_state_set_add_state(states, ATK_STATE_DEFUNCT);
        return states;
    }
    auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    Kind kind = kindOf(window);
    if (IsWindowEnabled(window)) {
        atk_state_set_add_state(states, ATK_STATE_ENABLED);
        atk_state_set_add_state(states, ATK_STATE_SENSITIVE);
    }
    if (style & WS_VISIBLE) atk_state_set_add_state(states, ATK_STATE_VISIBLE);
    if (IsWindowVisible(window)) atk_state_set_add_state(states, ATK_STATE_SHOWING);
    if (kind == Kind::Edit || kind == Kind::PushButton) atk_state_set_add_state(states, ATK_STATE_FOCUSABLE);
    if (GetFocus() == window) atk_state_set_add_state(states, ATK_STATE_FOCUSED);
    if (kind == Kind::Edit) {
        if (!(style & ES_READONLY)) atk_state_set_add_state(states, ATK_STATE_EDITABLE);
        atk_state_set_add_state(states, (style & ES_MULTILINE) ? ATK_STATE_MULTI_LINE : ATK_STATE_SINGLE_LINE);
    }
    if (kind == Kind::PushButton && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        atk_state_set_add_state(states, ATK_STATE_DEFAULT);
    if (isTopLevel(window)) {
        if (GetActiveWindow() == window) atk_state_set_add_state(states, ATK_STATE_ACTIVE);
        HWND owner = GetWindow(window, GW_OWNER);
        // A dialog that disabled its owner is the one place input can go.
        if (owner && !IsWindowEnabled(owner)) atk_state_set_add_state(states, ATK_STATE_MODAL);
    }
    return states;
}

AtkRelationSet* windowRelations(AtkObject* object) {
    AtkRelationSet* relations = atk_relation_set_new();
    HWND window = windowOf(object);
    if (!IsWindow(window)) return relations;
    if (kindOf(window) == Kind::Edit) {
        if (AtkObject* label = accessibleFor(labelOf(window)))
            atk_relation_set_add_relation_by_type(relations, ATK_RELATION_LABELLED_BY, label);
    } else {
        for (HWND field : fieldsNamedBy(window))
            if (AtkObject* target = accessibleFor(field))
                atk_relation_set_add_relation_by_type(relations, ATK_RELATION_LABEL_FOR, target);
    }
    return relations;
}

// A window's rectangle in the screen's own pixels. Clients (magnifiers, mouse review, a
// click at a point) work in those, and at a desktop scale above one the display shows each
// program pixel as several; a point inside this rectangle maps back into the window. The
// top-level window's pixels are laid out from its own origin on the screen, so a control's
// edges are found from there, where they are drawn.
RECT deviceRectOf(HWND window) {
    RECT rect{}, top{};
    GetWindowRect(window, &rect);
    GetWindowRect(topLevelOf(window), &top);
    display::Scale scale = display::backend().scale();
    return RECT{scale.toDeviceIn(rect.left, top.left), scale.toDeviceIn(rect.top, top.top),
                scale.toDeviceIn(rect.right, top.left), scale.toDeviceIn(rect.bottom, top.top)};
}

// Points asked about (contains, the object at a point) are judged by ATK against these
// extents, so they are in the screen's pixels too.
void componentExtents(AtkComponent* component, gint* x, gint* y, gint* width, gint* height, AtkCoordType coords) {
    HWND window = windowOf(component);
    RECT rect = deviceRectOf(window);
    RECT origin{};
    if (coords == ATK_XY_WINDOW) origin = deviceRectOf(topLevelOf(window));
    if (coords == ATK_XY_PARENT && !isTopLevel(window)) origin = deviceRectOf(GetParent(window));
    if (x) *x = rect.left - origin.left;
    if (y) *y = rect.top - origin.top;
    if (width) *width = rect.right - rect.left;
    if (height) *height = rect.bottom - rect.top;
}

gboolean componentGrabFocus(AtkComponent* component) {
    HWND window = windowOf(component);
    Kind kind = IsWindow(window) ? kindOf(window) : Kind::Other;
    if (kind != Kind::Edit && kind != Kind::PushButton) return FALSE;
    // The dialog manager moves the focus as Tab would, the top-level window activated with it.
    return PostMessageA(topLevelOf(window), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
}

void componentInit(AtkComponentIface* iface) {
    iface->get_extents = componentExtents;
    iface->grab_focus = componentGrabFocus;
}

// ---- labels and edits: AtkText ----------------------------------------------------------
// Offsets count characters; in Windows-1252 each byte is one.

gint clampOffset(gint offset, size_t length) {
    if (offset < 0 || static_cast<size_t>(offset) > length) return static_cast<gint>(length);
    return offset;
}

gchar* copyOut(const std::string& text, gint start, gint end) {
    start = std::min(clampOffset(start, text.size()), clampOffset(end, text.size()));
    end = clampOffset(end, text.size());
    return g_strdup(
        codepage::windows1252ToUtf8(text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start))).c_str());
}

gchar* textRange(AtkText* text, gint start, gint end) { return copyOut(textOf(windowOf(text)), start, end); }

gint textLength(AtkText* text) { return static_cast<gint>(textOf(windowOf(text)).size()); }

gunichar textCharacter(AtkText* text, gint offset) {
    std::string bytes = textOf(windowOf(text));
    if (offset < 0 || static_cast<size_t>(offset) >= bytes.size()) return 0;
    return codepage::windows1252ToUnicode(static_cast<unsigned char>(bytes[static_cast<size_t>(offset)]));
}

bool isEdit(HWND window) { return IsWindow(window) && kindOf(window) == Kind::Edit; }

gint textCaret(AtkText* text) {
    HWND window = windowOf(text);
    if (!isEdit(window)) return 0;
    int start = 0, end = 0;
    selectionOf(window, start, end);
    return end;
}

void postSelection(HWND edit, gint start, gint end) {
    PostMessageA(edit, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

gboolean textSetCaret(AtkText* text, gint offset) {
    HWND window = windowOf(text);
    if (!isEdit(window)) return FALSE;
    postSelection(window, offset, offset);
    return TRUE;
}

gint textSelectionCount(AtkText* text) {
    HWND window = windowOf(text);
    if (!isEdit(window)) return 0;
    int start = 0, end = 0;
    selectionOf(window, start, end);
    return start != end ? 1 : 0;
}

gchar* textSelection(AtkText* text, gint number, gint* start, gint* end) {
    HWND window = windowOf(text);
    int from = 0, to = 0;
    if (isEdit(window) && number == 0) selectionOf(window, from, to);
    *start = from;
    *end = to;
    return from == to ? nullptr : copyOut(textOf(window), from, to);
}

gboolean textSetSelection(AtkText* text, gint number, gint start, gint end) {
    HWND window = windowOf(text);
    if (!isEdit(window) || number != 0) return FALSE;
    postSelection(window, start, end);
    return TRUE;
}

gboolean textAddSelection(AtkText* text, gint start, gint end) { return textSetSelection(text, 0, start, end); }

gboolean textRemoveSelection(AtkText* text, gint number) {
    gint caret = textCaret(text);
    return textSetSelection(text, number, caret, caret);
}

bool isSpace(char c) { return c == ' ' || c == '\t'; }

bool wordStartsAt(const std::string& text, size_t at) {
    return at < text.size() && !isSpace(text[at]) && (at == 0 || isSpace(text[at - 1]));
}

gchar* textStringAt(AtkText* text, gint offset, AtkTextGranularity granularity, gint* start, gint* end) {
    std::string bytes = textOf(windowOf(text));
    size_t length = bytes.size();
    size_t from = std::min(static_cast<size_t>(std::max(offset, 0)), length);
    size_t to = from;
    switch (granularity) {
    case ATK_TEXT_GRANULARITY_CHAR:
        to = std::min(from + 1, length);
        break;
    case ATK_TEXT_GRANULARITY_WORD:
        // From the start of the word the offset is in (or follows) to the start of the next.
        while (from > 0 && !wordStartsAt(bytes, from)) --from;
        to = std::min(static_cast<size_t>(std::max(offset, 0)) + 1, length);
        while (to < length && !wordStartsAt(bytes, to)) ++to;
        break;
    default:  // one line, one sentence, one paragraph: the whole single-line text
        from = 0;
        to = length;
        break;
    }
    *start = static_cast<gint>(from);
    *end = static_cast<gint>(to);
    return copyOut(bytes, *start, *end);
}

gchar* textAtOffset(AtkText* text, gint offset, AtkTextBoundary boundary, gint* start, gint* end) {
    AtkTextGranularity granularity = ATK_TEXT_GRANULARITY_LINE;
    if (boundary == ATK_TEXT_BOUNDARY_CHAR) granularity = ATK_TEXT_GRANULARITY_CHAR;
    if (boundary == ATK_TEXT_BOUNDARY_WORD_START || boundary == ATK_TEXT_BOUNDARY_WORD_END)
        granularity = ATK_TEXT_GRANULARITY_WORD;
    return textStringAt(text, offset, granularity, start, end);
}

void textInit(AtkTextIface* iface) {
    iface->get_text = textRange;
    iface->get_character_count = textLength;
    iface->get_character_at_offset = textCharacter;
    iface->get_caret_offset = textCaret;
    iface->set_caret_offset = textSetCaret;
    iface->get_n_selections = textSelectionCount;
    iface->get_selection = textSelection;
    iface->set_selection = textSetSelection;
    iface->add_selection = textAddSelection;
    iface->remove_selection = textRemoveSelection;
    iface->get_string_at_offset = textStringAt;
    iface->get_text_at_offset = textAtOffset;
}

// ---- edits: AtkEditableText, each change typed into the field -------------------------

void typeInto(HWND edit, const std::string& bytes) {
    for (char c : bytes) PostMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void editSetContents(AtkEditableText* text, const gchar* contents) {
    HWND edit = windowOf(text);
    std::string bytes = codepage::utf8ToWindows1252(contents ? contents : "");
    postSelection(edit, 0, -1);
    if (bytes.empty())
        PostMessageA(edit, WM_CHAR, VK_BACK, 1);
    else
        typeInto(edit, bytes);
}

void editInsert(AtkEditableText* text, const gchar* inserted, gint length, gint* position) {
    HWND edit = windowOf(text);
    std::string utf8 = length < 0 ? std::string(inserted) : std::string(inserted, static_cast<size_t>(length));
    std::string bytes = codepage::utf8ToWindows1252(utf8);
    postSelection(edit, *position, *position);
    typeInto(edit, bytes);
    *position += static_cast<gint>(bytes.size());
}

void editDelete(AtkEditableText* text, gint start, gint end) {
    HWND edit = windowOf(text);
    if (end < 0) end = static_cast<gint>(textOf(edit).size());
    if (start >= end) return;
    postSelection(edit, start, end);
    PostMessageA(edit, WM_CHAR, VK_BACK, 1);
}

void editOnRange(AtkEditableText* text, gint start, gint end, UINT command) {
    postSelection(windowOf(text), start, end);
    PostMessageA(windowOf(text), command, 0, 0);
}

void editCopy(AtkEditableText* text, gint start, gint end) { editOnRange(text, start, end, WM_COPY); }
void editCut(AtkEditableText* text, gint start, gint end) { editOnRange(text, start, end, WM_CUT); }
void editPaste(AtkEditableText* text, gint position) { editOnRange(text, position, position, WM_PASTE); }

void editableInit(AtkEditableTextIface* iface) {
    iface->set_text_contents = editSetContents;
    iface->insert_text = editInsert;
    iface->delete_text = editDelete;
    iface->copy_text = editCopy;
    iface->cut_text = editCut;
    iface->paste_text = editPaste;
}

// ---- push buttons: AtkAction --------------------------------------------------------------

gint actionCount(AtkAction*) { return 1; }

const gchar* actionName(AtkAction*, gint index) { return index == 0 ? "click" : nullptr; }

gboolean actionDo(AtkAction* action, gint index) {
    HWND button = windowOf(action);
    if (index != 0 || !IsWindow(button)) return FALSE;
    // Where a mouse could not click (a hidden button, a disabled one or one in a window
    // that a modal box disabled), neither can this.
    if (!IsWindowVisible(button) || !IsWindowEnabled(button) || !IsWindowEnabled(topLevelOf(button))) return FALSE;
    // BM_CLICK is a press and a release of the mouse on the button: the same focus,
    // drawing and notifications as a click.
    return PostMessageA(button, BM_CLICK, 0, 0);
}

void actionInit(AtkActionIface* iface) {
    iface->get_n_actions = actionCount;
    iface->get_name = actionName;
    iface->do_action = actionDo;
}

void windowInterfaceInit(AtkWindowIface*) {}  // AtkWindow brings its signals, nothing to answer

// ---- the application ---------------------------------------------------------------------

gint applicationChildCount(AtkObject*) { return static_cast<gint>(shownTopLevels().size()); }

AtkObject* applicationChild(AtkObject*, gint index) {
    std::vector<HWND> tops = shownTopLevels();
    if (index < 0 || static_cast<size_t>(index) >= tops.size()) return nullptr;
    AtkObject* child = accessibleFor(tops[static_cast<size_t>(index)]);
    return child ? ATK_OBJECT(g_object_ref(child)) : nullptr;
}

}  // namespace

}  // namespace accessibility

// GObject's type macros want plain names at file scope.
using namespace accessibility;

G_DEFINE_TYPE_WITH_CODE(EditorWindow, editor_window, ATK_TYPE_OBJECT,
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_COMPONENT, componentInit))
G_DEFINE_TYPE_WITH_CODE(EditorText, editor_text, editor_window_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_TEXT, textInit))
G_DEFINE_TYPE_WITH_CODE(EditorEdit, editor_edit, editor_text_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_EDITABLE_TEXT, editableInit))
G_DEFINE_TYPE_WITH_CODE(EditorButton, editor_button, editor_window_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_ACTION, actionInit))
G_DEFINE_TYPE_WITH_CODE(EditorDialog, editor_dialog, editor_window_get_type(),
                        G_IMPLEMENT_INTERFACE(ATK_TYPE_WINDOW, windowInterfaceInit))
G_DEFINE_TYPE(EditorApplication, editor_application, ATK_TYPE_OBJECT)

static void editor_window_finalize(GObject* object) {
    g_free(reinterpret_cast<EditorWindow*>(object)->name);
    G_OBJECT_CLASS(editor_window_parent_class)->finalize(object);
}

static void editor_window_class_init(EditorWindowClass* klass) {
    G_OBJECT_CLASS(klass)->finalize = editor_window_finalize;
    AtkObjectClass* object = ATK_OBJECT_CLASS(klass);
    object->get_name = windowName;
    object->get_parent = windowParent;
    object->get_n_children = windowChildCount;
    object->ref_child = windowChild;
    object->get_index_in_parent = windowIndex;
    object->get_role = windowRole;
    object->ref_state_set = windowStates;
    object->ref_relation_set = windowRelations;
}
static void editor_window_init(EditorWindow*) {}
static void editor_text_class_init(EditorTextClass*) {}
static void editor_text_init(EditorText*) {}
static void editor_edit_class_init(EditorEditClass*) {}
static void editor_edit_init(EditorEdit*) {}
static void editor_button_class_init(EditorButtonClass*) {}
static void editor_button_init(EditorButton*) {}
static void editor_dialog_class_init(EditorDialogClass*) {}
static void editor_dialog_init(EditorDialog*) {}

static void editor_application_class_init(EditorApplicationClass* klass) {
    AtkObjectClass* object = ATK_OBJECT_CLASS(klass);
    object->get_n_children = applicationChildCount;
    object->ref_child = applicationChild;
}
static void editor_application_init(EditorApplication* self) { ATK_OBJECT(self)->role = ATK_ROLE_APPLICATION; }

namespace accessibility {

AtkObject* newApplicationAccessible(const char* name) {
    auto* application = ATK_OBJECT(g_object_new(editor_application_get_type(), nullptr));
    atk_object_set_name(application, name);
    return application;
}

AtkObject* newWindowAccessible(HWND window) {
    GType type = editor_window_get_type();
    switch (kindOf(window)) {
    case Kind::Label:
        type = editor_text_get_type();
        break;
    case Kind::Edit:
        type = editor_edit_get_type();
        break;
    case Kind::PushButton:
        type = editor_button_get_type();
        break;
    case Kind::Dialog:
    case Kind::Alert:
        type = editor_dialog_get_type();
        break;
    default:
        break;
    }
    auto* object = static_cast<EditorWindow*>(g_object_new(type, nullptr));
    object->window = window;
    AtkObject* accessible = ATK_OBJECT(object);
    atk_object_initialize(accessible, nullptr);
    return accessible;
}

}  // namespace accessibility
