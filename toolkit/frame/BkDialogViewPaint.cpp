// The view's painting: a back buffer into which only what changed is redrawn, copied whole to
// the screen at every paint.
#include "toolkit/frame/BkDialogView.h"

#include "platform/GdiplusSession.h"
#include "toolkit/styles/BkFontPool.h"
#include "toolkit/frame/BkShadowWnd.h"
#include "toolkit/skins/BkSkinPool.h"

#include <objidl.h>
#include <gdiplus.h>

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
            SelectObjectGuard font(memory, BkFontPool::Instance().GetFont(0));
            ::SetBkMode(memory, TRANSPARENT);
            HRGN region = m_dirtyRegion.Get();
            if (region != nullptr)
                ::SelectClipRgn(memory, region);
            const RECT client{0, 0, size.cx, size.cy};
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
                DrawOutline(memory, size.cx, size.cy);
            ::SelectClipRgn(memory, nullptr);
            m_dirtyRegion.Reset();
            m_needsRedraw = false;
        }
        ::BitBlt(dc, 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    }
    if (m_shadow != nullptr && !m_shadow->IsShown())
        m_shadow->CheckShow();
}

void CBkDialogView::DrawOutline(HDC dc, int width, int height) {
    EnsureGdiplusStarted();
    if (!m_outlinePen)
        m_outlinePen = std::make_unique<Gdiplus::Pen>(Gdiplus::Color(110, 0, 0, 0), 1.0f);
    // A dark translucent line round the client area with 3-pixel bevelled corners.
    const int w = width, h = height;
    const Gdiplus::Point points[] = {{3, 0},         {w - 4, 0},     {w - 1, 3},
                                     {w - 1, h - 4}, {w - 4, h - 1}, {3, h - 1},
                                     {0, h - 4},     {0, 3},         {3, 0}};
    Gdiplus::Graphics graphics(dc);
    graphics.DrawLines(m_outlinePen.get(), points, static_cast<INT>(std::size(points)));
}
