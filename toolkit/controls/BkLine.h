// "hr": a line from the element's top-left to its bottom-right corner.
#pragma once

#include "toolkit/elements/BkWindow.h"

class CBkLine : public CBkWindow {
    BK_TAG_NAME("hr")
public:
    // "size" (pen width) and "style" ("solid", "dash", "dot", "dashdot", "dashdotdot").
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // In the element's "crbg", else the style's; without either nothing is drawn.
    void OnPaint(HDC dc);

private:
    int m_penWidth = 1;
    int m_penStyle = PS_SOLID;
};
