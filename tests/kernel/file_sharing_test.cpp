// Share modes between opens, in this process and in others.
#include <gtest/gtest.h>

#include <windows.h>

#include "temp_directory.h"

#include <sys/wait.h>
#include <unistd.h>

using testfs::readBytes;
using testfs::writeBytes;

namespace {

constexpr DWORD readWrite = GENERIC_READ | GENERIC_WRITE;

HANDLE openForWriting(const std::string& path) {
    return CreateFileA(path.c_str(), readWrite, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE openForReading(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

class FileSharing : public ::testing::Test {
protected:
    testfs::TempDirectory dir;
    std::string path = dir.file("TranslationFile.dat");
    void SetUp() override { writeBytes(path, "dictionary"); }
};

TEST_F(FileSharing, ReadersNeverConflictAndWritersConflictWithinOneProcess) {
    HANDLE reader1 = openForReading(path);
    HANDLE reader2 = openForReading(path);
    HANDLE writer = openForWriting(path);
    ASSERT_NE(reader1, INVALID_HANDLE_VALUE);
    ASSERT_NE(reader2, INVALID_HANDLE_VALUE);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE) << "readers do not keep a writer out";

    EXPECT_EQ(openForWriting(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    HANDLE reader3 = openForReading(path);
    EXPECT_NE(reader3, INVALID_HANDLE_VALUE);

    CloseHandle(writer);
    HANDLE writerAgain = openForWriting(path);
    EXPECT_NE(writerAgain, INVALID_HANDLE_VALUE) << "closing releases the file";
    for (HANDLE h : {reader1, reader2, reader3, writerAgain}) CloseHandle(h);
}

TEST_F(FileSharing, DeleteAndReplaceWaitForTheWriterToClose) {
    pid_t holder = 0;
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    holder = fork();
    if (holder == 0) {
        HANDLE h = openForWriting(path);
        char byte = h != INVALID_HANDLE_VALUE ? 'y' : 'n';
        (void)!write(ready[1], &byte, 1);
        (void)!read(release[0], &byte, 1);
        _exit(0);
    }
    char opened = 0;
    ASSERT_EQ(read(ready[0], &opened, 1), 1);
    ASSERT_EQ(opened, 'y');

    EXPECT_FALSE(DeleteFileA(path.c_str()));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    std::string other = dir.file("other.dat");
    writeBytes(other, "replacement");
    EXPECT_FALSE(CopyFileA(other.c_str(), path.c_str(), FALSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(readBytes(path), "dictionary");

    // A reader elsewhere does not stop a delete.
    HANDLE reader = openForReading(other);
    EXPECT_TRUE(DeleteFileA(other.c_str()));
    CloseHandle(reader);

    char go = 'x';
    ASSERT_EQ(write(release[1], &go, 1), 1);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

TEST_F(FileSharing, ACopyIsNeverSeenHalfWritten) {
    // While another process keeps replacing the file by copies of two different files,
    // every look at it finds one of them whole.
    const std::string first(1 << 20, 'A'), second(1 << 20, 'B');
    std::string a = dir.file("a.dat"), b = dir.file("b.dat");
    writeBytes(a, first);
    writeBytes(b, second);
    writeBytes(path, first);
    pid_t copier = fork();
    if (copier == 0) {
        for (int i = 0; i < 40; ++i)
            if (!CopyFileA((i % 2 ? a : b).c_str(), path.c_str(), FALSE)) _exit(1);
        _exit(0);
    }
    int torn = 0, looks = 0, status = 0;
    while (waitpid(copier, &status, WNOHANG) == 0) {
        std::string seen = readBytes(path);
        ++looks;
        if (seen != first && seen != second) ++torn;
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(torn, 0) << "of " << looks << " looks";
}

}  // namespace
