#ifdef EDITOR_FAULT_INJECTION

#include "kernel/fault_injection.h"

namespace kernel {
namespace {
int failingOperation = 0;  // 0 = none armed
DWORD injectedError = ERROR_SUCCESS;
bool keepFailing = false;
int operationsCounted = 0;
void (*operationObserver)(int) = nullptr;
}  // namespace

void failNthFileOperation(int n, DWORD error, bool sticky) {
    failingOperation = n > 0 ? n : 0;
    injectedError = error;
    keepFailing = sticky;
    operationsCounted = 0;
}

void clearFileFaults() { failNthFileOperation(0, ERROR_SUCCESS); }

int countedFileOperations() { return operationsCounted; }

void observeFileOperations(void (*observer)(int n)) { operationObserver = observer; }

void fileOperationEnded() {
    if (operationObserver) operationObserver(operationsCounted);
}

DWORD nextFileOperationFault() {
    ++operationsCounted;
    if (failingOperation == 0) return ERROR_SUCCESS;
    if (operationsCounted == failingOperation || (keepFailing && operationsCounted > failingOperation))
        return injectedError;
    return ERROR_SUCCESS;
}

}  // namespace kernel

#endif
