#include "platform/AppModule.h"

namespace WTL {

CAppModule::~CAppModule() {
    Term();
}

HRESULT CAppModule::Init(const void*, HINSTANCE instance, const GUID*) {
    Term();
    m_hInst = instance;
    m_dwMainThreadID = ::GetCurrentThreadId();
    m_pMsgLoopMap = new std::map<DWORD, CMessageLoop*>;
    return S_OK;
}

void CAppModule::Term() {
    delete m_pMsgLoopMap;
    m_pMsgLoopMap = nullptr;
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop) {
    if (m_pMsgLoopMap == nullptr || loop == nullptr)
        return false;
    return m_pMsgLoopMap->emplace(::GetCurrentThreadId(), loop).second;
}

bool CAppModule::RemoveMessageLoop() {
    return m_pMsgLoopMap != nullptr && m_pMsgLoopMap->erase(::GetCurrentThreadId()) == 1;
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) const {
    if (m_pMsgLoopMap == nullptr)
        return nullptr;
    auto found = m_pMsgLoopMap->find(threadId);
    return found == m_pMsgLoopMap->end() ? nullptr : found->second;
}

} // namespace WTL
