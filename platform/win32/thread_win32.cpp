#include "platform/win32/thread_win32.h"

#include <process.h>

namespace platform::win32 {

Thread::~Thread() {
    if (handle_ && ::GetCurrentThreadId() != id_) ::WaitForSingleObject(handle_.get(), INFINITE);
}

bool Thread::Start() {
    // Made suspended and resumed only once the handle is stored: a thread that frees itself
    // may be gone by the time a running start would return.
    unsigned id = 0;
    const auto made = ::_beginthreadex(nullptr, 0, &Thread::Run, this, CREATE_SUSPENDED, &id);
    if (made == 0) return false;
    handle_.reset(reinterpret_cast<HANDLE>(made));
    id_ = id;
    ::ResumeThread(handle_.get());
    return true;
}

unsigned __stdcall Thread::Run(void* self) {
    auto* thread = static_cast<Thread*>(self);
    thread->Execute();
    if (thread->FreeOnTerminate) delete thread;
    return 0;
}

}  // namespace platform::win32
