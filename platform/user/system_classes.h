// The window classes the layer itself provides (BUTTON, STATIC, EDIT and the dialog
// class), registered on first use of the window manager.
#pragma once

namespace user {

void registerButtonClass();
void registerStaticClass();
void registerEditClass();
void registerSystemClasses();  // all of them, once

}  // namespace user
