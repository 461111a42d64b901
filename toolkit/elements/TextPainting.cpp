#include "toolkit/elements/TextPainting.h"

#include "platform/GdiplusSession.h"
#include "toolkit/styles/HighContrast.h"
#include "toolkit/styles/BkFontPool.h"
#include "toolkit/styles/BkStyle.h"
#include "toolkit/styles/DisplayScale.h"

#include <objidl.h>
#include <gdiplus.h>

namespace {

// e: how many pixels taller the selected font is than the default; h0: the default height; both
// at 96 DPI.
struct FaceMetrics {
    int e;
    int h0;
};

FaceMetrics MetricsOf(HDC dc) {
    BkFontPool& pool = BkFontPool::Instance();
    return FaceMetrics{pool.GetSizeDelta(static_cast<HFONT>(::GetCurrentObject(dc, OBJ_FONT))),
                       pool.GetDefaultHeight()};
}

void EnsureHeight(RECT& rect, int height) {
    if (rect.bottom - rect.top < height)
        rect.bottom = rect.top + height;
}

void DrawWithGdiplus(HDC dc, const std::wstring& text, const RECT& rect, UINT format) {
    EnsureGdiplusStarted();
    LOGFONTW logFont{};
    ::GetObjectW(::GetCurrentObject(dc, OBJ_FONT), sizeof logFont, &logFont);
    Gdiplus::Graphics graphics(dc);
    Gdiplus::Font font(dc, &logFont);
    const COLORREF color = ::GetTextColor(dc);
    Gdiplus::SolidBrush brush(
        Gdiplus::Color(254, GetRValue(color), GetGValue(color), GetBValue(color)));
    Gdiplus::StringFormat stringFormat;
    if (format & DT_CENTER)
        stringFormat.SetAlignment(Gdiplus::StringAlignmentCenter);
    if (format & DT_VCENTER)
        stringFormat.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    if (format & DT_END_ELLIPSIS)
        stringFormat.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    if (format & DT_WORD_ELLIPSIS)
        stringFormat.SetTrimming(Gdiplus::StringTrimmingEllipsisWord);
    if (format & DT_PATH_ELLIPSIS)
        stringFormat.SetTrimming(Gdiplus::StringTrimmingEllipsisPath);
    const Gdiplus::RectF layout(static_cast<Gdiplus::REAL>(rect.left),
                                static_cast<Gdiplus::REAL>(rect.top),
                                static_cast<Gdiplus::REAL>(rect.right - rect.left),
                                static_cast<Gdiplus::REAL>(rect.bottom - rect.top));
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, layout, &stringFormat,
                        &brush);
}

// The common controls' shadowed text, looked up at each paint: older systems lack it. False
// when it is missing or drew nothing.
bool DrawShadowed(HDC dc, const std::wstring& text, RECT& rect, UINT format, COLORREF shadow) {
    using DrawShadowTextFunction =
        int(WINAPI*)(HDC, LPCWSTR, UINT, RECT*, DWORD, COLORREF, COLORREF, int, int);
    HMODULE controls = ::GetModuleHandleW(L"comctl32.dll");
    if (controls == nullptr)
        return false;
    const auto drawShadowText = reinterpret_cast<DrawShadowTextFunction>(
        reinterpret_cast<void*>(::GetProcAddress(controls, "DrawShadowText")));
    return drawShadowText != nullptr &&
           drawShadowText(dc, text.c_str(), static_cast<UINT>(text.size()), &rect, format,
                          ::GetTextColor(dc), shadow, Scaled(2), Scaled(2)) > 0;
}

} // namespace

void AdjustForDefaultFace(HDC dc, RECT& rect, UINT format) {
    if (!BkFontPool::Instance().IsYaHeiDefault())
        return;
    // The measures are 96-DPI pixels, laid on at the view's scale.
    const FaceMetrics m = MetricsOf(dc);
    if (format & DT_BOTTOM) {
        const LONG oldTop = rect.top;
        ::OffsetRect(&rect, 0, -Scaled(2 * m.e + 2));
        EnsureHeight(rect, Scaled(m.h0 + 3 * m.e + 4));
        if (rect.bottom - Scaled(m.h0 + m.e + 3) < oldTop)
            rect.bottom = oldTop + Scaled(m.h0 + m.e + 3);
    } else if ((format & DT_VCENTER) == 0) {
        ::OffsetRect(&rect, 0, -Scaled(3 * m.e + 3));
    }
}

void AdjustCaptionForDefaultFace(HDC dc, RECT& rect, UINT format) {
    if (!BkFontPool::Instance().IsYaHeiDefault())
        return;
    const FaceMetrics m = MetricsOf(dc);
    if (format & DT_BOTTOM)
        ::OffsetRect(&rect, 0, -Scaled(2 * m.e + 2));
    else if ((format & DT_VCENTER) == 0)
        ::OffsetRect(&rect, 0, -Scaled(3 * m.e + 3));
    EnsureHeight(rect, Scaled(m.h0 + 3 * m.e + 4));
}

void PaintText(HDC dc, const std::wstring& text, RECT rect, UINT format, const BkStyle& style) {
    if (style.m_nGdiplus != 0) {
        DrawWithGdiplus(dc, text, rect, format);
        return;
    }
    // A shadow's colour is no colour of a high-contrast theme.
    if (style.m_nShadow != 0 && !IsHighContrast() &&
        DrawShadowed(dc, text, rect, format, style.m_crShadow))
        return;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

std::wstring WithoutPrefixes(const std::wstring& text) {
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}
