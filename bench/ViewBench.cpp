// Prints, for the toolkit's demonstration window: the time from DoModal to the view's first
// paint against a bare window created and painted in the same program, and the medians of a
// full repaint and of a one-label repaint at 100, 150 and 200 %, each beside its floor, one
// AlphaBlend of a window-sized 32-bit bitmap. Chronalign.exe must sit beside it.
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
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT_PTR kMeasureTimer = 1;
// The display scales the repaints are measured at: 100, 150 and 200 %.
const std::vector<int> kScales = {96, 144, 192};

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

    struct Repaints {
        double full;
        double label;
    };
    FirstPaint firstPaint;
    // At each of kScales.
    std::vector<Repaints> repaints;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        CBkDialog* sections[3];
        m_view.Sections(sections);
        sections[0]->SetPaintHook(&firstPaint);
        // A timer, not a posted message: WM_PAINT comes before timers, after posted messages.
        ::SetTimer(m_hWnd, kMeasureTimer, 1, nullptr);
        return 0;
    }

    // Once the loop runs: the repaint figures at each scale, then the end.
    LRESULT OnMeasure(UINT, WPARAM, LPARAM, BOOL&) {
        if (!firstPaint.painted)
            return 0;
        ::KillTimer(m_hWnd, kMeasureTimer);
        for (int dpi : m_measureRepaints ? kScales : std::vector<int>{}) {
            // As when the window moves to a monitor of that scale.
            RECT window;
            ::GetWindowRect(m_hWnd, &window);
            RECT suggested{window.left, window.top, window.left + ScaleToDpi(490, dpi),
                           window.top + ScaleToDpi(500, dpi)};
            ::SendMessageW(m_hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            ::UpdateWindow(m_view);
            RECT client;
            ::GetClientRect(m_view, &client);
            Repaints figures;
            figures.full = MedianMicroseconds(200, [&] {
                m_view.InvalidateArea(client);
                ::UpdateWindow(m_view);
            });
            int counter = 0;
            figures.label = MedianMicroseconds(200, [&] {
                m_view.SetElementText(140, L"Label " + std::to_wstring(++counter));
                ::UpdateWindow(m_view);
            });
            repaints.push_back(figures);
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

// One AlphaBlend of a half-transparent bitmap of the window's size at the scale: the least that
// blending a window's worth of pictures costs.
double WindowSizedBlend(int dpi) {
    const int width = ScaleToDpi(490, dpi), height = ScaleToDpi(500, dpi);
    DibCanvas canvas(width, height);
    CBkImage bitmap;
    if (!bitmap.CreateBitmap(canvas.Dc(), width, height))
        return 0;
    std::memset(bitmap.GetBits(), 0x80, static_cast<size_t>(width) * height * 4);
    const RECT whole{0, 0, width, height};
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
    std::printf("medians of 200 runs each: full repaint of the demonstration window, one-label "
                "repaint, and the floor, one AlphaBlend of a window-sized 32-bit bitmap\n");
    for (size_t i = 0; i < frame.repaints.size(); ++i) {
        const int dpi = kScales[i];
        const double floor = WindowSizedBlend(dpi);
        std::printf("%3d %% (%d x %d): full %.0f us, one label %.0f us, floor %.0f us (label "
                    "%.1f x floor)\n",
                    dpi * 100 / 96, ScaleToDpi(490, dpi), ScaleToDpi(500, dpi),
                    frame.repaints[i].full, frame.repaints[i].label, floor,
                    frame.repaints[i].label / floor);
    }
    return 0;
}
