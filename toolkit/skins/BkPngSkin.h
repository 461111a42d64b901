// Skins drawn from decoded pictures: "png" (with transparency) and "jpg".
#pragma once

#include "toolkit/skins/BkPicture.h"
#include "toolkit/skins/BkSkinBase.h"
#include "toolkit/skins/PictureDrawing.h"

#include <map>
#include <memory>
#include <tuple>

class BkPicturePool;

// What the two share: a picture from a pool, cut into sub-images or drawn in pieces, at the
// DPI of the view at work.
class CBkPictureSkin : public CBkSkinBase {
public:
    // "src", "subwidth", "left", "top", "margin_left", "margin_right" (and, where the type has
    // them, "margin_top", "margin_bottom"): decimal integers; the lengths are pixels at 96 DPI.
    // "hcsrc": the resource id of the two-tone picture (PictureRecolour.h) drawn in place of a
    // sub-image, or of the uncut picture, under a high-contrast theme.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // A sub-image at natural size from the rect's corner, or the uncut picture in pieces.
    void Draw(HDC dc, const RECT& rect, DWORD state) override;
    // Under a high-contrast theme only a skin with a role draws, filling the target.
    void DrawPart(HDC dc, const RECT& target, const RECT& source) override;
    // (sub-image width or picture width, picture height); 0 x 0 without a picture, or with an
    // empty one.
    SIZE GetSkinSize() override;
    bool IgnoreState() override { return m_layout.subWidth == 0; }
    bool Prepare() override;

protected:
    explicit CBkPictureSkin(bool verticalMargins) : m_verticalMargins(verticalMargins) {}

    virtual BkPicturePool& Pool() const = 0;
    // The sub-image that a state draws, of `count` that the picture holds.
    virtual DWORD SubImageIndex(DWORD state, DWORD count) const = 0;

private:
    // The picture for the current DPI, fetched again when that has changed; null until
    // prepared.
    const BkPicture* Picture();
    void Fetch();
    // Under a high-contrast theme: the sub-image's or the picture's area in the role's colours.
    void DrawInContrast(HDC dc, const RECT& area, ContrastLook look);

    const BkPicture* m_picture = nullptr; // owned by a pool
    int m_pictureDpi = 0;
    int m_sourceId = 0;
    int m_contrastSourceId = 0;
    // The two-tone picture in the colours it was last drawn in, by DPI, face and ink.
    std::map<std::tuple<int, COLORREF, COLORREF>, std::unique_ptr<BkPicture>> m_contrastPictures;
    ImagePieceLayout m_layout;
    const bool m_verticalMargins;
};

class CBkPngSkin : public CBkPictureSkin {
    BK_TAG_NAME("png")
public:
    CBkPngSkin() : CBkPictureSkin(true) {}

private:
    BkPicturePool& Pool() const override;
    // Reduced modulo the number of sub-images, the state taken as unsigned.
    DWORD SubImageIndex(DWORD state, DWORD count) const override;
};

class CBkJpgSkin : public CBkPictureSkin {
    BK_TAG_NAME("jpg")
public:
    CBkJpgSkin() : CBkPictureSkin(false) {}

private:
    BkPicturePool& Pool() const override;
    // The state as it stands.
    DWORD SubImageIndex(DWORD state, DWORD) const override { return state; }
};
