#include "toolkit/controls/BkIconWnd.h"
#include "toolkit/styles/DisplayScale.h"

// The image the toolkit is linked into holds the program's icons.
extern "C" IMAGE_DOS_HEADER __ImageBase;

HRESULT CBkIconWnd::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    const HRESULT result = CBkWindow::SetAttribute(name, value, loading);
    if (SUCCEEDED(result))
        return result;
    int* field = nullptr;
    if (name == "src")
        field = &m_sourceId;
    else if (name == "oem")
        field = &m_oemId;
    else if (name == "size")
        field = &m_size;
    if (field == nullptr)
        return E_FAIL;
    *field = ParseDecimal(value.c_str());
    m_icon.Reset();
    m_loaded = false;
    return S_FALSE;
}

HICON CBkIconWnd::FetchIcon() const {
    // Made at the scale it is drawn at, not stretched from 96 DPI.
    const int size = Scaled(m_size);
    const UINT sizeFlag = m_size > 0 ? 0 : LR_DEFAULTSIZE;
    if (m_sourceId > 0) {
        return static_cast<HICON>(::LoadImageW(reinterpret_cast<HINSTANCE>(&__ImageBase),
                                               MAKEINTRESOURCEW(m_sourceId), IMAGE_ICON, size, size,
                                               sizeFlag));
    }
    if (m_oemId <= 0)
        return nullptr;
    // System icons load only shared, and shared icons must not be destroyed: keep a copy.
    const auto shared = static_cast<HICON>(::LoadImageW(
        nullptr, MAKEINTRESOURCEW(m_oemId), IMAGE_ICON, size, size, sizeFlag | LR_SHARED));
    return shared != nullptr ? ::CopyIcon(shared) : nullptr;
}

void CBkIconWnd::OnPaint(HDC dc) {
    if (!m_loaded || m_loadedDpi != CurrentDpi()) {
        m_icon.Reset(FetchIcon());
        m_loaded = true;
        m_loadedDpi = CurrentDpi();
    }
    if (m_icon.Get() != nullptr)
        ::DrawIconEx(dc, m_rect.left, m_rect.top, m_icon.Get(), m_rect.right - m_rect.left,
                     m_rect.bottom - m_rect.top, 0, nullptr, DI_NORMAL);
}

LRESULT CBkIconWnd::OnNcCalcSize(BOOL constrain, LPARAM sizeRecord) {
    CBkWindow::OnNcCalcSize(constrain, sizeRecord);
    if (m_size > 0 && m_positionCount != 4)
        *reinterpret_cast<SIZE*>(sizeRecord) = SIZE{Scaled(m_size), Scaled(m_size)};
    return 0;
}
