// "richtext": text in inline markup (line breaks, bold, italic, underline, colours, moves of
// the pen) with link runs that report their id when clicked.
#pragma once

#include "toolkit/elements/BkWindow.h"
#include "toolkit/controls/RichTextLayout.h"

class CBkRichText : public CBkWindow {
    BK_TAG_NAME("richtext")
public:
    // The markup of the element's content, then what every element loads.
    bool Load(const TiXmlElement* element) override;
    // "defaultfont" (the font code the runs start from) and "linkclass" (the style
    // class of link runs: "crtext", "crhover", "font", "hoverfont").
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    // The hand over a link run.
    void ApplyCursor() override;

    const RichTextLayout& GetLayout() const { return m_layout; }

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_NCCALCSIZE(OnNcCalcSize)
    MSG_WM_WINDOWPOSCHANGED(OnWindowPosChanged)
    MSG_WM_MOUSEMOVE(OnMouseMove)
    MSG_WM_MOUSELEAVE(OnMouseLeave)
    MSG_WM_LBUTTONUP(OnLButtonUp)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    void OnPaint(HDC dc);
    // The laid-out text's size, margins included; a four-item box keeps its size.
    LRESULT OnNcCalcSize(BOOL constrain, LPARAM sizeRecord);
    // Places the element and lays its text out in the new rect.
    void OnWindowPosChanged(LPWINDOWPOS position);
    // The link run under the pointer shows its hover colour.
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseLeave();
    // A click on a link run sends the view a click notice (code 1) with the run's id.
    void OnLButtonUp(UINT flags, POINT point);

private:
    // The link class's fonts for link runs, when it has them (the hover font only for the
    // drawing: the layout does not change with the hover).
    HFONT FontOf(const RichTextRun& run, bool hovered) const;
    COLORREF ColorOf(const RichTextRun& run, bool hovered, COLORREF text) const;
    // Lays the runs out in the rect's width (without limit when `width` is negative).
    RichTextLayout Layout(LONG width) const;
    // The index of the link run under the point; -1 for none.
    int LinkAt(POINT point) const;
    void SetHoverLink(int run);

    std::vector<RichTextRun> m_runs;
    RichTextLayout m_layout;
    WORD m_defaultFont = 0;
    std::string m_linkClass;
    int m_hoverLink = -1;
};
