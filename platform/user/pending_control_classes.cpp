// Placeholder until the BUTTON, STATIC and EDIT classes exist: the commit that adds them
// deletes this file.
#include "user/system_classes.h"

namespace user {

void registerButtonClass() {}
void registerStaticClass() {}
void registerEditClass() {}

}  // namespace user
