// The common-controls subset: this program only initialises the library and names the
// classes its control kinds map to.
#pragma once

#include <windows.h>

#define WC_LISTVIEWA "SysListView32"
#define WC_TREEVIEWA "SysTreeView32"
#define STATUSCLASSNAMEA "msctls_statusbar32"
#define TOOLBARCLASSNAMEA "ToolbarWindow32"

#define CCS_TOP 0x00000001L
#define CCS_NOMOVEY 0x00000002L
#define CCS_BOTTOM 0x00000003L
#define CCS_VERT 0x00000080L

void WINAPI InitCommonControls(void);
