// Skins drawn from GDI+ images: "png" (with transparency) and "jpg".
#pragma once

#include "toolkit/skins/BkSkinBase.h"
#include "toolkit/skins/PictureDrawing.h"

namespace Gdiplus {
class Image;
}

// What the two share: an image from a pool, cut into sub-images or drawn in pieces.
class CBkGdiplusSkin : public CBkSkinBase {
public:
    // "src", "subwidth", "left", "top", "margin_left", "margin_right" (and, where the type has
    // them, "margin_top", "margin_bottom"): decimal integers.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // A sub-image at natural size from the rect's corner, or the uncut image in pieces.
    void Draw(HDC dc, const RECT& rect, DWORD state) override;
    void DrawPart(HDC dc, const RECT& target, const RECT& source) override;
    // (sub-image width or image width, image height); 0 x 0 without an image.
    SIZE GetSkinSize() override;
    bool IgnoreState() override { return m_layout.subWidth == 0; }
    bool Prepare() override;

protected:
    explicit CBkGdiplusSkin(bool verticalMargins) : m_verticalMargins(verticalMargins) {}

    virtual Gdiplus::Image* FetchImage(UINT id) = 0;
    // The sub-image that a state draws.
    virtual DWORD SubImageIndex(DWORD state) const = 0;

    Gdiplus::Image* m_image = nullptr; // owned by a pool
    int m_sourceId = 0;
    ImagePieceLayout m_layout;

private:
    const bool m_verticalMargins;
};

class CBkPngSkin : public CBkGdiplusSkin {
    BK_TAG_NAME("png")
public:
    CBkPngSkin() : CBkGdiplusSkin(true) {}

private:
    Gdiplus::Image* FetchImage(UINT id) override;
    // Reduced modulo the number of sub-images, the state taken as unsigned.
    DWORD SubImageIndex(DWORD state) const override;
};

class CBkJpgSkin : public CBkGdiplusSkin {
    BK_TAG_NAME("jpg")
public:
    CBkJpgSkin() : CBkGdiplusSkin(false) {}

private:
    Gdiplus::Image* FetchImage(UINT id) override;
    // The state as it stands.
    DWORD SubImageIndex(DWORD state) const override { return state; }
};
