// Skins drawn from bitmap resources: "imglst" (a bitmap cut into sub-images) and the two
// skins built on it, "imgframe" (a nine-part frame) and "imghorzex" (a horizontal stretch).
#pragma once

#include "toolkit/skins/BkImage.h"
#include "toolkit/styles/BkNotation.h"
#include "toolkit/skins/BkSkinBase.h"
#include "toolkit/styles/DisplayScale.h"

// The bitmap comes from the pool for the DPI of the view at work, and its lengths ("subwidth",
// "stretch-x", "stretch-y", and the "left" and "top" of the skins built on it) are pixels at
// 96 DPI that scale with it.
class CBkImageSkin : public CBkSkinBase, public CBkImage {
    BK_TAG_NAME("imglst")
public:
    // "src" (bitmap id, read when preparing), "mode" ("none", "mask", "alpha"), "maskcolor",
    // "subwidth"; "stretch-x" and "stretch-y" answer 1.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // The state is the sub-image index (-1: the whole bitmap), drawn at the rect's corner at
    // natural size, or stretched to "stretch-x" by "stretch-y" when both are set.
    void Draw(HDC dc, const RECT& rect, DWORD state) override;
    SIZE GetSkinSize() override;
    bool IgnoreState() override { return m_subWidth == 0; }
    bool Prepare() override;

    // Once prepared, takes the bitmap for the current DPI when that has changed.
    void FollowDpi();
    // A 96-DPI length at the bitmap's scale.
    int AtBitmapDpi(int length) const { return ScaleToDpi(length, m_bitmapDpi); }

private:
    void Fetch();

    std::string m_source;
    int m_subWidth = 0;
    int m_stretchX = 0;
    int m_stretchY = 0;
    int m_bitmapDpi = kDefaultDpi;
};

class CBkSkinImgFrame : public CBkSkinBase {
    BK_TAG_NAME("imgframe")
public:
    // Every "imglst" attribute first, then "crbg", "left", "top" and "part" ("all", "top",
    // "middle", "bottom", "left", "center", "right").
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // The bitmap cut at column "left" and row "top" into corners copied at natural size,
    // one-pixel edges stretched along the sides, and a centre filled with "crbg".
    void Draw(HDC dc, const RECT& rect, DWORD state) override;
    bool IgnoreState() override { return m_image.IgnoreState(); }
    bool Prepare() override { return m_image.Prepare(); }

private:
    CBkImageSkin m_image;
    COLORREF m_crBg = kNoColor;
    int m_left = 0;
    int m_top = 0;
    // Sides present: top 1, centre 2, bottom 4, left 8, right 32.
    UINT m_parts = 0x2F;
};

class CBkSkinImgHorzExtend : public CBkSkinBase {
    BK_TAG_NAME("imghorzex")
public:
    // Every "imglst" attribute first, then "left".
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // Left and right pieces at natural size, column "left" stretched between them; the state
    // bits choose the sub-image (3 disabled, 2 pushed, 1 hover, 0 normal), and state -1 the
    // index -1, which is the whole bitmap when it has no sub-image width.
    void Draw(HDC dc, const RECT& rect, DWORD state) override;
    // Only the height is fixed.
    SIZE GetSkinSize() override;
    bool IgnoreState() override { return m_image.IgnoreState(); }
    bool Prepare() override { return m_image.Prepare(); }

private:
    CBkImageSkin m_image;
    int m_left = 0;
};
