// Errors end a command: main prints the message on stderr and exits with the code.
#pragma once

#include <string>

namespace uidriver {

enum ExitCode : int {
    kOk = 0,
    kUsage = 1,        // bad command line
    kNotFound = 2,     // no such window, control, key or value; timeout while waiting
    kApiFailure = 3,   // a Windows call failed
    kRefused = 4,      // the action is one a user could not do (disabled or hidden control)
};

struct Failure {
    ExitCode code;
    std::wstring message;
};

[[noreturn]] void Fail(ExitCode code, const std::wstring& message);
// Fails with kApiFailure, naming the call and the error code it left.
[[noreturn]] void FailApi(const std::wstring& call, unsigned long error);
[[noreturn]] void FailLastError(const std::wstring& call);

}  // namespace uidriver
