// The main window on its own layout with stand-ins for its services: a server time source that
// answers what the test says, worker threads that run until released, a clock, message boxes
// and a process start that only record.
#pragma once

#include "app/MainDlg.h"
#include "res/resource.h"
#include "tests/fixtures/SyncTestSupport.h"
#include "toolkit/resources/StringTableLoader.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

// A server time source that answers what the test says.
class FakeServerTime : public IServerTimeSource {
public:
    HRESULT GetServerTimeUtc(SYSTEMTIME* utc) override {
        if (result == S_OK)
            *utc = serverUtc;
        return result;
    }
    HRESULT GetServerTimeLocal(SYSTEMTIME* local) override {
        if (result == S_OK)
            ::SystemTimeToTzSpecificLocalTime(nullptr, &serverUtc, local);
        return result;
    }

    HRESULT result = E_FAIL;
    SYSTEMTIME serverUtc{};
};

// A thread that runs until released, counting its starts.
class FakeRunnable : public WinMod::AWinRunnable {
public:
    ~FakeRunnable() override { Release(); }
    DWORD Run() override {
        ++runs;
        ::WaitForSingleObject(m_release, INFINITE);
        return 0;
    }
    void Release() {
        ::SetEvent(m_release);
        if (GetThread() != nullptr)
            ::WaitForSingleObject(GetThread(), INFINITE);
    }

    std::atomic<int> runs{0};

private:
    HANDLE m_release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
};

inline FILETIME FileTime(const SYSTEMTIME& time) {
    FILETIME file;
    ::SystemTimeToFileTime(&time, &file);
    return file;
}

class MainDlgTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(LoadStringTable(IDR_STRING_TABLE)); }

    MainDlgTest() : dialog(Services()) {}

    void SetUp() override {
        // The texts below are those of this zone and of the user locale English (United
        // States), Wine's for the Unix C locales.
        TIME_ZONE_INFORMATION zone{};
        ::GetTimeZoneInformation(&zone);
        ASSERT_EQ(zone.Bias, -330) << "needs TZ=IST-5:30, as its CTest entry sets";
        ASSERT_TRUE(dialog.GetView().LoadLayout(IDR_MAIN_LAYOUT));
    }

    MainDlgServices Services() {
        MainDlgServices services;
        services.serverTime = &server;
        services.syncThread = &sync;
        services.configurationThread = &configuration;
        services.systemTime = [this](FILETIME* now) { *now = FileTime(clock); };
        services.setSystemTime = [this](const SYSTEMTIME* time) {
            clockSets.push_back(*time);
            ::SetLastError(ERROR_PRIVILEGE_NOT_HELD);
            return clockAccepts;
        };
        services.messageBox = [this](HWND, LPCWSTR text, LPCWSTR caption, UINT style) {
            boxes.push_back(std::wstring(caption) + L"|" + text);
            boxStyles.push_back(style);
            return IDOK;
        };
        services.timeZoneName = [this] {
            ++zoneReads;
            return zoneName;
        };
        services.startProcess = [this](const std::wstring& program, std::wstring commandLine,
                                       const STARTUPINFOW& startup) {
            startedProgram = program;
            started = commandLine;
            startup_ = startup;
        };
        services.openAddress = [](LPCWSTR) {};
        return services;
    }

    // The view's click notification for the element, as the controller gets it; whether it
    // handled it.
    bool Click(UINT id) {
        BkNmCommand click{};
        click.header.hdr.idFrom = kBkViewControlId;
        click.header.hdr.code = kBkNmClick;
        click.header.uItemID = id;
        LRESULT result = 0;
        return dialog.ProcessWindowMessage(nullptr, WM_NOTIFY, kBkViewControlId,
                                           reinterpret_cast<LPARAM>(&click), result);
    }

    const std::wstring& Text(UINT id) {
        return dialog.GetView().FindElementById(id)->GetInnerText();
    }
    DWORD State(UINT id) { return dialog.GetView().FindElementById(id)->GetState(); }
    COLORREF TextColor(UINT id) { return dialog.GetView().FindElementById(id)->GetTextColor(); }

    FakeServerTime server;
    FakeRunnable sync;
    FakeRunnable configuration;
    SYSTEMTIME clock = Utc(2026, 12, 8, 9, 30, 0);
    BOOL clockAccepts = TRUE;
    std::vector<SYSTEMTIME> clockSets;
    std::vector<std::wstring> boxes;
    std::vector<UINT> boxStyles;
    std::wstring zoneName = L"(UTC-08:00) Pacific Time (US & Canada)";
    int zoneReads = 0;
    std::wstring startedProgram;
    std::wstring started;
    STARTUPINFOW startup_{};
    CMainDlg dialog;
};

// Runs the window's modal loop on this thread and, once it is open, the function, which ends it.
struct WhileOpen {
    WhileOpen(CMainDlg& dialog, const std::function<void(HWND view)>& check) {
        pending = &check;
        open = &dialog;
        ::SetTimer(nullptr, 0, 200, Opened);
        dialog.DoModal();
    }
    // A timer procedure of the platform's calling convention, which 32-bit code must keep.
    static void CALLBACK Opened(HWND, UINT, UINT_PTR timer, DWORD) {
        ::KillTimer(nullptr, timer);
        (*pending)(open->GetView().m_hWnd);
        open->EndModal(2);
    }
    static inline const std::function<void(HWND)>* pending = nullptr;
    static inline CMainDlg* open = nullptr;
};
