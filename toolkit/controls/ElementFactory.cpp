#include "toolkit/elements/ElementFactory.h"

#include "toolkit/controls/BkCheckBox.h"
#include "toolkit/controls/BkIconWnd.h"
#include "toolkit/controls/BkImageWnd.h"
#include "toolkit/controls/BkLine.h"
#include "toolkit/controls/BkMemoryImage.h"
#include "toolkit/elements/BkPanel.h"
#include "toolkit/controls/BkProgress.h"
#include "toolkit/controls/BkRealWnd.h"
#include "toolkit/controls/BkRichText.h"
#include "toolkit/controls/BkSkinBtnWnd.h"
#include "toolkit/controls/BkStatic.h"
#include "toolkit/controls/BkTabCtrl.h"

#include <cstring>

namespace {

template <typename Element> CBkWindow* Make() {
    return new Element;
}

} // namespace

CBkWindow* CreateElement(const char* tag) {
    // Tried in this order; "div" and "tab" are not made here.
    static const struct {
        const char* tag;
        CBkWindow* (*make)();
    } kClasses[] = {
        {CBkDialog::kTagName, Make<CBkDialog>},
        {CBkStatic::kTagName, Make<CBkStatic>},
        {CBkButton::kTagName, Make<CBkButton>},
        {CBkImageWnd::kTagName, Make<CBkImageWnd>},
        {CBkProgress::kTagName, Make<CBkProgress>},
        {CBkProgressEx::kTagName, Make<CBkProgressEx>},
        {CBkImageBtnWnd::kTagName, Make<CBkImageBtnWnd>},
        {CBkSkinBtnWnd::kTagName, Make<CBkSkinBtnWnd>},
        {CBkRealWnd::kTagName, Make<CBkRealWnd>},
        {CBkLine::kTagName, Make<CBkLine>},
        {CBkCheckBox::kTagName, Make<CBkCheckBox>},
        {CBkIconWnd::kTagName, Make<CBkIconWnd>},
        {CBkTabCtrl::kTagName, Make<CBkTabCtrl>},
        {CBkRadioBox::kTagName, Make<CBkRadioBox>},
        {CBkRichText::kTagName, Make<CBkRichText>},
        {CBkLink::kTagName, Make<CBkLink>},
        {CBkMemoryImage::kTagName, Make<CBkMemoryImage>},
        {CBkDialogButton::kTagName, Make<CBkDialogButton>},
    };
    for (const auto& entry : kClasses) {
        if (std::strcmp(tag, entry.tag) == 0)
            return entry.make();
    }
    return nullptr;
}
