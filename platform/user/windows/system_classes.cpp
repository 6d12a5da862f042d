#include "user/windows/system_classes.h"

#include "user/controls/popup_menu.h"

namespace user {

void registerSystemClasses() {
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    registerDialogClass();
    registerButtonClass();
    registerStaticClass();
    registerEditClass();
    registerMenuClass();
}

}  // namespace user
