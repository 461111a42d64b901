// The program's start broken down: run as a fresh process, with the program's own resources,
// it takes the steps of the program's start in the program's order, one after the other, and
// writes for each the milliseconds it took and the private bytes it added, one line each
// ("<step> <ms> <bytes>"), to the file its argument names. The window's own steps are told
// apart by the messages it gets: created and laid out by WM_INITDIALOG, initialised after it,
// shown and painted once the view has drawn its last section. main_window_bench runs it and
// prints the medians.
#include "app/MainDlg.h"
#include "app/SingleInstance.h"
#include "platform/LibrarySearch.h"
#include "res/resource.h"
#include "toolkit/resources/StringTableLoader.h"
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/skins/SkinListLoader.h"
#include "toolkit/styles/BkFontPool.h"
#include "toolkit/styles/StyleSheetLoader.h"

#include <winsock2.h>
#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(),
                           reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    // Wine reports committed private memory as the page-file usage only.
    return memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
}

// Milliseconds from the process's creation to now, on the system clock the creation time uses.
double SinceProcessCreation() {
    FILETIME created, exited, kernel, user, now;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    const auto units = [](const FILETIME& time) {
        return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(units(now) - units(created)) / 1e4;
}

class Steps {
public:
    explicit Steps(FILE* out) : m_out(out), m_bytes(PrivateBytes()) {}

    // The step that just ended.
    void Done(const char* step) {
        const Clock::time_point now = Clock::now();
        const SIZE_T bytes = PrivateBytes();
        std::fprintf(m_out, "%s %.2f %lld\n", step,
                     std::chrono::duration<double, std::milli>(now - m_start).count(),
                     static_cast<long long>(bytes) - static_cast<long long>(m_bytes));
        m_start = Clock::now();
        m_bytes = PrivateBytes();
    }

private:
    FILE* m_out;
    Clock::time_point m_start = Clock::now();
    SIZE_T m_bytes;
};

Steps* g_steps = nullptr;

// Before and after the frame's WM_INITDIALOG.
LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lParam)->message == WM_INITDIALOG)
        g_steps->Done("window created and laid out");
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION &&
        reinterpret_cast<const CWPRETSTRUCT*>(lParam)->message == WM_INITDIALOG)
        g_steps->Done("window initialised (time-zone name, labels, timers, sync thread)");
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The end of the first paint: the last section drawn, then the window closed.
class LastSectionPainted : public IBkPaintHook {
public:
    explicit LastSectionPainted(CMainDlg& window) : m_window(window) {}
    BOOL OnElementPaint(CBkWindow*, HDC, const RECT&, BOOL before) override {
        if (!before && !m_painted) {
            m_painted = true;
            g_steps->Done("window shown and painted");
            ::PostMessageW(m_window.m_hWnd, WM_CLOSE, 0, 0);
        }
        return TRUE;
    }

private:
    CMainDlg& m_window;
    bool m_painted = false;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    const double atEntry = SinceProcessCreation();
    FILE* out = argc > 1 ? _wfopen(argv[1], L"w") : stdout;
    if (out == nullptr)
        return 1;
    std::fprintf(out, "process start to entry %.2f 0\n", atEntry);
    Steps steps(out);
    g_steps = &steps;

    RestrictLibrarySearch();
    CheckSingleInstance();
    steps.Done("library search and single instance");
    BkPngPool::Instance().Clear();
    LoadSkins(IDR_SKIN_LIST);
    LoadStyles(IDR_STYLE_SHEET);
    LoadStringTable(IDR_STRING_TABLE);
    steps.Done("documents (skins, styles, strings)");
    ::CoInitialize(nullptr);
    steps.Done("COM");
    WSADATA wsaData;
    ::WSAStartup(MAKEWORD(2, 2), &wsaData);
    steps.Done("Winsock");
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    steps.Done("common controls");
    BkFontPool::Instance().GetFont(0);
    steps.Done("fonts");
    // The pictures of the first paint, which decodes them in the program: the shadow's comes
    // after it.
    for (const char* skin : {"dlg_head", "dlg_foot", "dlg_banner", "dlg_ico_logo", "dlg_btn_min",
                             "dlg_btn_cls", "dlg_btn_sync"})
        GetSkin(skin);
    steps.Done("pictures of the first paint decoded");

    CMainDlg window;
    window.GetView().LoadLayout(CMainDlg::kLayoutId);
    steps.Done("layout document");
    CBkDialog* sections[3];
    const int count = window.GetView().Sections(sections);
    LastSectionPainted painted(window);
    if (count > 0)
        sections[count - 1]->SetPaintHook(&painted);
    HHOOK before =
        ::SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, ::GetCurrentThreadId());
    HHOOK after =
        ::SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, ::GetCurrentThreadId());
    window.DoModal(nullptr);
    ::UnhookWindowsHookEx(before);
    ::UnhookWindowsHookEx(after);
    std::fclose(out);
    // The sync thread is not waited for, as the program does not.
    ::ExitProcess(0);
}
