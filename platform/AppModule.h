// Stand-in for the framework's application module: the instance, the main thread, its loops.
#pragma once

#include <windows.h>

#include <map>

namespace WTL {

class CMessageLoop;

class CAppModule {
public:
    CAppModule() = default;
    CAppModule(const CAppModule&) = delete;
    CAppModule& operator=(const CAppModule&) = delete;
    virtual ~CAppModule();

    // Records the instance and the calling thread as the main thread and creates the empty
    // table of message loops. The object map and type library are accepted for the
    // framework's signature; this program has neither.
    HRESULT Init(const void* objectMap, HINSTANCE instance, const GUID* libId = nullptr);
    // Releases the table of message loops; the module is unusable until the next Init.
    void Term();

    HINSTANCE GetModuleInstance() const { return m_hInst; }
    DWORD GetMainThreadId() const { return m_dwMainThreadID; }

    // One message loop per thread; false when the thread already has one or Init has not run.
    bool AddMessageLoop(CMessageLoop* loop);
    bool RemoveMessageLoop();
    CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId()) const;

private:
    HINSTANCE m_hInst = nullptr;
    DWORD m_dwMainThreadID = 0;
    std::map<DWORD, CMessageLoop*>* m_pMsgLoopMap = nullptr;
};

} // namespace WTL
