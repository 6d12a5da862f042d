// The accessible tree: one object for the program, one for each of its windows, and the
// events that keep a client's view of them current. The window layer tells the tree what
// changed; the tree looks at the windows and tells the bus later, from GLib's main
// context, when the layer is between two pieces of work.
#pragma once

#include "user/windows/window_observer.h"

#include <atk/atk.h>
#include <glib.h>

#include <map>
#include <string>
#include <vector>

namespace accessibility {

class AccessibleTree : public user::WindowObserver {
public:
    explicit AccessibleTree(const std::string& programName);
    ~AccessibleTree() override;
    AccessibleTree(const AccessibleTree&) = delete;
    AccessibleTree& operator=(const AccessibleTree&) = delete;

    AtkObject* application() const { return application_; }
    AtkObject* accessibleFor(HWND window);
    std::vector<HWND> shownTopLevels() const;

    void windowChanged(HWND window, user::WindowChange change) override;

private:
    struct Change {
        HWND window;
        user::WindowChange change;
    };
    static gboolean announcePending(gpointer tree);
    void announce(const Change& change);
    void announceShown(HWND window, AtkObject* object);
    void announceHidden(HWND window, AtkObject* object);
    void announceText(HWND window, AtkObject* object);
    void announceCaret(HWND window, AtkObject* object);
    void announceFocusAndActivation();
    AtkObject* known(HWND window) const;
    void forget(HWND window);

    AtkObject* application_;
    std::map<HWND, AtkObject*> objects_;
    std::map<HWND, std::string> texts_;  // the text a client last heard of, per text object
    std::map<HWND, int> carets_;
    std::vector<HWND> replaced_;   // edits whose whole text was set anew since last told
    std::vector<HWND> topLevels_;  // every top-level window, in creation order
    std::vector<HWND> announced_;  // the application's children as a client knows them
    std::vector<Change> pending_;
    guint idle_ = 0;
    HWND focus_ = nullptr;
    HWND active_ = nullptr;
};

}  // namespace accessibility
