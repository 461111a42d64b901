#include "toolkit/controls/BkProgress.h"
#include "toolkit/styles/DisplayScale.h"

#include "platform/GdiObjects.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/styles/BkStyle.h"
#include "toolkit/skins/ColorFills.h"
#include "toolkit/resources/Utf8.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr COLORREF kTrackColor = 0x707070;
constexpr COLORREF kFillColor = 0x906142;

// Under a high-contrast theme the track takes the element's ink (selected into the device
// context) and the filled part the highlight.
COLORREF TrackColor(HDC dc) {
    return IsHighContrast() ? ::GetTextColor(dc) : kTrackColor;
}
COLORREF FillColor() {
    return IsHighContrast() ? ContrastColor(COLOR_HIGHLIGHT) : kFillColor;
}
constexpr int kCorner = 4;
// How far the block of a "progressbar" moves at each paint.
constexpr LONG kBlockStep = 10;

void DrawRoundRect(HDC dc, const RECT& rect, COLORREF outline, HBRUSH fill) {
    ScopedGdiObject<HPEN> pen(::CreatePen(PS_SOLID, 1, outline));
    SelectObjectGuard penSelected(dc, pen.Get());
    SelectObjectGuard brushSelected(dc, fill);
    ::RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, kCorner, kCorner);
}

void FillRoundRect(HDC dc, const RECT& rect, COLORREF color) {
    ScopedGdiObject<HBRUSH> brush(::CreateSolidBrush(color));
    DrawRoundRect(dc, rect, color, brush.Get());
}

} // namespace

HRESULT CBkProgress::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    if (name == "bgskin" || name == "posskin") {
        (name == "bgskin" ? m_bgSkin : m_posSkin) = value;
        return S_FALSE;
    }
    static const struct {
        const char* name;
        int CBkProgress::*field;
    } kNumbers[] = {
        {"min", &CBkProgress::m_min},
        {"max", &CBkProgress::m_max},
        {"value", &CBkProgress::m_value},
        {"showpercent", &CBkProgress::m_showPercent},
        {"progressbar", &CBkProgress::m_progressBar},
    };
    for (const auto& number : kNumbers) {
        if (name == number.name) {
            this->*number.field = ParseDecimal(value.c_str());
            return S_FALSE;
        }
    }
    return E_FAIL;
}

LONG CBkProgress::FilledParts(LONG parts) const {
    const int64_t low = std::min(m_min, m_max);
    const int64_t high = std::max(m_min, m_max);
    if (low == high || parts <= 0)
        return 0;
    const int64_t value = std::clamp<int64_t>(m_value, low, high);
    return static_cast<LONG>((value - low) * parts / (high - low));
}

void CBkProgress::OnPaint(HDC dc) {
    BkPaintState saved;
    BeforePaint(dc, saved);
    DrawTrack(dc);
    RECT filled{};
    if (m_progressBar != 0)
        DrawMovingBlock(dc);
    else
        filled = DrawFilled(dc);
    if (m_showPercent != 0)
        DrawPercent(dc, filled);
    AfterPaint(dc, saved);
}

std::wstring CBkProgress::FormatPercent(int percent) const {
    return std::to_wstring(percent) + L"%";
}

void CBkProgress::DrawTrack(HDC dc) const {
    if (CBkSkinBase* skin = GetShownSkin(m_bgSkin))
        skin->Draw(dc, m_rect, 0);
    else
        DrawRoundRect(dc, m_rect, TrackColor(dc),
                      static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
}

RECT CBkProgress::DrawFilled(HDC dc) const {
    if (CBkSkinBase* skin = GetShownSkin(m_posSkin)) {
        const LONG left = m_rect.left + PositionImageLeft();
        const LONG height = skin->GetSkinSize().cy;
        const LONG top = m_rect.top + (m_rect.bottom - m_rect.top - height) / 2;
        const RECT filled{left, top, left + FilledParts(m_rect.right - 2 - left), top + height};
        if (filled.right > filled.left)
            skin->Draw(dc, filled, 0);
        return filled;
    }
    RECT filled = m_rect;
    ::InflateRect(&filled, -Scaled(2), -Scaled(2));
    filled.right = filled.left + FilledParts(filled.right - filled.left);
    if (filled.right > filled.left)
        FillRoundRect(dc, filled, FillColor());
    return filled;
}

void CBkProgress::DrawMovingBlock(HDC dc) {
    RECT bar = m_rect;
    ::InflateRect(&bar, -Scaled(2), -Scaled(2));
    const LONG width = bar.right - bar.left;
    if (width <= 0)
        return;
    const LONG left = bar.left + m_blockOffset % width;
    const RECT block{left, bar.top, std::min(left + std::max(width / 4, 1L), bar.right),
                     bar.bottom};
    FillRoundRect(dc, block, FillColor());
    m_blockOffset = (m_blockOffset + Scaled(kBlockStep)) % width;
}

void CBkProgress::DrawPercent(HDC dc, const RECT& filled) const {
    const std::wstring text = FormatPercent(FilledParts(100));
    const int length = static_cast<int>(text.size());
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    SavedDCState state(dc);
    ::SetBkMode(dc, TRANSPARENT);
    RECT box = m_rect;
    ::DrawTextW(dc, text.c_str(), length, &box, format);
    // Over the filled part the text takes the background's colour, so it stays readable.
    COLORREF over = m_crBg != kNoColor ? m_crBg : GetStyle().m_crBg;
    if (IsHighContrast())
        over = ContrastColor(COLOR_HIGHLIGHTTEXT);
    ::SetTextColor(dc, over != kNoColor ? over : RGB(255, 255, 255));
    ::IntersectClipRect(dc, filled.left, filled.top, filled.right, filled.bottom);
    ::DrawTextW(dc, text.c_str(), length, &box, format);
}

HRESULT CBkProgressEx::SetAttribute(const std::string& name, const std::string& value,
                                    bool loading) {
    const HRESULT result = CBkProgress::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    if (name == "extendtext")
        m_extendText = Utf8ToWide(value.c_str());
    else if (name == "posimg_left")
        m_posImageLeft = ParseDecimal(value.c_str());
    else
        return E_FAIL;
    return S_FALSE;
}

std::wstring CBkProgressEx::FormatPercent(int percent) const {
    return CBkProgress::FormatPercent(percent) + m_extendText;
}
