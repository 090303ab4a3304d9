#pragma once
// A thread of our own, in the manner of the class library's thread class: a subclass
// overrides Execute; Start runs it on a new thread. An object whose FreeOnTerminate is set
// (Execute may set it) deletes itself when Execute returns; any other must outlive its
// thread, and its destructor waits for it.
#include <cstdint>

#include "platform/win32/handles.h"

namespace platform::win32 {

class Thread {
public:
    Thread() = default;
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // False when no thread could be made; Execute then never runs.
    bool Start();

protected:
    virtual void Execute() = 0;
    bool FreeOnTerminate = false;

private:
    static unsigned __stdcall Run(void* self);
    unique_handle handle_;
    DWORD id_ = 0;
};

}  // namespace platform::win32
