// Record transfers that follow one another go through buffers; whatever else happens to
// the file meanwhile, every read returns what the file holds and no write is lost quietly.
#include <gtest/gtest.h>

#include <windows.h>

#include "file_size_limit.h"
#include "temp_directory.h"

#include <fstream>
#include <functional>
#include <string>

using testfs::readBytes;
using testfs::writeBytes;

namespace {

constexpr DWORD recordSize = 2056;
constexpr int fileRecords = 400;  // several buffers' worth
constexpr DWORD readWrite = GENERIC_READ | GENERIC_WRITE;

std::string recordOf(int n, char mark) { return std::string(recordSize - 4, mark) + std::to_string(1000 + n % 1000); }

// A handle on a file, with the bytes the file must hold as this test wrote them.
struct RecordFile {
    HANDLE handle;
    std::string* bytes;

    std::string read(int n) const {
        std::string got(recordSize, '\0');
        DWORD moved = 0;
        SetFilePointer(handle, (n - 1) * recordSize, nullptr, FILE_BEGIN);
        EXPECT_TRUE(ReadFile(handle, got.data(), recordSize, &moved, nullptr));
        got.resize(moved);
        return got;
    }
    std::string expected(int n) const {
        size_t at = size_t(n - 1) * recordSize;
        return at >= bytes->size() ? std::string() : bytes->substr(at, recordSize);
    }
    void readAndCheck(int first, int last) const {
        for (int n = first; n <= last; ++n) ASSERT_EQ(read(n), expected(n)) << "record " << n;
    }
    void write(int n, char mark) const {
        std::string data = recordOf(n, mark);
        DWORD moved = 0;
        SetFilePointer(handle, (n - 1) * recordSize, nullptr, FILE_BEGIN);
        ASSERT_TRUE(WriteFile(handle, data.data(), recordSize, &moved, nullptr));
        size_t at = size_t(n - 1) * recordSize;
        if (bytes->size() < at + recordSize) bytes->resize(at + recordSize);
        bytes->replace(at, recordSize, data);
    }
    void writeRun(int first, int last, char mark) const {
        for (int n = first; n <= last; ++n) write(n, mark);
    }
    void cutAfter(int n) const {
        SetFilePointer(handle, n * recordSize, nullptr, FILE_BEGIN);
        ASSERT_TRUE(SetEndOfFile(handle));
        bytes->resize(size_t(n) * recordSize);
    }
};

HANDLE openFile(const std::string& path, DWORD access, DWORD disposition, DWORD sharing = FILE_SHARE_READ) {
    return CreateFileA(path.c_str(), access, sharing, nullptr, disposition, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

long long processIo(const std::string& field) {
    std::ifstream io("/proc/self/io");
    std::string name;
    long long value = 0;
    while (io >> name >> value)
        if (name == field + ":") return value;
    return -1;
}

class FileBuffers : public ::testing::Test {
protected:
    testfs::TempDirectory dir;
    std::string path = dir.file("TranslationFile.dat");
    std::string bytes;

    void SetUp() override {
        bytes.clear();
        for (int n = 1; n <= fileRecords; ++n) bytes += recordOf(n, 'a');
        writeBytes(path, bytes);
    }
};

TEST_F(FileBuffers, ARunOfRecordsTakesASystemCallABufferAndALoneRecordOneRecord) {
    if (processIo("syscr") < 0) GTEST_SKIP() << "no /proc/self/io here";
    RecordFile file{openFile(path, readWrite, OPEN_EXISTING), &bytes};
    long long calls = processIo("syscr");
    file.readAndCheck(1, fileRecords);
    EXPECT_LT(processIo("syscr") - calls, fileRecords / 20);

    long long moved = processIo("rchar");
    file.readAndCheck(fileRecords / 2, fileRecords / 2);    // Goto: one record, not a buffer
    EXPECT_LT(processIo("rchar") - moved, 2 * recordSize);  // and what /proc says

    calls = processIo("syscw");
    file.writeRun(1, fileRecords, 'b');
    EXPECT_TRUE(FlushFileBuffers(file.handle));
    EXPECT_LT(processIo("syscw") - calls, fileRecords / 20);
    CloseHandle(file.handle);
    EXPECT_EQ(readBytes(path), bytes);
}

TEST_F(FileBuffers, EveryReadShowsWhatTheFileHolds) {
    struct Case {
        const char* name;
        std::function<void(const RecordFile&)> steps;
    };
    const Case cases[] = {
        {"a store, then a read of the same record",
         [](const RecordFile& f) {
             f.readAndCheck(1, 10);
             f.write(5, 's');
             f.readAndCheck(5, 12);
         }},
        {"Add: the new record past the end, then the header, read back",
         [](const RecordFile& f) {
             f.readAndCheck(1, fileRecords);
             f.write(fileRecords + 1, 'n');
             f.write(1, 'h');
             EXPECT_TRUE(FlushFileBuffers(f.handle));
             f.readAndCheck(1, 1);
             f.readAndCheck(fileRecords, fileRecords + 2);
         }},
        {"the file cut short and grown again",
         [](const RecordFile& f) {
             f.readAndCheck(1, 50);
             f.cutAfter(20);
             f.readAndCheck(19, 22);
             f.write(21, 'g');
             f.readAndCheck(20, 22);
         }},
        {"a run of writes read back before anything flushed it",
         [](const RecordFile& f) {
             f.writeRun(100, 200, 'w');
             f.readAndCheck(150, 151);
             f.writeRun(152, 160, 'x');
             f.readAndCheck(140, 170);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        RecordFile file{openFile(path, readWrite, OPEN_EXISTING), &bytes};
        ASSERT_NE(file.handle, INVALID_HANDLE_VALUE);
        c.steps(file);
        EXPECT_TRUE(CloseHandle(file.handle));
        EXPECT_EQ(readBytes(path), bytes);
    }
}

// What one handle writes, a reader of the same file sees at once, however it reads: through
// another handle, by the size, by a copy.
TEST_F(FileBuffers, OtherReadersSeeTheWritesAtOnce) {
    RecordFile writer{openFile(path, readWrite, OPEN_EXISTING), &bytes};
    RecordFile reader{openFile(path, GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ | FILE_SHARE_WRITE), &bytes};
    reader.readAndCheck(1, 20);
    writer.write(10, 'w');
    reader.readAndCheck(10, 10);
    writer.writeRun(fileRecords + 1, fileRecords + 30, 'r');
    EXPECT_EQ(GetFileSize(reader.handle, nullptr), bytes.size());
    reader.readAndCheck(fileRecords + 29, fileRecords + 31);
    writer.writeRun(fileRecords + 31, fileRecords + 40, 's');
    std::string copy = dir.file("copy.dat");
    EXPECT_TRUE(CopyFileA(path.c_str(), copy.c_str(), TRUE));
    EXPECT_EQ(readBytes(copy), bytes);
    CloseHandle(reader.handle);
    CloseHandle(writer.handle);
}

// The rebuild: the dictionary read ahead, a work file written and flushed, renamed over the
// dictionary, its handle going on as the dictionary's; and the dictionary opened again.
TEST_F(FileBuffers, TheRebuildsNewDictionaryIsReadAsWritten) {
    RecordFile dictionary{openFile(path, readWrite, OPEN_EXISTING), &bytes};
    std::string workBytes;
    std::string workPath = dir.file("TranslationFileNEW.dat");
    RecordFile work{openFile(workPath, readWrite, CREATE_NEW, FILE_SHARE_READ | FILE_SHARE_DELETE), &workBytes};
    for (int n = 2; n <= fileRecords; ++n) {
        dictionary.readAndCheck(n, n);
        work.write(n, 'c');
    }
    work.write(1, 'h');
    ASSERT_TRUE(FlushFileBuffers(work.handle));
    CloseHandle(dictionary.handle);
    ASSERT_TRUE(MoveFileExA(workPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING));
    work.readAndCheck(1, fileRecords);
    RecordFile reopened{openFile(path, GENERIC_READ, OPEN_EXISTING, FILE_SHARE_READ | FILE_SHARE_WRITE), &workBytes};
    reopened.readAndCheck(1, fileRecords);
    CloseHandle(reopened.handle);
    CloseHandle(work.handle);
}

// A write kept back that the file then refuses (here: past the largest size this process may
// make) fails the next write or the flush; a run never looks written when it is not.
TEST_F(FileBuffers, AWriteTheFileRefusesLaterIsReportedByTheFlush) {
    editor::FileSizeLimit limit;
    limit.set(10 * recordSize);
    HANDLE handle = openFile(dir.file("work.dat"), readWrite, CREATE_NEW);
    bool everyWriteSucceeded = true;
    for (int n = 1; n <= 20; ++n) {
        std::string data = recordOf(n, 'w');
        DWORD moved = 0;
        everyWriteSucceeded = WriteFile(handle, data.data(), recordSize, &moved, nullptr) && everyWriteSucceeded;
    }
    BOOL flushed = FlushFileBuffers(handle);
    DWORD error = GetLastError();
    CloseHandle(handle);
    limit.lift();

    EXPECT_FALSE(everyWriteSucceeded && flushed);
    if (everyWriteSucceeded) {
        EXPECT_EQ(error, DWORD(ERROR_DISK_FULL));
    }
}

}  // namespace
