// The window's time labels and the setting of the clock from the server's time.
#include "app/MainDlg.h"

#include "app/SingleInstance.h"
#include "app/TimeFormat.h"
#include "toolkit/resources/BkString.h"

#include <clocale>
#include <cwchar>

namespace {

constexpr int kStringConnecting = 10;
constexpr int kStringConnectionFailed = 11;
constexpr int kStringClockSet = 12;
constexpr int kStringClockRefused = 13;

std::wstring TableText(int id) {
    const wchar_t* text = BkString::GetEscaped(id);
    return text != nullptr ? text : L"";
}

// The table text with its "%s" replaced; the text is never used as a format.
std::wstring TableTextWith(int id, const std::wstring& value) {
    std::wstring text = TableText(id);
    const size_t at = text.find(L"%s");
    if (at != std::wstring::npos)
        text.replace(at, 2, value);
    return text;
}

// The system's wording of an error, without its line break.
std::wstring ErrorText(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length != 0 ? std::wstring(buffer, length) : L"";
    ::LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        text = L"error " + std::to_wstring(error);
    return text;
}

} // namespace

void CMainDlg::RefreshTimeLabels() {
    // Rebuilt every time, so the formats follow changes to the regional settings.
    _wsetlocale(LC_ALL, CrtLocaleName().c_str());

    FILETIME utcNow, localNow;
    SYSTEMTIME local{};
    m_services.systemTime(&utcNow);
    ::FileTimeToLocalFileTime(&utcNow, &localNow);
    ::FileTimeToSystemTime(&localNow, &local);
    const int64_t localCount = SecondCount(local);
    m_view.SetElementText(kElementLocalTime, FormatSecondCount(localCount, L"%x %X"));
    m_view.SetElementAttribute(kElementServerTime, "crtext", "000000");

    std::wstring serverText;
    SYSTEMTIME server{};
    const HRESULT result = m_services.serverTime->GetServerTimeLocal(&server);
    if (result == S_OK) {
        const int64_t serverCount = SecondCount(server);
        serverText = FormatSecondCount(serverCount, L"%x %X");
        wchar_t difference[64];
        std::swprintf(difference, 64, L"%lld sec",
                      static_cast<long long>(serverCount - localCount));
        m_view.SetElementText(kElementDifference, difference);
    }

    if (result == S_FALSE) {
        serverText = TableText(kStringConnectionFailed);
        m_view.EnableElement(kElementUpdateNow, FALSE);
        m_view.SetElementAttribute(kElementServerTime, "crtext", "FF0000");
    } else if (serverText.empty()) {
        serverText = TableText(kStringConnecting);
    } else if (m_services.configurationThread->GetThread() == nullptr) {
        m_view.EnableElement(kElementUpdateNow, TRUE);
    }
    m_view.SetElementText(kElementServerTime, serverText);
}

void CMainDlg::ApplyServerTime() {
    SYSTEMTIME utc{};
    const HRESULT result = m_services.serverTime->GetServerTimeUtc(&utc);
    if (FAILED(result))
        return;
    // Before the message box, whose own loop would let the timer fire again.
    ::KillTimer(m_hWnd, kTimerApplyTime);
    // Given up: there is no time to set, and the labels say so.
    if (result == S_FALSE)
        return;

    const BOOL set = m_services.setSystemTime(&utc);
    const DWORD error = ::GetLastError();
    if (set) {
        // The UTC time that was set, shown as the labels show times.
        const std::wstring message = TableTextWith(kStringClockSet, FormatDateTime(utc));
        m_services.messageBox(m_hWnd, message.c_str(), kMainWindowCaption,
                              MB_OK | MB_ICONINFORMATION);
    } else {
        // A silent failure after the click would read as success.
        const std::wstring message = TableTextWith(kStringClockRefused, ErrorText(error));
        m_services.messageBox(m_hWnd, message.c_str(), kMainWindowCaption, MB_OK | MB_ICONWARNING);
    }
    m_view.EnableElement(kElementUpdateNow, TRUE);
}
