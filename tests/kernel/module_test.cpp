#include <gtest/gtest.h>

#include <windows.h>

#include "kernel/module_path.h"

#include <unistd.h>

#include <climits>
#include <string>

namespace {

TEST(Module, FileNameIsTheRunningExecutableAndCanBeRedirected) {
    char real[PATH_MAX] = {};
    ASSERT_GT(readlink("/proc/self/exe", real, sizeof real - 1), 0);
    char name[PATH_MAX];
    DWORD length = GetModuleFileNameA(nullptr, name, sizeof name);
    EXPECT_EQ(std::string(name), real);
    EXPECT_EQ(length, std::string(real).size());

    kernel::setModuleFileNameForTesting("/tmp/some folder/editor");
    EXPECT_EQ(GetModuleFileNameA(nullptr, name, sizeof name), 23u);
    EXPECT_STREQ(name, "/tmp/some folder/editor");
    // Too small a buffer: cut, terminated, result = buffer size.
    char small[8];
    EXPECT_EQ(GetModuleFileNameA(nullptr, small, sizeof small), 8u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_STREQ(small, "/tmp/so");
    kernel::setModuleFileNameForTesting("");
    GetModuleFileNameA(nullptr, name, sizeof name);
    EXPECT_EQ(std::string(name), real);
}

TEST(Module, TheProgramAndTheRichEditLibraryHaveHandles) {
    HMODULE self = GetModuleHandleA(nullptr);
    EXPECT_NE(self, nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), self);
    EXPECT_NE(LoadLibraryA("riched32.dll"), nullptr);
}

}  // namespace
