// Global memory. A fixed block's handle is its address; a moveable block's handle is a
// separate object that GlobalLock turns into the address, with a lock count as on Win32.
// Blocks never actually move here, which Win32 allows.
#include "kernel/last_error.h"

#include <cstdlib>
#include <mutex>
#include <unordered_map>

namespace {

struct GlobalBlock {
    void* data;
    SIZE_T size;
    bool moveable;
    unsigned locks = 0;
};

std::mutex blocksMutex;
std::unordered_map<HGLOBAL, GlobalBlock> blocks;  // by handle

GlobalBlock* blockOf(HGLOBAL handle) {
    auto found = blocks.find(handle);
    return found == blocks.end() ? nullptr : &found->second;
}

struct MoveableHandle {
    int unused;
};

}  // namespace

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes) {
    SIZE_T size = dwBytes ? dwBytes : 1;
    void* data = (uFlags & GMEM_ZEROINIT) ? std::calloc(1, size) : std::malloc(size);
    if (!data) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    bool moveable = uFlags & GMEM_MOVEABLE;
    HGLOBAL handle = moveable ? static_cast<HGLOBAL>(new MoveableHandle{}) : data;
    std::lock_guard<std::mutex> guard(blocksMutex);
    blocks.emplace(handle, GlobalBlock{data, dwBytes, moveable});
    return handle;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    if (!hMem) return nullptr;
    std::lock_guard<std::mutex> guard(blocksMutex);
    GlobalBlock* block = blockOf(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;  // Win32 returns the handle when it could not free it
    }
    std::free(block->data);
    if (block->moveable) delete static_cast<MoveableHandle*>(hMem);
    blocks.erase(hMem);
    return nullptr;
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    std::lock_guard<std::mutex> guard(blocksMutex);
    GlobalBlock* block = blockOf(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (block->moveable) ++block->locks;
    return block->data;
}

BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
    std::lock_guard<std::mutex> guard(blocksMutex);
    GlobalBlock* block = blockOf(hMem);
    if (!block) return kernel::failWith(ERROR_INVALID_HANDLE);
    // TRUE while the block stays locked; FALSE with ERROR_SUCCESS when this was the last lock.
    if (!block->moveable || block->locks == 0) return kernel::failWith(ERROR_NOT_LOCKED);
    if (--block->locks > 0) return TRUE;
    return kernel::failWith(ERROR_SUCCESS);
}

SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
    std::lock_guard<std::mutex> guard(blocksMutex);
    GlobalBlock* block = blockOf(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return block->size;
}
