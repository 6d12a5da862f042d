// The process: its module (the executable itself; the only library the program loads by
// name is the rich-edit library, whose classes the layer provides itself), threads, and
// the text it sends to a debugger.
#include "kernel/debug_output.h"
#include "kernel/last_error.h"
#include "kernel/module_path.h"

#include <windows.h>

#include <strings.h>
#include <unistd.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string testModuleFileName;

int programModuleTag;  // its address is the program's module handle
int richEditModuleTag;

std::string executablePath() {
    if (!testModuleFileName.empty()) return testModuleFileName;
    std::string path(256, '\0');
    for (;;) {
        ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0) return {};
        if (static_cast<size_t>(length) < path.size()) {
            path.resize(static_cast<size_t>(length));
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

namespace kernel {

void setModuleFileNameForTesting(const std::string& path) { testModuleFileName = path; }

}  // namespace kernel

DWORD WINAPI GetModuleFileNameA(HMODULE hModule, LPSTR lpFilename, DWORD nSize) {
    if (hModule && hModule != reinterpret_cast<HMODULE>(&programModuleTag)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    std::string path = executablePath();
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    if (!lpFilename || nSize == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    // As on current Win32: a name that does not fit is cut to nSize - 1 characters, still
    // terminated, and the result is nSize with ERROR_INSUFFICIENT_BUFFER.
    if (path.size() >= nSize) {
        std::memcpy(lpFilename, path.data(), nSize - 1);
        lpFilename[nSize - 1] = '\0';
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return nSize;
    }
    std::memcpy(lpFilename, path.c_str(), path.size() + 1);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(path.size());
}

HMODULE WINAPI GetModuleHandleA(LPCSTR lpModuleName) {
    if (!lpModuleName) return reinterpret_cast<HMODULE>(&programModuleTag);
    if (strcasecmp(lpModuleName, "riched32.dll") == 0 || strcasecmp(lpModuleName, "riched32") == 0)
        return reinterpret_cast<HMODULE>(&richEditModuleTag);
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

HMODULE WINAPI LoadLibraryA(LPCSTR lpLibFileName) {
    if (!lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return GetModuleHandleA(lpLibFileName);
}

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

DWORD WINAPI GetCurrentThreadId(void) {
    // Win32 thread ids are small non-zero numbers; hand them out in order of first use.
    static std::atomic<DWORD> lastId{0};
    thread_local DWORD id = ++lastId;
    return id;
}
