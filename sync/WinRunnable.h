// The worker-thread framework: an object whose Run is the body of its own thread.
#pragma once

#include "platform/ScopedHandle.h"

#include <windows.h>

namespace WinMod {

class IWinRunnable {
public:
    // The thread's exit code.
    virtual DWORD Run() = 0;

protected:
    ~IWinRunnable() = default;
};

class AWinRunnable : public IWinRunnable {
public:
    AWinRunnable() = default;
    AWinRunnable(const AWinRunnable&) = delete;
    AWinRunnable& operator=(const AWinRunnable&) = delete;
    // Closes the thread handle only: a running thread is neither stopped nor waited for.
    virtual ~AWinRunnable() = default;

    // Starts Run on a new thread; 0x800704DF while the previous thread still runs. A thread
    // that cannot be created or resumed gives the platform's error, and the next Start tries
    // again.
    HRESULT Start();
    // True when no thread was ever started or the last one has ended.
    bool IsFinished() const;
    HANDLE GetThread() const { return m_thread.Get(); }

protected:
    // Lets the suspended new thread run; false with the last error set when it cannot.
    virtual bool ResumeSuspended(HANDLE thread);

private:
    static unsigned __stdcall ThreadEntry(void* runnable);

    ScopedHandle m_thread;
};

} // namespace WinMod
