#include <gtest/gtest.h>

#include <windows.h>

#include "kernel/fault_injection.h"
#include "temp_directory.h"

#include <sys/stat.h>

#include <filesystem>

using testfs::readBytes;
using testfs::writeBytes;

namespace {

HANDLE openWith(const std::string& path, DWORD access, DWORD disposition) {
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

constexpr DWORD readWrite = GENERIC_READ | GENERIC_WRITE;

class Files : public ::testing::Test {
protected:
    testfs::TempDirectory dir;
    std::string path = dir.file("data.bin");
};

TEST_F(Files, DispositionsCreateOpenAndEmptyAsWin32Does) {
    struct Case {
        bool exists;  // as "hello" beforehand
        DWORD access, disposition;
        bool opens;
        DWORD error;        // the last error afterwards
        const char* after;  // the file's contents, or null when there is none
    };
    const Case cases[] = {
        {false, GENERIC_READ, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr},
        {false, readWrite, OPEN_ALWAYS, true, ERROR_SUCCESS, ""},
        {true, readWrite, OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS, "hello"},
        {true, readWrite, CREATE_NEW, false, ERROR_FILE_EXISTS, "hello"},
        {true, readWrite, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, ""},
        {true, readWrite, 0, false, ERROR_INVALID_PARAMETER, "hello"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "disposition " << c.disposition << (c.exists ? " on a file" : " on none"));
        std::filesystem::remove(path);
        if (c.exists) writeBytes(path, "hello");
        HANDLE h = openWith(path, c.access, c.disposition);
        EXPECT_EQ(h != INVALID_HANDLE_VALUE, c.opens);
        EXPECT_EQ(GetLastError(), c.error);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
        EXPECT_EQ(std::filesystem::exists(path), c.after != nullptr);
        if (c.after) {
            EXPECT_EQ(readBytes(path), c.after);
        }
    }
    EXPECT_EQ(openWith(dir.path(), GENERIC_READ, OPEN_EXISTING), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

TEST_F(Files, ReadsStopAtTheEndAndAccessIsEnforced) {
    writeBytes(path, "abcdef");
    HANDLE h = openWith(path, GENERIC_READ, OPEN_EXISTING);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    char buffer[10] = "*********";
    DWORD got = 99;
    ASSERT_TRUE(ReadFile(h, buffer, 10, &got, nullptr));
    EXPECT_EQ(got, 6u);
    EXPECT_EQ(std::string(buffer, 9), "abcdef***");
    ASSERT_TRUE(ReadFile(h, buffer, 10, &got, nullptr));  // at the end: success, nothing moved
    EXPECT_EQ(got, 0u);

    DWORD written = 7;
    EXPECT_FALSE(WriteFile(h, "x", 1, &written, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    EXPECT_EQ(written, 0u);
    EXPECT_FALSE(FlushFileBuffers(h));
    EXPECT_FALSE(SetEndOfFile(h));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_EQ(readBytes(path), "abcdef");
}

TEST_F(Files, PositionsUseBothHalvesOfTheOffset) {
    HANDLE h = openWith(path, readWrite, CREATE_ALWAYS);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    // 5 GiB + 3: the high half carries the 1, the low half the rest.
    LONG high = 1;
    EXPECT_EQ(SetFilePointer(h, 0x40000003, &high, FILE_BEGIN), 0x40000003u);
    EXPECT_EQ(high, 1);
    DWORD written;
    ASSERT_TRUE(WriteFile(h, "z", 1, &written, nullptr));
    DWORD sizeHigh = 0;
    EXPECT_EQ(GetFileSize(h, &sizeHigh), 0x40000004u);
    EXPECT_EQ(sizeHigh, 1u);

    // A negative 64-bit distance from the end, given through the high half.
    high = -1;
    EXPECT_EQ(SetFilePointer(h, -4, &high, FILE_END), 0x40000000u);
    EXPECT_EQ(high, 1);
    EXPECT_EQ(SetFilePointer(h, 6, nullptr, FILE_BEGIN), 6u);
    ASSERT_TRUE(SetEndOfFile(h));
    EXPECT_EQ(GetFileSize(h, &sizeHigh), 6u);
    EXPECT_EQ(sizeHigh, 0u);
    CloseHandle(h);
}

TEST_F(Files, AFullDiskFailsTheWriteWithDiskFull) {
    HANDLE h = openWith("/dev/full", GENERIC_WRITE, OPEN_EXISTING);
    if (h == INVALID_HANDLE_VALUE) GTEST_SKIP() << "no /dev/full here";
    DWORD written = 1;
    EXPECT_FALSE(WriteFile(h, "data", 4, &written, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
    EXPECT_EQ(written, 0u);
    CloseHandle(h);
}

TEST_F(Files, CopyHonoursFailIfExistsAndWritesInPlace) {
    std::string source = dir.file("source.bin"), target = dir.file("target.bin");
    EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), FALSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));

    writeBytes(source, "new contents");
    writeBytes(target, "old");
    std::filesystem::permissions(target, std::filesystem::perms(0640));
    EXPECT_FALSE(CopyFileA(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
    EXPECT_EQ(readBytes(target), "old");

    auto inode = [](const std::string& p) {
        struct stat info {};
        stat(p.c_str(), &info);
        return info.st_ino;
    };
    auto before = inode(target);
    EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), FALSE));
    EXPECT_EQ(readBytes(target), "new contents");
    EXPECT_EQ(inode(target), before) << "the destination is overwritten, not replaced";
    EXPECT_EQ(std::filesystem::status(target).permissions(), std::filesystem::perms(0640));
    std::filesystem::remove(target);
    EXPECT_TRUE(CopyFileA(source.c_str(), target.c_str(), TRUE));
    EXPECT_EQ(readBytes(target), "new contents");
    EXPECT_EQ(readBytes(source), "new contents");
    EXPECT_FALSE(CopyFileA(source.c_str(), (dir.path() + "/./source.bin").c_str(), FALSE));
    EXPECT_EQ(readBytes(source), "new contents") << "a copy onto itself empties nothing";
}

TEST_F(Files, MoveReplacesOnlyWhenAskedAndDeleteReportsMissingFiles) {
    std::string a = dir.file("a"), b = dir.file("b");
    writeBytes(a, "A");
    writeBytes(b, "B");
    EXPECT_FALSE(MoveFileExA(a.c_str(), b.c_str(), 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(readBytes(b), "B");
    EXPECT_TRUE(MoveFileExA(a.c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(readBytes(b), "A");
    EXPECT_FALSE(std::filesystem::exists(a));

    // A link is a reparse point of its own; deleting it leaves its target; a handle
    // opened through it names the target.
    std::string link = dir.file("link");
    std::filesystem::create_symlink(b, link);
    EXPECT_EQ(GetFileAttributesA(link.c_str()), DWORD(FILE_ATTRIBUTE_REPARSE_POINT));
    HANDLE h = openWith(link, GENERIC_READ, OPEN_EXISTING);
    char final[512];
    DWORD length = GetFinalPathNameByHandleA(h, final, sizeof final, FILE_NAME_NORMALIZED);
    EXPECT_EQ(std::string(final, length), std::filesystem::canonical(b).string());
    EXPECT_EQ(GetFinalPathNameByHandleA(h, final, 2, FILE_NAME_NORMALIZED), length + 1);
    CloseHandle(h);
    EXPECT_TRUE(DeleteFileA(link.c_str()));
    EXPECT_EQ(readBytes(b), "A");

    EXPECT_TRUE(DeleteFileA(b.c_str()));
    EXPECT_FALSE(DeleteFileA(b.c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesA(b.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(dir.path().c_str()), DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_FALSE(DeleteFileA(dir.path().c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
}

// A path given out for an open file leads to that file: none for a file no name leads to
// any more (the system would name it "... (deleted)"), nor for one renamed over.
TEST_F(Files, TheFinalPathIsOnlyAPathThatLeadsToTheOpenFile) {
    char final[4096];
    auto finalPath = [&](HANDLE h) {
        DWORD length = GetFinalPathNameByHandleA(h, final, sizeof final, FILE_NAME_NORMALIZED);
        return length > 0 ? std::string(final, length) : "error " + std::to_string(GetLastError());
    };
    writeBytes(path, "hello");
    HANDLE h = openWith(path, GENERIC_READ, OPEN_EXISTING);
    EXPECT_EQ(finalPath(h), std::filesystem::canonical(path).string());
    writeBytes(path + ".new", "other");
    std::filesystem::rename(path + ".new", path);
    EXPECT_EQ(finalPath(h), "error 2");
    CloseHandle(h);
    h = openWith(path, GENERIC_READ, OPEN_EXISTING);
    std::filesystem::remove(path);
    EXPECT_EQ(finalPath(h), "error 2");
    CloseHandle(h);
}

// Opening a FIFO returns at once, as a Win32 open does, and its type says what it is.
TEST_F(Files, SpecialFilesOpenWithoutWaitingAndTellTheirType) {
    ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0600), 0);
    writeBytes(path, "hello");
    const std::pair<std::string, DWORD> cases[] = {
        {path, FILE_TYPE_DISK}, {dir.file("fifo"), FILE_TYPE_PIPE}, {"/dev/null", FILE_TYPE_CHAR}};
    for (const auto& [name, type] : cases) {
        HANDLE h = openWith(name, GENERIC_READ, OPEN_EXISTING);
        ASSERT_NE(h, INVALID_HANDLE_VALUE) << name;
        EXPECT_EQ(GetFileType(h), type) << name;
        CloseHandle(h);
    }
}

#ifdef EDITOR_FAULT_INJECTION
TEST_F(Files, InjectedFaultsFailTheChosenOperationOnly) {
    HANDLE h = openWith(path, readWrite, CREATE_ALWAYS);
    DWORD written;
    kernel::failNthFileOperation(2, ERROR_DISK_FULL);
    EXPECT_TRUE(WriteFile(h, "one", 3, &written, nullptr));
    EXPECT_FALSE(WriteFile(h, "two", 3, &written, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
    EXPECT_TRUE(FlushFileBuffers(h));
    EXPECT_EQ(kernel::countedFileOperations(), 3);
    kernel::failNthFileOperation(1, ERROR_WRITE_FAULT, true);
    EXPECT_FALSE(FlushFileBuffers(h));
    EXPECT_FALSE(DeleteFileA(path.c_str()));
    kernel::clearFileFaults();
    CloseHandle(h);
    EXPECT_EQ(readBytes(path), "one");
    EXPECT_TRUE(DeleteFileA(path.c_str()));
}
#endif

}  // namespace
