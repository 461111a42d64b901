#include "toolkit/ElementFactory.h"

#include "toolkit/BkImageWnd.h"
#include "toolkit/BkPanel.h"
#include "toolkit/BkRealWnd.h"
#include "toolkit/BkStatic.h"

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
        {CBkImageBtnWnd::kTagName, Make<CBkImageBtnWnd>},
        {CBkRealWnd::kTagName, Make<CBkRealWnd>},
        {CBkLink::kTagName, Make<CBkLink>},
        {CBkDialogButton::kTagName, Make<CBkDialogButton>},
    };
    for (const auto& entry : kClasses) {
        if (std::strcmp(tag, entry.tag) == 0)
            return entry.make();
    }
    return nullptr;
}
