// The controller of the program's window: reacts to clicks on the layout's elements, keeps the
// time labels and the time-zone name current, sets the clock on "Update Now" and starts the
// worker threads.
#pragma once

#include "app/SingleInstance.h"
#include "sync/ServerTimeSource.h"
#include "sync/WinRunnable.h"
#include "toolkit/frame/BkDialogImpl.h"
#include "toolkit/frame/RoundRectFrameHelper.h"

#include <functional>
#include <string>

// What the window works with besides itself; the program uses the platform and the process's
// worker threads, tests put stand-ins in.
struct MainDlgServices {
    IServerTimeSource* serverTime;
    WinMod::AWinRunnable* syncThread;
    WinMod::AWinRunnable* configurationThread;
    std::function<void(FILETIME*)> systemTime = ::GetSystemTimeAsFileTime;
    // TRUE when the clock was set; else the reason is in the last error.
    std::function<BOOL(const SYSTEMTIME*)> setSystemTime = ::SetSystemTime;
    std::function<int(HWND, LPCWSTR, LPCWSTR, UINT)> messageBox = ::MessageBoxW;
    std::function<std::wstring()> timeZoneName;
    // The same as the window opens, quicker where it can be; timeZoneName when not given.
    std::function<std::wstring()> timeZoneNameAtStart;
    // Starts the program of that full path with a command line and a start-up window
    // rectangle.
    std::function<void(const std::wstring& program, std::wstring commandLine,
                       const STARTUPINFOW& startup)>
        startProcess;
    std::function<void(LPCWSTR address)> openAddress;

    // The platform and the process's worker threads.
    static MainDlgServices Product();
};

// Element ids of the layout.
enum MainDlgElement : UINT {
    kElementCancel = 2,
    kElementServerTime = 8002,
    kElementLocalTime = 8004,
    kElementUpdateNow = 8005,
    kElementProductPage = 8006,
    kElementSupportPage = 8007,
    kElementChangeTimeZone = 8009,
    kElementTimeZone = 8010,
    kElementDifference = 8011,
    kElementClose = 60001,
    kElementMinimise = 60003,
};

// Timer ids.
enum MainDlgTimer : UINT_PTR {
    kTimerRefresh = 1,
    kTimerApplyTime = 2,
    kTimerTimeZone = 10,
    kTimerBringToFront = 1767,
};

class CMainDlg : public CBkDialogImpl<CMainDlg> {
public:
    static constexpr UINT kLayoutId = 200;

    explicit CMainDlg(MainDlgServices services = MainDlgServices::Product());
    ~CMainDlg() override;

    // A class name of the program's own, by which a second start and the installer know the
    // window.
    static const wchar_t* GetWndClassName() { return kMainWindowClass; }

    // The labels from the sync thread's time and the clock; "Update Now" as they allow.
    void RefreshTimeLabels();
    // Once a server time is there: stops its polling, sets the clock and says so.
    void ApplyServerTime();
    // "Update Now": starts the configuration thread and the polling for the time.
    void OnUpdateNow();
    // Shows the time-zone name when it changed since it was last shown.
    void CheckTimeZone();

    BEGIN_MSG_MAP(CMainDlg)
    NOTIFY_ID_HANDLER(kBkViewControlId, OnViewNotify)
    CHAIN_MSG_MAP(CBkDialogImpl<CMainDlg>)
    CHAIN_MSG_MAP_MEMBER(m_roundFrame)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MSG_WM_TIMER(OnTimer)
    END_MSG_MAP()

private:
    LRESULT OnViewNotify(int, LPNMHDR header, BOOL& handled);
    LRESULT OnInitDialog(UINT, WPARAM wParam, LPARAM, BOOL&);
    void OnTimer(UINT_PTR id);
    void ShowTimeZone(const std::wstring& name);
    void LaunchDateTimeControlPanel();

    CWHRoundRectFrameHelper<CMainDlg> m_roundFrame;
    HICON m_icon = nullptr;
    // The name last put into the label, before "&" was doubled.
    std::wstring m_timeZoneName;
    MainDlgServices m_services;
};
