// Thread hooks. Only the CBT hook exists: it sees windows being created and destroyed.
// Hooks form a chain, newest first; each passes on with CallNextHookEx.
#include "user/windows/window_manager.h"

#include <algorithm>

namespace user {

namespace {

std::vector<std::unique_ptr<Hook>>& allHooks() { return WindowManager::the().hooks.all; }

std::vector<Hook*>& cbtChain() { return WindowManager::the().hooks.cbt; }

LRESULT callFrom(size_t index, int code, WPARAM wParam, LPARAM lParam) {
    auto& chain = cbtChain();
    if (index >= chain.size()) return 0;
    OutsideCall call;
    return chain[index]->procedure(code, wParam, lParam);
}

}  // namespace

LRESULT callCbtHook(int code, WPARAM wParam, LPARAM lParam) { return callFrom(0, code, wParam, lParam); }

}  // namespace user

HHOOK WINAPI SetWindowsHookExA(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD) {
    if (idHook != WH_CBT || !lpfn) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto hook = std::make_unique<user::Hook>(user::Hook{lpfn});
    user::Hook* raw = hook.get();
    user::allHooks().push_back(std::move(hook));
    user::cbtChain().insert(user::cbtChain().begin(), raw);
    return reinterpret_cast<HHOOK>(raw);
}

BOOL WINAPI UnhookWindowsHookEx(HHOOK hhk) {
    auto& chain = user::cbtChain();
    auto it = std::find(chain.begin(), chain.end(), reinterpret_cast<user::Hook*>(hhk));
    if (it == chain.end()) return FALSE;
    chain.erase(it);
    return TRUE;
}

LRESULT WINAPI CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
    auto& chain = user::cbtChain();
    auto it = std::find(chain.begin(), chain.end(), reinterpret_cast<user::Hook*>(hhk));
    if (it == chain.end()) return 0;
    return user::callFrom(static_cast<size_t>(it - chain.begin()) + 1, nCode, wParam, lParam);
}
