#include "user/system_classes.h"

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
}

}  // namespace user
