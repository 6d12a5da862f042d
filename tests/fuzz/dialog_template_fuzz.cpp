// Any bytes as an in-memory dialog template: the parser reads it without a fault and
// finds as many items as the template says; a small one is then shown modally and ended
// at once. A template carries no size, so the bytes are followed by zero bytes, as memory
// after a template often is, enough for every item a count can ask for.
#include "display/headless/headless.h"
#include "user/dialogs/dialog_template.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr size_t zeroTail = 4 << 20;  // 65535 items of the smallest layout fit

INT_PTR CALLBACK endAtOnce(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message == WM_INITDIALOG) {
        EndDialog(dialog, 7);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<DWORD> memory(zeroTail / sizeof(DWORD));
    static bool ready = [] {
        display::installHeadless();
        return true;
    }();
    check(ready);
    if (size > 4096 || size < sizeof(DLGTEMPLATE)) return 0;
    auto* bytes = reinterpret_cast<uint8_t*>(memory.data());
    std::memcpy(bytes, data, size);

    user::dialogs::DialogTemplate parsed;
    DLGTEMPLATE head;
    std::memcpy(&head, bytes, sizeof head);
    if (user::dialogs::parseDialogTemplate(bytes, parsed)) {
        check(parsed.items.size() == head.cdit);
        if (head.cdit <= 16 && (head.style & WS_CHILD) == 0) {
            INT_PTR result =
                DialogBoxIndirectParamA(nullptr, reinterpret_cast<LPCDLGTEMPLATEA>(bytes), nullptr, endAtOnce, 0);
            check(result == 7 || result == -1);
        }
    }
    std::memset(bytes, 0, size);
    return 0;
}
