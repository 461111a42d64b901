#include "app/MainDlg.h"

#include "app/Globals.h"
#include "app/SingleInstance.h"
#include "app/TimeZoneName.h"
#include "platform/CenterWindow.h"
#include "platform/SystemFolder.h"
#include "res/resource.h"

#include <shellapi.h>

namespace {

// The Date and Time control panel, opened at this size centred on the primary display. The
// program that opens it is named by its full path in the system folder: found by the command
// line alone, a RunDLL32.exe in the program's folder or the current directory would win.
constexpr wchar_t kControlPanelProgram[] = L"rundll32.exe";
constexpr wchar_t kControlPanelCommand[] =
    L"RunDLL32.exe shell32.dll,Control_RunDLL timedate.cpl,,0";
constexpr int kControlPanelWidth = 463;
constexpr int kControlPanelHeight = 528;

constexpr wchar_t kProductPage[] = L"https://www.tavemark.com/chronalign/";
constexpr wchar_t kSupportPage[] = L"https://forum.tavemark.com/chronalign/";

// SWP_NOSIZE, SWP_NOMOVE, SWP_NOACTIVATE, SWP_SHOWWINDOW.
constexpr UINT kRaiseFlags = 0x53;
// SC_MINIMIZE with low bits the window manager ignores.
constexpr WPARAM kMinimiseCommand = 0xF022;

// "&" stands for itself only when doubled: single, it would underline the next character.
std::wstring DoubleAmpersands(const std::wstring& text) {
    std::wstring doubled;
    for (wchar_t c : text) {
        doubled += c;
        if (c == L'&')
            doubled += L'&';
    }
    return doubled;
}

void StartProcess(const std::wstring& program, std::wstring commandLine,
                  const STARTUPINFOW& startup) {
    if (program.empty())
        return;
    STARTUPINFOW info = startup;
    PROCESS_INFORMATION process{};
    // The command line must be writable.
    if (::CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                         nullptr, &info, &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

void OpenAddress(LPCWSTR address) {
    ::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace

MainDlgServices MainDlgServices::Product() {
    MainDlgServices services;
    services.serverTime = &g_syncTimeThread;
    services.syncThread = &g_syncTimeThread;
    services.configurationThread = &g_fixTimeThread;
    services.timeZoneName = [] { return TimeZoneDisplayName(); };
    // The first paint does not wait for the whole list: the check 1.5 s later reads it.
    services.timeZoneNameAtStart = [] { return TimeZoneDisplayNameFromOwnKey(); };
    services.startProcess = StartProcess;
    services.openAddress = OpenAddress;
    return services;
}

CMainDlg::CMainDlg(MainDlgServices services)
    : CBkDialogImpl(kLayoutId), m_services(std::move(services)) {}

CMainDlg::~CMainDlg() {
    if (m_icon != nullptr)
        ::DestroyIcon(m_icon);
}

LRESULT CMainDlg::OnViewNotify(int, LPNMHDR header, BOOL& handled) {
    if (header->code != kBkNmClick) {
        handled = FALSE;
        return 0;
    }
    switch (reinterpret_cast<const BkNmHeader*>(header)->uItemID) {
    case kElementCancel:
    case kElementClose:
        EndModal(2);
        break;
    case kElementMinimise:
        ::SendMessageW(m_hWnd, WM_SYSCOMMAND, kMinimiseCommand, 0);
        break;
    case kElementUpdateNow:
        OnUpdateNow();
        break;
    case kElementProductPage:
        m_services.openAddress(kProductPage);
        break;
    case kElementSupportPage:
        m_services.openAddress(kSupportPage);
        break;
    case kElementChangeTimeZone:
        LaunchDateTimeControlPanel();
        break;
    default:
        handled = FALSE;
        break;
    }
    return 0;
}

LRESULT CMainDlg::OnInitDialog(UINT, WPARAM wParam, LPARAM, BOOL&) {
    HWND window = reinterpret_cast<HWND>(wParam);
    ::SetWindowTextW(window, kMainWindowCaption);
    m_icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_CHRONALIGN));
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    CenterWindow(window);
    ShowTimeZone(m_services.timeZoneNameAtStart ? m_services.timeZoneNameAtStart()
                                                : m_services.timeZoneName());
    m_view.EnableElement(kElementUpdateNow, FALSE);
    ::SetTimer(window, kTimerBringToFront, 150, nullptr);
    RefreshTimeLabels();
    ::SetTimer(window, kTimerRefresh, 1000, nullptr);
    ::SetTimer(window, kTimerTimeZone, 1500, nullptr);
    m_services.syncThread->Start();
    return 0;
}

void CMainDlg::OnTimer(UINT_PTR id) {
    switch (id) {
    case kTimerRefresh:
        RefreshTimeLabels();
        break;
    case kTimerApplyTime:
        ApplyServerTime();
        break;
    case kTimerTimeZone:
        CheckTimeZone();
        break;
    case kTimerBringToFront:
        // To the top once, without activation and without staying topmost.
        ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, kRaiseFlags);
        ::SetWindowPos(m_hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, kRaiseFlags);
        ::KillTimer(m_hWnd, kTimerBringToFront);
        break;
    default:
        break;
    }
}

void CMainDlg::OnUpdateNow() {
    if (!m_services.configurationThread->IsFinished())
        return;
    m_view.EnableElement(kElementUpdateNow, FALSE);
    if (FAILED(m_services.configurationThread->Start())) {
        m_view.EnableElement(kElementUpdateNow, TRUE);
        return;
    }
    ::SetTimer(m_hWnd, kTimerApplyTime, 100, nullptr);
}

void CMainDlg::CheckTimeZone() {
    const std::wstring name = m_services.timeZoneName();
    if (name != m_timeZoneName)
        ShowTimeZone(name);
}

void CMainDlg::ShowTimeZone(const std::wstring& name) {
    m_view.SetElementText(kElementTimeZone, DoubleAmpersands(name));
    m_timeZoneName = name;
}

void CMainDlg::LaunchDateTimeControlPanel() {
    // The panel's size at 96 DPI, at the window's display scale.
    const int width = m_view.ToDevice(kControlPanelWidth);
    const int height = m_view.ToDevice(kControlPanelHeight);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USEPOSITION | STARTF_USESIZE;
    startup.dwXSize = width;
    startup.dwYSize = height;
    startup.dwX = (::GetSystemMetrics(SM_CXFULLSCREEN) - width) / 2;
    startup.dwY = (::GetSystemMetrics(SM_CYFULLSCREEN) - height) / 2;
    m_services.startProcess(SystemFolderPath(kControlPanelProgram), kControlPanelCommand, startup);
}
