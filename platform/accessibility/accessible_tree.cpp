#include "accessibility/accessible_tree.h"

#include "accessibility/atk_objects.h"
#include "accessibility/window_facts.h"
#include "codepage/windows1252.h"

#include <algorithm>

namespace accessibility {

namespace {

AccessibleTree* current = nullptr;

bool erase(std::vector<HWND>& list, HWND window) {
    auto it = std::find(list.begin(), list.end(), window);
    if (it == list.end()) return false;
    list.erase(it);
    return true;
}

void emitChildrenChanged(AtkObject* parent, const char* how, int index, AtkObject* child) {
    g_signal_emit_by_name(parent, how, index, child);
}

}  // namespace

AtkObject* applicationAccessible() { return current ? current->application() : nullptr; }
AtkObject* accessibleFor(HWND window) { return current ? current->accessibleFor(window) : nullptr; }
std::vector<HWND> shownTopLevels() { return current ? current->shownTopLevels() : std::vector<HWND>{}; }

AccessibleTree::AccessibleTree(const std::string& programName)
    : application_(newApplicationAccessible(programName.c_str())) {
    current = this;
}

AccessibleTree::~AccessibleTree() {
    if (idle_) g_source_remove(idle_);
    for (auto& [window, object] : objects_) g_object_unref(object);
    g_object_unref(application_);
    if (current == this) current = nullptr;
}

AtkObject* AccessibleTree::known(HWND window) const {
    auto it = objects_.find(window);
    return it == objects_.end() ? nullptr : it->second;
}

AtkObject* AccessibleTree::accessibleFor(HWND window) {
    if (!window || !IsWindow(window)) return nullptr;
    if (AtkObject* object = known(window)) return object;
    AtkObject* object = newWindowAccessible(window);
    objects_[window] = object;
    Kind kind = kindOf(window);
    if (kind == Kind::Edit || kind == Kind::Label) texts_[window] = textOf(window);
    return object;
}

std::vector<HWND> AccessibleTree::shownTopLevels() const {
    std::vector<HWND> shown;
    for (HWND window : topLevels_)
        if (IsWindowVisible(window)) shown.push_back(window);
    return shown;
}

void AccessibleTree::windowChanged(HWND window, user::WindowChange change) {
    // Only bookkeeping here: the layer is in the middle of its work.
    if (change == user::WindowChange::Created && isTopLevel(window)) topLevels_.push_back(window);
    if (change == user::WindowChange::Destroyed) erase(topLevels_, window);
    pending_.push_back(Change{window, change});
    if (!idle_) idle_ = g_idle_add(&AccessibleTree::announcePending, this);
}

gboolean AccessibleTree::announcePending(gpointer tree) {
    auto* self = static_cast<AccessibleTree*>(tree);
    self->idle_ = 0;
    std::vector<Change> changes;
    changes.swap(self->pending_);
    for (const Change& change : changes) self->announce(change);
    self->announceFocusAndActivation();
    return G_SOURCE_REMOVE;
}

void AccessibleTree::announce(const Change& change) {
    HWND window = change.window;
    AtkObject* object = known(window);
    switch (change.change) {
    case user::WindowChange::Created:
        if (!isTopLevel(window) && IsWindowVisible(GetParent(window)))
            if (AtkObject* parent = known(GetParent(window)))
                if (AtkObject* child = accessibleFor(window)) {
                    std::vector<HWND> siblings = childrenOf(GetParent(window));
                    auto at = std::find(siblings.begin(), siblings.end(), window) - siblings.begin();
                    emitChildrenChanged(parent, "children-changed::add", static_cast<int>(at), child);
                }
        break;
    case user::WindowChange::Shown:
        announceShown(window, accessibleFor(window));
        break;
    case user::WindowChange::Hidden:
        announceHidden(window, object);
        break;
    case user::WindowChange::Destroyed:
        if (object) {
            announceHidden(window, object);
            atk_object_notify_state_change(object, ATK_STATE_DEFUNCT, TRUE);
            if (ATK_IS_WINDOW(object)) g_signal_emit_by_name(object, "destroy");
        }
        forget(window);
        break;
    case user::WindowChange::TextReplaced:
        if (std::find(replaced_.begin(), replaced_.end(), window) == replaced_.end()) replaced_.push_back(window);
        break;
    case user::WindowChange::TextChanged:
        announceText(window, object);
        break;
    case user::WindowChange::SelectionChanged:
        announceCaret(window, object);
        break;
    case user::WindowChange::EnabledChanged:
        if (object && IsWindow(window)) {
            gboolean enabled = IsWindowEnabled(window) ? TRUE : FALSE;
            atk_object_notify_state_change(object, ATK_STATE_ENABLED, enabled);
            atk_object_notify_state_change(object, ATK_STATE_SENSITIVE, enabled);
        }
        break;
    case user::WindowChange::FocusChanged:
    case user::WindowChange::ActiveChanged:
        // In its place among the rest: a screen reader takes a caret moving in a field it
        // does not know to be focused as no news, and then the focus as old news.
        announceFocusAndActivation();
        break;
    }
}

void AccessibleTree::announceShown(HWND window, AtkObject* object) {
    if (!object || !IsWindowVisible(window)) return;
    atk_object_notify_state_change(object, ATK_STATE_VISIBLE, TRUE);
    atk_object_notify_state_change(object, ATK_STATE_SHOWING, TRUE);
    if (!isTopLevel(window) || std::find(announced_.begin(), announced_.end(), window) != announced_.end()) return;
    std::vector<HWND> shown = shownTopLevels();
    auto at = std::find(shown.begin(), shown.end(), window) - shown.begin();
    announced_.push_back(window);
    emitChildrenChanged(application_, "children-changed::add", static_cast<int>(at), object);
    g_signal_emit_by_name(object, "create");
}

void AccessibleTree::announceHidden(HWND window, AtkObject* object) {
    if (!object) return;
    atk_object_notify_state_change(object, ATK_STATE_SHOWING, FALSE);
    atk_object_notify_state_change(object, ATK_STATE_VISIBLE, FALSE);
    auto it = std::find(announced_.begin(), announced_.end(), window);
    if (it == announced_.end()) return;
    int at = static_cast<int>(it - announced_.begin());
    announced_.erase(it);
    emitChildrenChanged(application_, "children-changed::remove", at, object);
}

// What changed is told as the text removed and the text inserted: for typing, what lies
// between the common start and the common end of the old and the new text; for a text set
// anew (the form showing another entry), all of the old and all of the new, which is what
// a person hears read out.
void AccessibleTree::announceText(HWND window, AtkObject* object) {
    if (!object || !IsWindow(window)) return;
    auto known = texts_.find(window);
    if (known == texts_.end()) {
        g_object_notify(G_OBJECT(object), "accessible-name");
        return;
    }
    std::string now = textOf(window);
    const std::string& before = known->second;
    bool wholly = erase(replaced_, window);
    if (now == before) return;
    size_t start = 0;
    size_t end = 0;
    if (!wholly) {
        while (start < before.size() && start < now.size() && before[start] == now[start]) ++start;
        while (end < before.size() - start && end < now.size() - start &&
               before[before.size() - 1 - end] == now[now.size() - 1 - end])
            ++end;
    }
    std::string removed = before.substr(start, before.size() - start - end);
    std::string inserted = now.substr(start, now.size() - start - end);
    known->second = now;
    if (!removed.empty())
        g_signal_emit_by_name(object, "text-remove", static_cast<gint>(start), static_cast<gint>(removed.size()),
                              codepage::windows1252ToUtf8(removed).c_str());
    if (!inserted.empty())
        g_signal_emit_by_name(object, "text-insert", static_cast<gint>(start), static_cast<gint>(inserted.size()),
                              codepage::windows1252ToUtf8(inserted).c_str());
    if (kindOf(window) == Kind::Label && (!removed.empty() || !inserted.empty()))
        g_object_notify(G_OBJECT(object), "accessible-name");
}

void AccessibleTree::announceCaret(HWND window, AtkObject* object) {
    if (!object || !IsWindow(window) || kindOf(window) != Kind::Edit) return;
    int start = 0, end = 0;
    selectionOf(window, start, end);
    auto known = carets_.find(window);
    if (known != carets_.end() && known->second == end) return;
    carets_[window] = end;
    g_signal_emit_by_name(object, "text-caret-moved", static_cast<gint>(end));
}

void AccessibleTree::announceFocusAndActivation() {
    HWND active = GetActiveWindow();
    if (active != active_) {
        if (AtkObject* old = known(active_)) {
            atk_object_notify_state_change(old, ATK_STATE_ACTIVE, FALSE);
            g_signal_emit_by_name(old, "deactivate");
        }
        active_ = active;
        if (AtkObject* now = accessibleFor(active)) {
            atk_object_notify_state_change(now, ATK_STATE_ACTIVE, TRUE);
            g_signal_emit_by_name(now, "activate");
        }
    }
    HWND focus = GetFocus();
    if (focus != focus_) {
        if (AtkObject* old = known(focus_)) atk_object_notify_state_change(old, ATK_STATE_FOCUSED, FALSE);
        focus_ = focus;
        if (AtkObject* now = accessibleFor(focus)) atk_object_notify_state_change(now, ATK_STATE_FOCUSED, TRUE);
    }
}

void AccessibleTree::forget(HWND window) {
    if (AtkObject* object = known(window)) g_object_unref(object);
    objects_.erase(window);
    texts_.erase(window);
    carets_.erase(window);
    erase(replaced_, window);
    erase(announced_, window);
    if (focus_ == window) focus_ = nullptr;
    if (active_ == window) active_ = nullptr;
}

}  // namespace accessibility
