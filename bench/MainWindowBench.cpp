// Prints, for the program's window: the time from process start to its first paint against a
// bare window started the same way; where that time and the memory go, step by step (the
// medians of startup_steps.exe's runs); the CPU time of one label refresh; a bare window's
// private bytes, which are Wine's own share; and, after the program has been open for a while
// (600 s unless an argument gives the seconds), its CPU share and private bytes, at 60 s and at
// the end. Chronalign.exe, BareWindow.exe and startup_steps.exe must sit beside it, and no
// copy of the program may run.
#include "app/MainDlg.h"
#include "bench/BenchTiming.h"
#include "tests/fixtures/ChildProcess.h"
#include "tests/fixtures/ProgramResources.h"

#include <psapi.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

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

struct Usage {
    double cpuSeconds;
    double privateMiB;
    double workingSetMiB;
};

Usage UsageOf(HANDLE process) {
    FILETIME created, exited, kernel, user;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    ::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                           sizeof memory);
    const auto units = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    // Wine reports committed private memory as the page-file usage only.
    const SIZE_T privateBytes =
        memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    return Usage{(units(kernel) + units(user)) / 1e7, privateBytes / (1024.0 * 1024.0),
                 memory.WorkingSetSize / (1024.0 * 1024.0)};
}

void Close(ChildProcess& child, const wchar_t* caption) {
    if (HWND window = WindowWithCaption(caption))
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    if (child.Wait(10000) == STILL_ACTIVE)
        child.Kill();
}

// The medians of each step's time and private bytes over fresh runs of startup_steps.exe, in
// the order of the steps.
void StartupBreakdown(int runs) {
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> milliseconds, bytes;
    wchar_t folder[MAX_PATH], file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, L"stp", 0, file);
    for (int run = 0; run < runs; ++run) {
        RunToEnd(L"\"" + ProgramDirectory() + L"startup_steps.exe\" \"" + file + L"\"");
        FILE* in = _wfopen(file, L"r");
        if (in == nullptr)
            continue;
        char line[256];
        while (std::fgets(line, sizeof line, in) != nullptr) {
            std::string text(line);
            const size_t last = text.find_last_of(' ');
            const size_t middle = text.find_last_of(' ', last - 1);
            if (last == std::string::npos || middle == std::string::npos)
                continue;
            const std::string step = text.substr(0, middle);
            if (milliseconds.count(step) == 0)
                order.push_back(step);
            milliseconds[step].push_back(std::atof(text.substr(middle + 1).c_str()));
            bytes[step].push_back(std::atof(text.substr(last + 1).c_str()));
        }
        std::fclose(in);
    }
    ::DeleteFileW(file);
    std::printf("the start step by step (medians of %d fresh runs): ms, private KiB added\n", runs);
    double total = 0;
    for (const std::string& step : order) {
        const double ms = Median(milliseconds[step]);
        total += ms;
        std::printf("  %-58s %7.1f %8.0f\n", step.c_str(), ms, Median(bytes[step]) / 1024);
    }
    std::printf("  %-58s %7.1f\n", "sum", total);
}

// A bare window's CPU time and private bytes after a few seconds: what Wine itself takes and
// holds in any process with a window.
void BareWindowMemory() {
    ChildProcess child(L"\"" + ProgramDirectory() + L"BareWindow.exe\"");
    ::Sleep(5000);
    const Usage usage = UsageOf(child.Handle());
    std::printf("a bare window after 5 s: CPU %.2f s in all, private bytes %.1f MiB, working set "
                "%.1f MiB\n",
                usage.cpuSeconds, usage.privateMiB, usage.workingSetMiB);
    Close(child, L"Bare Window");
}

void PrintUsage(int seconds, const Usage& usage) {
    std::printf("after %d s open: CPU %.2f s in all (%.3f%% of one core), private bytes %.1f "
                "MiB, working set %.1f MiB\n",
                seconds, usage.cpuSeconds, 100 * usage.cpuSeconds / seconds, usage.privateMiB,
                usage.workingSetMiB);
}

void OpenForAWhile(int seconds) {
    ChildProcess child(L"\"" + ProgramDirectory() + L"Chronalign.exe\"");
    const int first = seconds < 60 ? seconds : 60;
    ::Sleep(static_cast<DWORD>(first) * 1000);
    PrintUsage(first, UsageOf(child.Handle()));
    if (seconds > first) {
        ::Sleep(static_cast<DWORD>(seconds - first) * 1000);
        PrintUsage(seconds, UsageOf(child.Handle()));
    }
    Close(child, L"Tavemark Chronalign");
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (UseProgramResources() == nullptr) {
        std::fprintf(stderr, "Chronalign.exe must sit beside main_window_bench.exe\n");
        return 1;
    }
    std::vector<double> program, bare;
    for (int run = 0; run < 20; ++run) {
        program.push_back(
            StartToFirstPaint(L"Chronalign.exe", L"Tavemark Chronalign", RGB(255, 255, 255)));
        bare.push_back(StartToFirstPaint(L"BareWindow.exe", L"Bare Window", RGB(255, 255, 255)));
    }
    std::printf("process start to first paint: median %.0f ms; bare window %.0f ms; ratio %.2f "
                "(20 runs each)\n",
                Median(program), Median(bare), Median(program) / Median(bare));
    StartupBreakdown(10);
    LabelRefresh();
    BareWindowMemory();
    OpenForAWhile(argc > 1 ? static_cast<int>(std::wcstol(argv[1], nullptr, 10)) : 600);
    return 0;
}
