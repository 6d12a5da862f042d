// Private heaps: each heap owns the blocks it handed out, so that destroying it releases
// them all at once and a pointer it never gave out is refused instead of corrupting
// memory. Blocks come from the C allocator; a heap with a maximum size counts its bytes.
#include "kernel/last_error.h"

#include <cstdlib>
#include <mutex>
#include <unordered_map>
#include <unordered_set>

namespace {

struct Heap {
    std::mutex mutex;
    std::unordered_map<void*, SIZE_T> blocks;  // block -> size requested
    SIZE_T bytesInUse = 0;
    SIZE_T maximumSize = 0;  // 0 = grows as needed
    SIZE_T initialSize = 0;
};

std::mutex heapsMutex;
std::unordered_set<Heap*> heaps;

Heap* heapOf(HANDLE handle) {
    std::lock_guard<std::mutex> guard(heapsMutex);
    auto found = heaps.find(static_cast<Heap*>(handle));
    return found == heaps.end() ? nullptr : *found;
}

}  // namespace

HANDLE WINAPI HeapCreate(DWORD flOptions, SIZE_T dwInitialSize, SIZE_T dwMaximumSize) {
    if (dwMaximumSize != 0 && dwInitialSize > dwMaximumSize) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto* heap = new Heap;
    heap->maximumSize = dwMaximumSize;
    heap->initialSize = dwInitialSize;
    std::lock_guard<std::mutex> guard(heapsMutex);
    heaps.insert(heap);
    return heap;
}

LPVOID WINAPI HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes) {
    Heap* heap = heapOf(hHeap);
    if (!heap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(heap->mutex);
    if (heap->maximumSize != 0 && dwBytes > heap->maximumSize - heap->bytesInUse) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    // A zero-byte request still yields a distinct block, as on Win32.
    SIZE_T size = dwBytes ? dwBytes : 1;
    void* block = (dwFlags & HEAP_ZERO_MEMORY) ? std::calloc(1, size) : std::malloc(size);
    if (!block) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    heap->blocks.emplace(block, dwBytes);
    heap->bytesInUse += dwBytes;
    return block;
}

BOOL WINAPI HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem) {
    if (!lpMem) return TRUE;  // freeing nothing succeeds on Win32
    Heap* heap = heapOf(hHeap);
    if (!heap) return kernel::failWith(ERROR_INVALID_HANDLE);
    std::lock_guard<std::mutex> guard(heap->mutex);
    auto found = heap->blocks.find(lpMem);
    if (found == heap->blocks.end()) return kernel::failWith(ERROR_INVALID_PARAMETER);
    heap->bytesInUse -= found->second;
    heap->blocks.erase(found);
    std::free(lpMem);
    return TRUE;
}

SIZE_T WINAPI HeapCompact(HANDLE hHeap, DWORD dwFlags) {
    Heap* heap = heapOf(hHeap);
    if (!heap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    // Freed blocks went back to the C allocator at once, so there is nothing to coalesce.
    // The result is the largest block the heap could still give: what is left of a bounded
    // heap, else at least the size it was created with.
    std::lock_guard<std::mutex> guard(heap->mutex);
    if (heap->maximumSize != 0) return heap->maximumSize - heap->bytesInUse;
    return heap->initialSize ? heap->initialSize : 1;
}

BOOL WINAPI HeapDestroy(HANDLE hHeap) {
    Heap* heap = nullptr;
    {
        std::lock_guard<std::mutex> guard(heapsMutex);
        auto found = heaps.find(static_cast<Heap*>(hHeap));
        if (found == heaps.end()) return kernel::failWith(ERROR_INVALID_HANDLE);
        heap = *found;
        heaps.erase(found);
    }
    for (auto& [block, size] : heap->blocks) std::free(block);
    delete heap;
    return TRUE;
}
