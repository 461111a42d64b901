// "check" and "radio": a mark in the system's look at the left and the text beside it; a
// click changes the checked state. Radio buttons share named groups with image buttons.
#pragma once

#include "toolkit/elements/BkWindow.h"
#include "toolkit/controls/ButtonMark.h"

#include <oleacc.h>

// What check boxes and radio buttons share: the "check" attribute, the painting and the size.
class CBkButtonMarkWnd : public CBkWindow {
public:
    // "check": nonzero checks the element, zero unchecks it.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    bool RedrawOnStateChange() override { return true; }
    bool TabStopByDefault() const override { return true; }

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_NCCALCSIZE(OnNcCalcSize)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // A square mark of markSize pixels; the text starts textOffset pixels right of it.
    CBkButtonMarkWnd(ButtonMark mark, LONG markSize, LONG textOffset)
        : m_mark(mark), m_markSize(markSize), m_textOffset(textOffset) {}

    // The mark vertically centred at the left, the text beside it vertically centred.
    void OnPaint(HDC dc);
    // The text's size, widened by the mark and at least as tall as the mark.
    LRESULT OnNcCalcSize(BOOL constrain, LPARAM sizeRecord);

private:
    const ButtonMark m_mark;
    const LONG m_markSize;
    const LONG m_textOffset;
};

class CBkCheckBox : public CBkButtonMarkWnd {
    BK_TAG_NAME("check")
public:
    CBkCheckBox() : CBkButtonMarkWnd(ButtonMark::kCheckBox, 13, 17) {}
    LONG AccessibleRole() const override { return ROLE_SYSTEM_CHECKBUTTON; }

    BK_BEGIN_MSG_MAP()
    MSG_WM_LBUTTONUP(OnLButtonUp)
    BK_CHAIN_MSG_MAP(CBkButtonMarkWnd)
    BK_END_MSG_MAP()

protected:
    // Toggles the checked state.
    void OnLButtonUp(UINT flags, POINT point);
};

class CBkRadioBox : public CBkButtonMarkWnd {
    BK_TAG_NAME("radio")
public:
    CBkRadioBox() : CBkButtonMarkWnd(ButtonMark::kRadio, 12, 14) {}
    ~CBkRadioBox() override;
    LONG AccessibleRole() const override { return ROLE_SYSTEM_RADIOBUTTON; }

    // Joins the group named by "group" once loaded.
    bool Load(const TiXmlElement* element) override;
    // Also "group"; checking it at run time unchecks the rest of its group.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_LBUTTONUP(OnLButtonUp)
    BK_CHAIN_MSG_MAP(CBkButtonMarkWnd)
    BK_END_MSG_MAP()

protected:
    // Checks it and unchecks the other members of its group, which repaint.
    void OnLButtonUp(UINT flags, POINT point);

private:
    std::string m_groupName;
};
