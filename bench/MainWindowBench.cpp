// Prints, for the program's window: the time from process start to its first paint against a
// bare window started the same way; the CPU time of one label refresh; and, after it has been
// open for a while (600 s unless an argument gives the seconds), the process's CPU share and
// private bytes. Chronalign.exe and BareWindow.exe must sit beside it, and no copy of the
// program may run.
#include "app/MainDlg.h"
#include "bench/BenchTiming.h"
#include "tests/fixtures/ChildProcess.h"
#include "tests/fixtures/ProgramResources.h"

#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

// A window point that shows white once the window has painted: on the card, between the
// "Local time:" caption and its value.
constexpr POINT kBodyPoint{200, 190};

HWND WindowWithCaption(const wchar_t* caption) {
    HWND found = ::FindWindowW(nullptr, caption);
    return found != nullptr && ::IsWindowVisible(found) ? found : nullptr;
}

// Milliseconds from starting the program to the screen showing its window painted.
double StartToFirstPaint(const std::wstring& program, const wchar_t* caption, COLORREF painted) {
    const auto start = Clock::now();
    ChildProcess child(L"\"" + ProgramDirectory() + program + L"\"");
    HWND window = nullptr;
    HDC screen = ::GetDC(nullptr);
    for (;;) {
        if (window == nullptr)
            window = WindowWithCaption(caption);
        if (window != nullptr) {
            RECT rect;
            ::GetWindowRect(window, &rect);
            if (::GetPixel(screen, rect.left + kBodyPoint.x, rect.top + kBodyPoint.y) == painted)
                break;
        }
        if (std::chrono::duration<double>(Clock::now() - start).count() > 20)
            break;
        ::Sleep(1);
    }
    const double milliseconds =
        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    ::ReleaseDC(nullptr, screen);
    if (window != nullptr)
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (child.Wait(10000) == STILL_ACTIVE)
        child.Kill();
    return milliseconds;
}

// A stand-in sync thread that always has a time, so every refresh does its whole work.
class SteadyServerTime : public IServerTimeSource {
public:
    HRESULT GetServerTimeUtc(SYSTEMTIME* utc) override {
        ::GetSystemTime(utc);
        return S_OK;
    }
    HRESULT GetServerTimeLocal(SYSTEMTIME* local) override {
        ::GetLocalTime(local);
        return S_OK;
    }
};

class IdleRunnable : public WinMod::AWinRunnable {
public:
    DWORD Run() override { return 0; }
};

double ThreadCpuMicroseconds() {
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto units = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (units(kernel) + units(user)) / 10.0;
}

void LabelRefresh() {
    SteadyServerTime serverTime;
    IdleRunnable sync, configuration;
    MainDlgServices services = MainDlgServices::Product();
    services.serverTime = &serverTime;
    services.syncThread = &sync;
    services.configurationThread = &configuration;
    CMainDlg window(services);
    window.GetView().LoadLayout(CMainDlg::kLayoutId);
    constexpr int kRefreshes = 2000;
    const double cpuBefore = ThreadCpuMicroseconds();
    const double wall = MedianMicroseconds(kRefreshes, [&] { window.RefreshTimeLabels(); });
    const double cpu = (ThreadCpuMicroseconds() - cpuBefore) / kRefreshes;
    std::printf("one label refresh: %.0f us of CPU time on average, wall-clock median %.0f us "
                "(%d refreshes)\n",
                cpu, wall, kRefreshes);
}

void OpenForAWhile(int seconds) {
    ChildProcess child(L"\"" + ProgramDirectory() + L"Chronalign.exe\"");
    ::Sleep(static_cast<DWORD>(seconds) * 1000);
    FILETIME created, exited, kernel, user;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessTimes(child.Handle(), &created, &exited, &kernel, &user);
    ::GetProcessMemoryInfo(child.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory);
    const auto units = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    const double cpuSeconds = (units(kernel) + units(user)) / 1e7;
    // Wine reports committed private memory as the page-file usage only.
    const SIZE_T privateBytes =
        memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    std::printf("after %d s open: CPU %.2f s in all (%.3f%% of one core), private bytes %.1f "
                "MiB, working set %.1f MiB\n",
                seconds, cpuSeconds, 100 * cpuSeconds / seconds, privateBytes / (1024.0 * 1024.0),
                memory.WorkingSetSize / (1024.0 * 1024.0));
    if (HWND window = WindowWithCaption(L"Tavemark Chronalign"))
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (child.Wait(10000) == STILL_ACTIVE)
        child.Kill();
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (UseProgramResources() == nullptr) {
        std::fprintf(stderr, "Chronalign.exe must sit beside main_window_bench.exe\n");
        return 1;
    }
    std::vector<double> program, bare;
    for (int run = 0; run < 10; ++run) {
        program.push_back(
            StartToFirstPaint(L"Chronalign.exe", L"Tavemark Chronalign", RGB(255, 255, 255)));
        bare.push_back(StartToFirstPaint(L"BareWindow.exe", L"Bare Window", RGB(255, 255, 255)));
    }
    std::printf("process start to first paint: median %.0f ms; bare window %.0f ms; ratio %.2f "
                "(10 runs each)\n",
                Median(program), Median(bare), Median(program) / Median(bare));
    LabelRefresh();
    OpenForAWhile(argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 600);
    return 0;
}
