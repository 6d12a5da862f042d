#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

bool allZero(const void* block, size_t size) {
    auto* bytes = static_cast<const unsigned char*>(block);
    for (size_t i = 0; i < size; ++i)
        if (bytes[i]) return false;
    return true;
}

// The text heap's use: zeroed blocks, freed and compacted, the heap destroyed at the end.
TEST(Heaps, BlocksAreZeroedOnRequestAndFreedByTheirHeap) {
    HANDLE heap = HeapCreate(0, 0x7FFFF, 0);
    ASSERT_NE(heap, nullptr);
    auto* block = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 515));
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(allZero(block, 515));
    std::memset(block, 'x', 515);
    EXPECT_NE(HeapAlloc(heap, 0, 0), nullptr) << "an empty request still gives a block";
    EXPECT_TRUE(HeapFree(heap, 0, block));
    EXPECT_FALSE(HeapFree(heap, 0, block)) << "freed twice";
    EXPECT_TRUE(HeapFree(heap, 0, nullptr));
    EXPECT_NE(HeapCompact(heap, 0), 0u);
    EXPECT_TRUE(HeapDestroy(heap));
    EXPECT_EQ(HeapAlloc(heap, 0, 8), nullptr);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnHandle) {
    HGLOBAL block = GlobalAlloc(GPTR, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(allZero(block, 100));
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalSize(block), 100u);
    EXPECT_EQ(GlobalFree(block), nullptr);
}

// As the clipboard and the edit's copy use them.
TEST(GlobalMemory, MoveableBlocksAreReachedThroughALock) {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 6);
    ASSERT_NE(handle, nullptr);
    auto* data = static_cast<char*>(GlobalLock(handle));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(static_cast<void*>(data), handle);
    std::memcpy(data, "hello", 6);
    SetLastError(12345);
    EXPECT_FALSE(GlobalUnlock(handle));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS)) << "the last lock went without error";
    EXPECT_STREQ(static_cast<char*>(GlobalLock(handle)), "hello");
    EXPECT_EQ(GlobalSize(handle), 6u);
    EXPECT_EQ(GlobalFree(handle), nullptr);
    EXPECT_EQ(GlobalLock(handle), nullptr);
}

}  // namespace
