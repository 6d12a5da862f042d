// The common-controls library: the program only initialises it. The classes it would
// register are not used by this program, so there is nothing to do.
#include <commctrl.h>

void WINAPI InitCommonControls(void) {}
