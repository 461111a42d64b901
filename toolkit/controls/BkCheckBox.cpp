#include "toolkit/controls/BkCheckBox.h"
#include "toolkit/styles/DisplayScale.h"

#include "toolkit/styles/BkStyle.h"
#include "toolkit/elements/ElementGroups.h"
#include "toolkit/elements/TextPainting.h"

#include <algorithm>

HRESULT CBkButtonMarkWnd::SetAttribute(const std::string& name, const std::string& value,
                                       bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result) || name != "check")
        return result;
    if (ParseDecimal(value.c_str()) != 0)
        ModifyState(kStateChecked, 0);
    else
        ModifyState(0, kStateChecked);
    return S_FALSE;
}

void CBkButtonMarkWnd::OnPaint(HDC dc) {
    BkPaintState saved;
    BeforePaint(dc, saved);
    const RECT& area = saved.textRect;
    const LONG mark = Scaled(m_markSize);
    const LONG top = area.top + (area.bottom - area.top - mark) / 2;
    const RECT box{area.left, top, area.left + mark, top + mark};
    const DWORD state = IsDisabled(true) ? (m_state | kStateDisabled) : m_state;
    DrawButtonMark(m_containerWindow, dc, box, m_mark, state);

    if (!m_innerText.empty()) {
        const BkStyle& style = GetStyle();
        RECT text = area;
        text.left += Scaled(m_textOffset);
        const UINT format =
            (style.m_nTextMode & ~(DT_BOTTOM | DT_VCENTER)) | DT_SINGLELINE | DT_VCENTER;
        PaintText(dc, m_innerText, text, format, style);
    }
    AfterPaint(dc, saved);
}

LRESULT CBkButtonMarkWnd::OnNcCalcSize(BOOL constrain, LPARAM sizeRecord) {
    CBkWindow::OnNcCalcSize(constrain, sizeRecord);
    SIZE& size = *reinterpret_cast<SIZE*>(sizeRecord);
    if (m_positionCount != 4) {
        size.cx += Scaled(m_textOffset);
        size.cy = std::max<LONG>(size.cy, Scaled(m_markSize));
    }
    return 0;
}

void CBkCheckBox::OnLButtonUp(UINT, POINT) {
    if (m_state & kStateChecked)
        ModifyState(0, kStateChecked);
    else
        ModifyState(kStateChecked, 0);
}

CBkRadioBox::~CBkRadioBox() {
    if (!m_groupName.empty())
        ElementGroups::Leave(m_groupName, m_handle);
}

bool CBkRadioBox::Load(const TiXmlElement* element) {
    const bool loaded = CBkButtonMarkWnd::Load(element);
    if (loaded && !m_groupName.empty())
        ElementGroups::Join(m_groupName, m_handle);
    return loaded;
}

HRESULT CBkRadioBox::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkButtonMarkWnd::SetAttribute(name, value, loading);
    if (SUCCEEDED(result)) {
        if (name == "check" && !loading && (m_state & kStateChecked) && !m_groupName.empty())
            ElementGroups::CheckOnly(m_groupName, *this);
        return result;
    }
    if (name != "group")
        return result;
    // Loading joins once loaded; a change at run time moves the element at once.
    if (!loading && !m_groupName.empty())
        ElementGroups::Leave(m_groupName, m_handle);
    m_groupName = value;
    if (!loading && !m_groupName.empty())
        ElementGroups::Join(m_groupName, m_handle);
    return S_FALSE;
}

void CBkRadioBox::OnLButtonUp(UINT, POINT) {
    if (m_groupName.empty())
        ModifyState(kStateChecked, 0);
    else
        ElementGroups::CheckOnly(m_groupName, *this);
}
