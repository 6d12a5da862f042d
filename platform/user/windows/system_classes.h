// The window classes the layer itself provides (BUTTON, STATIC, EDIT, the predefined
// dialog class and the popup menu's), registered once, before the first class is looked up or created.
#pragma once

namespace user {

void registerButtonClass();    // controls: button.cpp
void registerStaticClass();    // controls: static.cpp
void registerEditClass();      // controls: edit.cpp
void registerDialogClass();    // dialog manager: "#32770" at atom 0x8002
void registerMenuClass();      // controls: popup_menu.cpp, "#32768" at atom 0x8000
void registerSystemClasses();  // all of them, once; the window manager calls it lazily

}  // namespace user
