#include "sync/SyncTimeThread.h"

#include "sync/CalendarTime.h"
#include "sync/DaytimeAttempt.h"
#include "sync/SntpAttempt.h"

namespace {

bool AddMilliseconds(const SYSTEMTIME& time, DWORD milliseconds, SYSTEMTIME& sum) {
    FILETIME file;
    if (!::SystemTimeToFileTime(&time, &file))
        return false;
    ULARGE_INTEGER units{{file.dwLowDateTime, file.dwHighDateTime}};
    units.QuadPart += static_cast<ULONGLONG>(milliseconds) * 10000;
    file.dwLowDateTime = units.LowPart;
    file.dwHighDateTime = units.HighPart;
    return ::FileTimeToSystemTime(&file, &sum) != FALSE;
}

} // namespace

CSyncTimeThread::CSyncTimeThread(CWinsockHolder& winsock, SyncSettings settings)
    : m_winsock(winsock), m_settings(std::move(settings)),
      m_stopEvent(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

DWORD CSyncTimeThread::Run() {
    int attempt = 0;
    DWORD delay = 0;
    while (attempt != kTimeServerCount) {
        // Nothing signals the event: the wait is the pause. A failed wait ends the thread.
        if (::WaitForSingleObject(m_stopEvent.Get(), delay) != WAIT_TIMEOUT)
            return 0;
        const HRESULT result = attempt % 2 != 0 ? QuerySntp(attempt) : QueryDaytime(attempt);
        if (FAILED(result)) {
            delay = m_settings.failurePause;
            ++attempt;
        } else {
            delay = m_settings.successPause;
        }
    }
    CriticalSectionLock lock(m_lock);
    m_tickOfReceipt = kGivenUp;
    return 0;
}

HRESULT CSyncTimeThread::QuerySntp(int attempt) {
    return ::QuerySntp(m_settings.sources, attempt, *this);
}

HRESULT CSyncTimeThread::QueryDaytime(int attempt) {
    return ::QueryDaytime(m_settings.sources, m_winsock, attempt, *this);
}

HRESULT CSyncTimeThread::SetServerTime(const SYSTEMTIME& utc) {
    // Checked here rather than trusting the platform's conversion, which lets a 29 February
    // of a common year through on some systems.
    if (!IsCalendarTime(utc))
        return E_INVALIDARG;

    CriticalSectionLock lock(m_lock);
    DWORD tick = m_settings.tickCount();
    // The two marker values are moved by a millisecond so that a receipt at such a tick does
    // not read as "no time yet" or "given up".
    if (tick == kNoTimeYet)
        tick = 1;
    else if (tick == kGivenUp)
        tick = kGivenUp - 1;
    m_tickOfReceipt = tick;
    m_serverTime = utc;
    return S_OK;
}

HRESULT CSyncTimeThread::GetServerTimeUtc(SYSTEMTIME* utc) {
    CriticalSectionLock lock(m_lock);
    if (m_tickOfReceipt == kGivenUp)
        return S_FALSE;
    if (m_tickOfReceipt == kNoTimeYet)
        return E_FAIL;
    const DWORD now = m_settings.tickCount();
    if (now < m_tickOfReceipt)
        return E_FAIL;
    SYSTEMTIME sum;
    if (!AddMilliseconds(m_serverTime, now - m_tickOfReceipt, sum))
        return E_FAIL;
    *utc = sum;
    return S_OK;
}

HRESULT CSyncTimeThread::GetServerTimeLocal(SYSTEMTIME* local) {
    SYSTEMTIME utc;
    const HRESULT result = GetServerTimeUtc(&utc);
    if (result != S_OK)
        return result;
    FILETIME utcFile, localFile;
    SYSTEMTIME converted;
    if (!::SystemTimeToFileTime(&utc, &utcFile) ||
        !::FileTimeToLocalFileTime(&utcFile, &localFile) ||
        !::FileTimeToSystemTime(&localFile, &converted))
        return E_FAIL;
    *local = converted;
    return S_OK;
}
