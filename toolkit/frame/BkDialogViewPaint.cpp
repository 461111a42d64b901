// The view's painting: a back buffer into which only what changed is redrawn, copied whole to
// the screen at every paint.
#include "toolkit/frame/BkDialogView.h"

#include "toolkit/styles/BkFontPool.h"
#include "toolkit/styles/HighContrast.h"
#include "toolkit/frame/BkShadowWnd.h"
#include "toolkit/frame/FrameOutline.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/skins/ColorFills.h"

#include <algorithm>
#include <vector>

void CBkDialogView::OnSize(UINT, SIZE size) {
    m_backBuffer.Release();
    if (size.cx == 0)
        return;
    WindowDC screen;
    m_backBuffer.CreateBitmap(screen, size.cx, size.cy);
    StackSections();
}

void CBkDialogView::OnPrint(HDC dc, UINT) {
    PaintTo(dc);
}

LRESULT CBkDialogView::OnPaint(UINT, WPARAM, LPARAM, BOOL&) {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hWnd, &paint);
    PaintTo(dc);
    ::EndPaint(m_hWnd, &paint);
    return 0;
}

void CBkDialogView::OnDestroy() {
    m_backBuffer.Release();
    ReleaseAccessible();
    SetMsgHandled(FALSE);
}

void CBkDialogView::SetCaptionActive(bool active) {
    if (active == m_captionActive)
        return;
    m_captionActive = active;
    if (IsHighContrast())
        RepaintAll();
}

void CBkDialogView::RepaintAll() {
    m_fullRepaint = m_needsRedraw = true;
    if (IsWindow())
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CBkDialogView::PaintTo(HDC dc) {
    if (m_fullRepaint) {
        m_dirtyRegion.Reset();
        m_fullRepaint = false;
    }
    const SIZE size = m_backBuffer.GetBitmapSize();
    if (m_backBuffer.GetBitmap() != nullptr) {
        WindowDC screen;
        MemoryDC memory(screen);
        SelectObjectGuard buffer(memory, m_backBuffer.GetBitmap());
        if (m_needsRedraw) {
            BkFontPool& fonts = BkFontPool::Instance();
            SelectObjectGuard font(memory, fonts.AtDpi(fonts.GetFont(0), m_dpi));
            ::SetBkMode(memory, TRANSPARENT);
            HRGN region = m_dirtyRegion.Get();
            if (region != nullptr)
                ::SelectClipRgn(memory, region);
            const RECT client{0, 0, size.cx, size.cy};
            const CaptionActiveScope caption(m_captionActive);
            // Under a high-contrast theme the window's colour is under everything, where the
            // pictures that are not drawn then would lie.
            if (IsHighContrast())
                FillSolid(memory, client, ContrastColor(COLOR_WINDOW));
            if (!m_frameSkin.empty()) {
                if (CBkSkinBase* skin = GetSkin(m_frameSkin))
                    skin->Draw(memory, client, 0);
            }
            CBkDialog* sections[3];
            const int count = Sections(sections);
            for (int i = 0; i < count; ++i)
                sections[i]->Redraw(memory, region);
            DrawFocusCue(memory);
            if (!IsChildDocument())
                DrawOutline(region);
            ::SelectClipRgn(memory, nullptr);
            m_dirtyRegion.Reset();
            m_needsRedraw = false;
        }
        ::BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    }
    // The shadow comes right after: the window's pixels reach the screen first.
    if (m_shadow != nullptr && !m_shadow->IsShown() && !m_shadowCheckPosted)
        m_shadowCheckPosted = ::PostMessageW(m_hWnd, ShadowCheckMessage(), 0, 0) != FALSE;
}

UINT CBkDialogView::ShadowCheckMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"BkDialogViewShadowCheck");
    return message;
}

LRESULT CBkDialogView::OnShadowCheck(UINT, WPARAM, LPARAM, BOOL&) {
    m_shadowCheckPosted = false;
    if (m_shadow != nullptr && !m_shadow->IsShown())
        m_shadow->CheckShow();
    return 0;
}

void CBkDialogView::DrawOutline(HRGN region) {
    const SIZE size = m_backBuffer.GetBitmapSize();
    auto* pixels = static_cast<RGBQUAD*>(m_backBuffer.GetBits());
    if (pixels == nullptr)
        return;
    // Where to draw: the rectangles of the dirty region, or everything.
    std::vector<RECT> clip{RECT{0, 0, size.cx, size.cy}};
    if (region != nullptr) {
        std::vector<char> data(::GetRegionData(region, 0, nullptr));
        auto* rects = reinterpret_cast<RGNDATA*>(data.data());
        if (data.empty() || ::GetRegionData(region, static_cast<DWORD>(data.size()), rects) == 0)
            return;
        const auto* first = reinterpret_cast<const RECT*>(rects->Buffer);
        clip.assign(first, first + rects->rdh.nCount);
    }
    ::GdiFlush();
    // Black at opacity 110 laid on the pixels: a line 1 pixel wide with 3-pixel bevels at
    // 96 DPI; under a high-contrast theme the line is the theme's window frame. The back
    // buffer's rows run bottom-up.
    constexpr int kKept = 255 - 110;
    const bool contrast = IsHighContrast();
    const COLORREF frame = ContrastColor(COLOR_WINDOWFRAME);
    for (const OutlineSpan& span : OutlineSpans(size.cx, size.cy, ToDevice(1), ToDevice(3))) {
        for (const RECT& rect : clip) {
            if (span.y < rect.top || span.y >= rect.bottom)
                continue;
            RGBQUAD* row = pixels + static_cast<size_t>(size.cy - 1 - span.y) * size.cx;
            for (int x = std::max<int>(span.left, rect.left);
                 x < std::min<int>(span.right, rect.right); ++x) {
                RGBQUAD& pixel = row[x];
                if (contrast) {
                    pixel = RGBQUAD{GetBValue(frame), GetGValue(frame), GetRValue(frame), 0};
                    continue;
                }
                pixel.rgbBlue = static_cast<BYTE>((pixel.rgbBlue * kKept + 127) / 255);
                pixel.rgbGreen = static_cast<BYTE>((pixel.rgbGreen * kKept + 127) / 255);
                pixel.rgbRed = static_cast<BYTE>((pixel.rgbRed * kKept + 127) / 255);
            }
        }
    }
}
