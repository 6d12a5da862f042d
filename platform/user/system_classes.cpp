#include "user/system_classes.h"

#include "user/popup_menu.h"

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
