#include "winbase.h"

namespace {
thread_local DWORD lastError = ERROR_SUCCESS;
}

extern "C" {
DWORD GetLastError() { return lastError; }
void SetLastError(DWORD dwErrCode) { lastError = dwErrCode; }
}
