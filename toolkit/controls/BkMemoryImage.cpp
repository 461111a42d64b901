#include "toolkit/controls/BkMemoryImage.h"

#include "platform/GdiplusSession.h"

#include <objidl.h>
#include <gdiplus.h>

#include <limits>

HRESULT CBkMemoryImage::SetAttribute(const std::string& name, const std::string& value,
                                     bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result) || name != "mempointer")
        return result;
    m_image = reinterpret_cast<Gdiplus::Image*>(ParseAddress(value.c_str()));
    return S_FALSE;
}

void CBkMemoryImage::OnPaint(HDC dc) {
    if (m_image == nullptr)
        return;
    EnsureGdiplusStarted();
    Gdiplus::Graphics graphics(dc);
    // Scaling samples beyond the image's edges; mirrored pixels keep the edges from fading.
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    const Gdiplus::Rect target(m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                               m_rect.bottom - m_rect.top);
    graphics.DrawImage(m_image, target, 0, 0, static_cast<INT>(m_image->GetWidth()),
                       static_cast<INT>(m_image->GetHeight()), Gdiplus::UnitPixel, &attributes);
}

LRESULT CBkMemoryImage::OnNcCalcSize(BOOL constrain, LPARAM sizeRecord) {
    CBkWindow::OnNcCalcSize(constrain, sizeRecord);
    if (m_image == nullptr || m_positionCount == 4)
        return 0;
    SIZE& size = *reinterpret_cast<SIZE*>(sizeRecord);
    if (const UINT width = m_image->GetWidth())
        size.cx = static_cast<LONG>(width);
    if (const UINT height = m_image->GetHeight())
        size.cy = static_cast<LONG>(height);
    return 0;
}

uintptr_t ParseAddress(const char* text) {
    constexpr uintptr_t kMost = std::numeric_limits<uintptr_t>::max();
    uintptr_t address = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        const auto digit = static_cast<uintptr_t>(*text - '0');
        if (address > (kMost - digit) / 10)
            return 0;
        address = address * 10 + digit;
    }
    return address;
}
