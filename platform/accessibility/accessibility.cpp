#include "accessibility/accessibility.h"

#include "accessibility/accessible_tree.h"
#include "accessibility/atk_objects.h"
#include "accessibility/glib_wait.h"

#include <atk-bridge.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace accessibility {

namespace {

struct EditorUtil {
    AtkUtil parent;
};
struct EditorUtilClass {
    AtkUtilClass parent;
};

AtkObject* rootAccessible() { return applicationAccessible(); }
const gchar* toolkitName() { return "translation-editor platform"; }
const gchar* toolkitVersion() { return "1.0"; }

class BusSession : public Session {
public:
    explicit BusSession(const std::string& name) : tree_(name) {}
    bool join() {
        if (atk_bridge_adaptor_init(nullptr, nullptr) != 0) return false;
        joined_ = true;
        user::setWindowObserver(&tree_);
        display::setWaitSource(&wait_);
        return true;
    }
    ~BusSession() override {
        user::setWindowObserver(nullptr);
        display::setWaitSource(nullptr);
        if (joined_) atk_bridge_adaptor_cleanup();
    }

private:
    AccessibleTree tree_;
    GlibWaitSource wait_;
    bool joined_ = false;
};

}  // namespace

}  // namespace accessibility

using namespace accessibility;

// ATK asks its utility class for the root of the tree; a subclass of it is how a toolkit
// puts its own application object there.
G_DEFINE_TYPE(EditorUtil, editor_util, ATK_TYPE_UTIL)

static void editor_util_class_init(EditorUtilClass*) {
    auto* util = static_cast<AtkUtilClass*>(g_type_class_peek(ATK_TYPE_UTIL));
    util->get_root = rootAccessible;
    util->get_toolkit_name = toolkitName;
    util->get_toolkit_version = toolkitVersion;
}
static void editor_util_init(EditorUtil*) {}

namespace accessibility {

std::unique_ptr<Session> start(const char* programPath) {
    const char* off = std::getenv("NO_AT_BRIDGE");
    if (off && std::strcmp(off, "1") == 0) return nullptr;
    const char* slash = std::strrchr(programPath, '/');
    std::string name = slash ? slash + 1 : programPath;
    g_set_prgname(name.c_str());
    g_type_class_ref(editor_util_get_type());
    auto session = std::make_unique<BusSession>(name);
    if (!session->join()) return nullptr;
    return session;
}

}  // namespace accessibility
