// Share modes between opens, in this process and in others.
#include <gtest/gtest.h>

#include <windows.h>

#include "lock_attempt.h"
#include "temp_directory.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>

#include <unistd.h>
#include <csignal>

using testfs::readBytes;
using testfs::writeBytes;

namespace {

constexpr DWORD readWrite = GENERIC_READ | GENERIC_WRITE;

HANDLE openForWriting(const std::string& path) {
    return CreateFileA(path.c_str(), readWrite, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
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

TEST_F(FileSharing, DeleteWaitsForTheWriterToClose) {
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
    EXPECT_EQ(readBytes(path), "dictionary");
    std::string other = dir.file("other.dat");
    writeBytes(other, "replacement");

    // An open here stops a delete unless it granted FILE_SHARE_DELETE, as on Win32.
    HANDLE reader = openForReading(other);
    EXPECT_FALSE(DeleteFileA(other.c_str()));
    CloseHandle(reader);
    reader = CreateFileA(other.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_TRUE(DeleteFileA(other.c_str()));
    CloseHandle(reader);

    char go = 'x';
    ASSERT_EQ(write(release[1], &go, 1), 1);
    waitpid(holder, nullptr, 0);
    EXPECT_TRUE(DeleteFileA(path.c_str()));
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
}

TEST_F(FileSharing, ProgramsThatLockWithFlockAreKeptOutAndKeepUsOut) {
    // Another program holding flock(LOCK_EX) alone: our writers fail, readers do not.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t holder = fork();
    if (holder == 0) {
        int fd = open(path.c_str(), O_RDWR);
        char byte = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
        (void)!write(ready[1], &byte, 1);
        pause();
        _exit(0);
    }
    char locked = 0;
    ASSERT_EQ(read(ready[0], &locked, 1), 1);
    ASSERT_EQ(locked, 'y');
    EXPECT_EQ(openForWriting(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    HANDLE reader = openForReading(path);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);

    // Our writer: another program's flock and its OFD lock both fail.
    HANDLE writer = openForWriting(path);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    testfs::LockAttempt other = testfs::tryLockingForWriting(path);
    EXPECT_FALSE(other.ofdLockTaken);
    EXPECT_FALSE(other.flockTaken);
    CloseHandle(writer);
    for (int fd : ready) close(fd);
}

TEST_F(FileSharing, AnOpenFileRenamesOnlyWhenItSharesDeleteAndAnOpenOneIsNeverReplaced) {
    std::string other = dir.file("other.dat");
    writeBytes(other, "replacement");
    HANDLE plain = openForWriting(other);
    EXPECT_FALSE(MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    CloseHandle(plain);

    HANDLE renamable = CreateFileA(other.c_str(), readWrite, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(renamable, INVALID_HANDLE_VALUE);
    HANDLE target = openForReading(path);
    EXPECT_FALSE(MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED)) << "the destination is open";
    CloseHandle(target);
    EXPECT_TRUE(MoveFileExA(other.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(readBytes(path), "replacement");
    // The handle still holds the file, now under the new name, for writing.
    EXPECT_EQ(openForWriting(path), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    DWORD written = 0;
    EXPECT_TRUE(WriteFile(renamable, "R", 1, &written, nullptr));
    CloseHandle(renamable);
    EXPECT_EQ(readBytes(path), "Replacement");
}

}  // namespace
