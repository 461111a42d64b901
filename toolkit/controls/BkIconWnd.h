// "icon": an icon of the program's resources or of the system, drawn over the element.
#pragma once

#include "platform/GdiObjects.h"
#include "toolkit/elements/BkWindow.h"

class CBkIconWnd : public CBkWindow {
    BK_TAG_NAME("icon")
public:
    // "src" (icon resource id), "oem" (system icon id, used when "src" is not set) and "size"
    // (the size to load; 0: the system's icon size). Each loads the icon again at the next
    // paint.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_NCCALCSIZE(OnNcCalcSize)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // The icon stretched over the rect.
    void OnPaint(HDC dc);
    // "size" by "size" when set, else the text's size.
    LRESULT OnNcCalcSize(BOOL constrain, LPARAM sizeRecord);

private:
    // Null when neither source names an icon that exists.
    HICON FetchIcon() const;

    int m_sourceId = 0;
    int m_oemId = 0;
    int m_size = 0;
    ScopedIcon m_icon;
    bool m_loaded = false;
    int m_loadedDpi = 0;
};
