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

TEST(Heaps, BlocksAreZeroedOnRequestAndOnlyTheirOwnHeapFreesThem) {
    HANDLE heap = HeapCreate(0, 0x7FFFF, 0);
    HANDLE other = HeapCreate(0, 0, 0);
    ASSERT_NE(heap, nullptr);
    ASSERT_NE(other, heap);

    auto* block = static_cast<char*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, 515));
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(allZero(block, 515));
    std::memset(block, 'x', 515);
    EXPECT_NE(HeapAlloc(heap, 0, 0), nullptr) << "an empty request still gives a block";

    void* foreign = std::malloc(16);
    EXPECT_FALSE(HeapFree(heap, 0, foreign));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_PARAMETER));
    std::free(foreign);
    EXPECT_FALSE(HeapFree(other, 0, block)) << "another heap's block";
    EXPECT_FALSE(HeapFree(heap, 0, block + 1)) << "the middle of a block";
    EXPECT_TRUE(HeapFree(heap, 0, block));
    EXPECT_FALSE(HeapFree(heap, 0, block)) << "freed twice";
    EXPECT_TRUE(HeapFree(heap, 0, nullptr));
    EXPECT_NE(HeapCompact(heap, 0), 0u);

    EXPECT_TRUE(HeapDestroy(other));
    EXPECT_TRUE(HeapDestroy(heap));
}

TEST(Heaps, ADestroyedHeapAndItsBlocksAreGone) {
    HANDLE heap = HeapCreate(0, 0, 0);
    void* block = HeapAlloc(heap, 0, 64);
    for (int i = 0; i < 100; ++i) HeapAlloc(heap, HEAP_ZERO_MEMORY, 1000);
    ASSERT_TRUE(HeapDestroy(heap));
    EXPECT_EQ(HeapAlloc(heap, 0, 8), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(HeapFree(heap, 0, block));
    EXPECT_FALSE(HeapDestroy(heap));
    EXPECT_EQ(HeapCompact(heap, 0), 0u);
}

TEST(Heaps, ABoundedHeapRefusesWhatExceedsItsMaximum) {
    HANDLE heap = HeapCreate(0, 0, 4096);
    void* most = HeapAlloc(heap, 0, 4000);
    ASSERT_NE(most, nullptr);
    EXPECT_EQ(HeapAlloc(heap, 0, 200), nullptr);
    EXPECT_EQ(HeapCompact(heap, 0), 96u);
    HeapFree(heap, 0, most);
    EXPECT_NE(HeapAlloc(heap, 0, 200), nullptr) << "freed bytes count again";
    HeapDestroy(heap);
}

TEST(GlobalMemory, FixedBlocksAreTheirOwnHandle) {
    HGLOBAL block = GlobalAlloc(GPTR, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(allZero(block, 100));
    EXPECT_EQ(GlobalLock(block), block);
    EXPECT_EQ(GlobalSize(block), 100u);
    EXPECT_EQ(GlobalFree(block), nullptr);
    EXPECT_EQ(GlobalFree(block), block) << "a second free fails and returns the handle";
    EXPECT_EQ(GlobalSize(block), 0u);
}

TEST(GlobalMemory, MoveableBlocksCountTheirLocks) {
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, 6);
    ASSERT_NE(handle, nullptr);
    auto* data = static_cast<char*>(GlobalLock(handle));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(static_cast<void*>(data), handle);
    std::memcpy(data, "hello", 6);
    EXPECT_EQ(GlobalLock(handle), data) << "the block does not move between locks";
    EXPECT_TRUE(GlobalUnlock(handle)) << "still locked once";
    SetLastError(12345);
    EXPECT_FALSE(GlobalUnlock(handle));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SUCCESS)) << "the last lock went without error";
    EXPECT_FALSE(GlobalUnlock(handle));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NOT_LOCKED));
    EXPECT_STREQ(static_cast<char*>(GlobalLock(handle)), "hello");
    EXPECT_EQ(GlobalSize(handle), 6u);
    EXPECT_EQ(GlobalFree(handle), nullptr);
    EXPECT_EQ(GlobalLock(handle), nullptr);
}

}  // namespace
