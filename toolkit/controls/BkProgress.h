// "progress" (a bar filled by a value's share of a range, optionally with the percentage over
// it) and "progressex" (the same with a text after the percentage).
#pragma once

#include "toolkit/elements/BkWindow.h"

class CBkProgress : public CBkWindow {
    BK_TAG_NAME("progress")
public:
    // "bgskin", "posskin", "min", "max", "value", "showpercent", "progressbar".
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // The value's share of the range in the given number of parts (bounds in either order,
    // the value clamped between them; 0 when the bounds are equal).
    LONG FilledParts(LONG parts) const;

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // The background, the filled part (or the moving block), then the percentage.
    void OnPaint(HDC dc);
    virtual std::wstring FormatPercent(int percent) const;
    // Where the "posskin" image starts, from the bar's left edge.
    virtual LONG PositionImageLeft() const { return 2; }

private:
    void DrawTrack(HDC dc) const;
    // Returns the filled rectangle (empty when nothing is filled).
    RECT DrawFilled(HDC dc) const;
    void DrawMovingBlock(HDC dc);
    void DrawPercent(HDC dc, const RECT& filled) const;

    std::string m_bgSkin;
    std::string m_posSkin;
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    int m_showPercent = 0;
    int m_progressBar = 0;
    // Where the moving block starts, from the left of the bar's inside.
    LONG m_blockOffset = 0;
};

class CBkProgressEx : public CBkProgress {
    BK_TAG_NAME("progressex")
public:
    // Also "extendtext" (after the percentage) and "posimg_left" (where the "posskin" image
    // starts; 2 by default).
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

protected:
    std::wstring FormatPercent(int percent) const override;
    LONG PositionImageLeft() const override { return m_posImageLeft; }

private:
    std::wstring m_extendText;
    LONG m_posImageLeft = 2;
};
