#include "sync/WinRunnable.h"

#include <process.h>

namespace WinMod {

namespace {

HRESULT LastErrorResult() {
    const DWORD error = ::GetLastError();
    return error != 0 ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

} // namespace

HRESULT AWinRunnable::Start() {
    if (m_thread.IsValid() && ::WaitForSingleObject(m_thread.Get(), 0) == WAIT_TIMEOUT)
        return HRESULT_FROM_WIN32(ERROR_ALREADY_INITIALIZED);
    m_thread.Reset();

    // Through the run-time library, so that the thread's run-time state is set up.
    const uintptr_t thread =
        ::_beginthreadex(nullptr, 0, ThreadEntry, this, CREATE_SUSPENDED, nullptr);
    if (thread == 0)
        return LastErrorResult();
    m_thread.Reset(reinterpret_cast<HANDLE>(thread));
    if (!ResumeSuspended(m_thread.Get())) {
        const HRESULT result = LastErrorResult();
        // It never ran any of our code, so ending it leaves nothing half done; without its
        // handle the object counts as finished and can start again.
        ::TerminateThread(m_thread.Get(), 0);
        m_thread.Reset();
        return result;
    }
    return S_OK;
}

bool AWinRunnable::ResumeSuspended(HANDLE thread) {
    return ::ResumeThread(thread) != static_cast<DWORD>(-1);
}

bool AWinRunnable::IsFinished() const {
    return !m_thread.IsValid() || ::WaitForSingleObject(m_thread.Get(), 0) != WAIT_TIMEOUT;
}

unsigned __stdcall AWinRunnable::ThreadEntry(void* runnable) {
    return static_cast<AWinRunnable*>(runnable)->Run();
}

} // namespace WinMod
