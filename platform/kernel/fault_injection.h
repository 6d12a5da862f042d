// Test builds only (EDITOR_FAULT_INJECTION): make the file operations that can fail on a
// real medium fail on purpose, to prove that callers notice. Counted operations are
// WriteFile, FlushFileBuffers, MoveFileExA, CopyFileA and DeleteFileA.
#pragma once

#ifdef EDITOR_FAULT_INJECTION

#include <windows.h>

namespace kernel {

// Counting from the next counted operation as 1, operation `n` fails with `error` (for
// example ERROR_DISK_FULL) and changes nothing; with `sticky`, every later one fails too,
// as a full disk would. n <= 0 disarms.
void failNthFileOperation(int n, DWORD error, bool sticky = false);
void clearFileFaults();
// Counted operations since the last arming or clearing.
int countedFileOperations();

// Calls `observer` with the operation's number each time a counted operation has ended,
// whatever its result, so that a test can act between two operations (null: no more).
void observeFileOperations(void (*observer)(int n));

// For the kernel's own file calls: the error the current operation must fail with, or
// ERROR_SUCCESS. Each call counts one operation.
DWORD nextFileOperationFault();
// Ends the counted operation that the last nextFileOperationFault() began.
void fileOperationEnded();

// Lives for the span of one counted operation and reports its end.
struct CountedFileOperation {
    ~CountedFileOperation() { fileOperationEnded(); }
};

}  // namespace kernel

#endif
