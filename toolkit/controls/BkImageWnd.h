// "img" (a skin drawn over the element) and "imgbtn" (a skinned button with an optional icon,
// mask and caption, optionally one of a group of which one at most is checked).
#pragma once

#include "toolkit/elements/BkWindow.h"

#include <oleacc.h>

class CBkImageWnd : public CBkWindow {
    BK_TAG_NAME("img")
public:
    ~CBkImageWnd() override;

    // Joins the group named by "group" once loaded.
    bool Load(const TiXmlElement* element) override;
    // "skin", "ico", "ico_top", "caption", "caption_top", "group", "mask", "sub".
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_NCCALCSIZE(OnNcCalcSize)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // The skin draws sub-image "sub" (-1 when absent: the whole image).
    void OnPaint(HDC dc);
    // The text's size, replaced by the skin's size where that is not 0.
    LRESULT OnNcCalcSize(BOOL constrain, LPARAM sizeRecord);

    int m_subImage = -1;
    std::string m_skinName;
    std::string m_iconSkinName;
    std::wstring m_caption;
    int m_captionTop = -1;
    int m_iconTop = -1;
    std::string m_groupName;
    std::string m_maskSkinName;
};

class CBkImageBtnWnd : public CBkImageWnd {
    BK_TAG_NAME("imgbtn")
public:
    bool RedrawOnStateChange() override { return true; }
    bool TabStopByDefault() const override { return true; }
    LONG AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
    // Its caption, else its tip.
    std::wstring AccessibleName() const override {
        return !m_caption.empty() ? m_caption : GetToolTipText();
    }
    // The skin's sub-image for the state: 3 disabled, 2 pushed (or checked in a group with a
    // checked member), 1 hovered, 0 otherwise.
    DWORD SkinIndex() const;
    // With a skin that draws by state, the look of the sub-image drawn, so that the caption
    // stands out from the face it is written on.
    ContrastLook GetContrastLook() override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_LBUTTONUP(OnLButtonUp)
    BK_CHAIN_MSG_MAP(CBkImageWnd)
    BK_END_MSG_MAP()

protected:
    void OnPaint(HDC dc);
    // In a group, a click checks the button (unchecking the others) or unchecks it.
    void OnLButtonUp(UINT flags, POINT point);

private:
    void DrawIcon(HDC dc);
    void DrawCaption(HDC dc);
};

// The desired size of an element drawn by a skin: the skin's width and height, where they are
// not 0, replace the measured ones. A missing skin changes nothing.
void TakeSkinSize(const std::string& skinName, SIZE& size);

// A button's skin drawn for the sub-image index (3 disabled, 2 pushed, 1 hovered, 0 normal).
// Under a high-contrast theme that leaves the skin undrawn (it has no role), the button is
// still seen: a face in its style role's colours, outlined in the ink.
void DrawButtonSkin(HDC dc, const CBkWindow& button, const std::string& skinName, DWORD index);
// How such a button looks under a high-contrast theme: by its sub-image when the skin draws by
// state; null when it does not, for the element's own answer.
bool ButtonContrastLook(const std::string& skinName, DWORD index, ContrastLook& look);
