#include "failure.h"

#include <windows.h>

namespace uidriver {

void Fail(ExitCode code, const std::wstring& message) { throw Failure{code, message}; }

void FailApi(const std::wstring& call, unsigned long error) {
    Fail(kApiFailure, call + L" failed, error " + std::to_wstring(error));
}

void FailLastError(const std::wstring& call) { FailApi(call, GetLastError()); }

}  // namespace uidriver
