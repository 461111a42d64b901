// "memimage": a GDI+ image that the owner made in memory, named by its address.
#pragma once

#include "toolkit/elements/BkWindow.h"

#include <cstdint>

namespace Gdiplus {
class Image;
}

class CBkMemoryImage : public CBkWindow {
    BK_TAG_NAME("memimage")
public:
    // "mempointer": the image's address in decimal; 0 or an unreadable number is no image.
    // The owner keeps the image alive while the element shows it.
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;
    Gdiplus::Image* GetImage() const { return m_image; }

    BK_BEGIN_MSG_MAP()
    MSG_WM_PAINT(OnPaint)
    MSG_WM_NCCALCSIZE(OnNcCalcSize)
    BK_CHAIN_MSG_MAP(CBkWindow)
    BK_END_MSG_MAP()

protected:
    // The image scaled into the rect.
    void OnPaint(HDC dc);
    // The text's size, replaced by the image's where that is not 0.
    LRESULT OnNcCalcSize(BOOL constrain, LPARAM sizeRecord);

private:
    Gdiplus::Image* m_image = nullptr;
};

// A decimal address of the full pointer width; 0 when the text does not start with a digit or
// the number does not fit a pointer.
uintptr_t ParseAddress(const char* text);
