// Prints, for the toolkit's demonstration window: the time from DoModal to the view's first
// paint against a bare window created and painted in the same program, and the medians of a
// full repaint and of a one-label repaint, beside the floor of one AlphaBlend of a window-sized
// 32-bit bitmap. Chronalign.exe must sit beside it.
#include "bench/BenchTiming.h"
#include "tests/fixtures/DibCanvas.h"
#include "tests/fixtures/ProgramResources.h"
#include "toolkit/frame/BkDialogImpl.h"
#include "toolkit/skins/BitmapBlit.h"
#include "toolkit/skins/BkImage.h"
#include "toolkit/styles/StyleSheetLoader.h"

#include "ToolkitTestResources.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT_PTR kMeasureTimer = 1;

// Notes the first time an element paints.
class FirstPaint : public IBkPaintHook {
public:
    BOOL OnElementPaint(CBkWindow*, HDC, const RECT&, BOOL before) override {
        if (before && !painted) {
            painted = true;
            at = Clock::now();
        }
        return TRUE;
    }
    bool painted = false;
    Clock::time_point at;
};

class BenchFrame : public CBkDialogImpl<BenchFrame> {
public:
    explicit BenchFrame(bool measureRepaints)
        : CBkDialogImpl(IDR_DEMO_LAYOUT), m_measureRepaints(measureRepaints) {}

    BEGIN_MSG_MAP(BenchFrame)
    CHAIN_MSG_MAP(CBkDialogImpl<BenchFrame>)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_TIMER, OnMeasure)
    END_MSG_MAP()

    FirstPaint firstPaint;
    double fullRepaint = 0;
    double labelRepaint = 0;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        CBkDialog* sections[3];
        m_view.Sections(sections);
        sections[0]->SetPaintHook(&firstPaint);
        // A timer, not a posted message: WM_PAINT comes before timers, after posted messages.
        ::SetTimer(m_hWnd, kMeasureTimer, 1, nullptr);
        return 0;
    }

    // Once the loop runs: the repaint figures, then the end.
    LRESULT OnMeasure(UINT, WPARAM, LPARAM, BOOL&) {
        if (!firstPaint.painted)
            return 0;
        ::KillTimer(m_hWnd, kMeasureTimer);
        if (m_measureRepaints) {
            RECT client;
            ::GetClientRect(m_view, &client);
            fullRepaint = MedianMicroseconds(200, [&] {
                m_view.InvalidateArea(client);
                ::UpdateWindow(m_view);
            });
            int counter = 0;
            labelRepaint = MedianMicroseconds(200, [&] {
                m_view.SetElementText(140, L"Label " + std::to_wstring(++counter));
                ::UpdateWindow(m_view);
            });
        }
        EndModal(2);
        return 0;
    }

    bool m_measureRepaints;
};

Clock::time_point g_barePainted;

LRESULT CALLBACK BareProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = ::BeginPaint(window, &paint);
        ::FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(window, &paint);
        g_barePainted = Clock::now();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

// Creates, shows and paints a plain 490 x 500 window; the microseconds to its first paint.
double BareWindowFirstPaint() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = BareProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BareBenchWindow";
        return ::RegisterClassW(&windowClass);
    }();
    const auto start = Clock::now();
    HWND window = ::CreateWindowExW(0, MAKEINTATOM(atom), L"Bare", WS_POPUP, 100, 100, 490, 500,
                                    nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    const double microseconds =
        std::chrono::duration<double, std::micro>(g_barePainted - start).count();
    ::DestroyWindow(window);
    return microseconds;
}

// One AlphaBlend of a half-transparent 490 x 500 bitmap: the least that blending a window's worth
// of pictures costs.
double WindowSizedBlend() {
    DibCanvas canvas(490, 500);
    CBkImage bitmap;
    if (!bitmap.CreateBitmap(canvas.Dc(), 490, 500))
        return 0;
    std::memset(bitmap.GetBits(), 0x80, 490 * 500 * 4);
    const RECT whole{0, 0, 490, 500};
    return MedianMicroseconds(200, [&] {
        BlendPremultiplied(canvas.Dc(), whole, BlitSource{bitmap.GetBitmap(), whole});
    });
}

double SkinnedWindowFirstPaint() {
    BenchFrame frame(false);
    const auto start = Clock::now();
    frame.DoModal();
    return std::chrono::duration<double, std::micro>(frame.firstPaint.at - start).count();
}

} // namespace

int main() {
    if (UseProgramResources(false) == nullptr) {
        std::fprintf(stderr, "Chronalign.exe must sit beside view_bench.exe\n");
        return 1;
    }
    LoadStyles(IDR_DEMO_STYLES);

    std::vector<double> skinned, bare;
    for (int run = 0; run < 20; ++run) {
        skinned.push_back(SkinnedWindowFirstPaint());
        bare.push_back(BareWindowFirstPaint());
    }
    const double skinnedMedian = Median(skinned), bareMedian = Median(bare);
    std::printf("DoModal to first paint: median %.1f ms; bare window: %.1f ms; ratio %.1f "
                "(20 runs each)\n",
                skinnedMedian / 1000, bareMedian / 1000, skinnedMedian / bareMedian);

    BenchFrame frame(true);
    frame.DoModal();
    std::printf("full repaint of the demonstration window: median %.0f us (200 runs)\n",
                frame.fullRepaint);
    std::printf("one-label repaint: median %.0f us (200 runs)\n", frame.labelRepaint);
    std::printf("one AlphaBlend of a 490 x 500 32-bit bitmap, the floor: median %.0f us (200 "
                "runs)\n",
                WindowSizedBlend());
    return 0;
}
