// Threads, time and the end of the process.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

DWORD WINAPI GetCurrentThreadId(void) {
    // Win32 thread ids are small non-zero numbers; hand them out in order of first use.
    static std::atomic<DWORD> lastId{0};
    thread_local DWORD id = ++lastId;
    return id;
}

DWORD WINAPI GetTickCount(void) {
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void WINAPI Sleep(DWORD dwMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds)); }

void WINAPI ExitProcess(UINT uExitCode) {
    // Like Win32 the runtime's exit handlers run and open streams are flushed.
    std::exit(static_cast<int>(uExitCode));
}
