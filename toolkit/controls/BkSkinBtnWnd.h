// "skinbtn": a text over a skin that shows the normal, hover, pressed and disabled looks.
#pragma once

#include "toolkit/elements/BkWindow.h"

#include <oleacc.h>

class CBkSkinBtnWnd : public CBkWindow {
    BK_TAG_NAME("skinbtn")
public:
    // "skin": its own skin; the style's skin when empty.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    bool RedrawOnStateChange() override { return true; }
    bool TabStopByDefault() const override { return true; }
    LONG AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    // The skin's sub-image: 3 disabled, 2 pushed, 1 hovered, 0 otherwise.
    DWORD SkinIndex() const;
    // With a skin that draws by state, the look of the sub-image drawn.
    ContrastLook GetContrastLook() override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_NCCALCSIZE(OnNcCalcSize)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // The skin, then the text over it.
    void OnPaint(HDC dc);
    // The text's size, replaced by the skin's where that is not 0.
    LRESULT OnNcCalcSize(BOOL constrain, LPARAM sizeRecord);

private:
    const std::string& SkinName() const;

    std::string m_skinName;
};
