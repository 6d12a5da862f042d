#include "kernel/debug_output.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(const char*)> debugListener;
}

namespace kernel {

void setDebugOutputListener(std::function<void(const char*)> listener) { debugListener = std::move(listener); }

}  // namespace kernel

void WINAPI OutputDebugStringA(LPCSTR lpOutputString) {
    if (!lpOutputString) return;
    if (debugListener) debugListener(lpOutputString);
    static const bool toStandardError = std::getenv("EDITOR_DEBUG_OUTPUT") != nullptr;
    if (toStandardError) std::fputs(lpOutputString, stderr);
}
