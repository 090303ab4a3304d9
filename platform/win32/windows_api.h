#pragma once
// The Windows headers, minus the macros that would rename our own interface
// methods (CreateDirectory -> CreateDirectoryA and so on). Win32 files include
// this first, instead of <windows.h>, and call the A functions by their names.
#include <windows.h>

#undef CreateDirectory
#undef DeleteFile
#undef SetCurrentDirectory
#undef GetEnvironmentVariable
#undef CreateFileMapping
#undef GetVersionEx
#undef FindResource
#undef LoadImage
#undef SetWindowText
#undef SendMessage
#undef PostMessage
