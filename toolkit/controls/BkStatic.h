// The text controls: "text", "link" (a text the header does not drag by) and "button" (a
// text that repaints on every hover and press, for skinned classes).
#pragma once

#include "toolkit/elements/BkWindow.h"

#include <oleacc.h>

class CBkStatic : public CBkWindow {
    BK_TAG_NAME("text")
public:
    // A text that Tab stops at and that takes clicks is a link to the reader.
    LONG AccessibleRole() const override {
        return IsTabStop() && TakesClicks() ? ROLE_SYSTEM_LINK : ROLE_SYSTEM_STATICTEXT;
    }
};

class CBkLink : public CBkWindow {
    BK_TAG_NAME("link")
public:
    bool TabStopByDefault() const override { return true; }
    LONG AccessibleRole() const override { return ROLE_SYSTEM_LINK; }
};

class CBkButton : public CBkWindow {
    BK_TAG_NAME("button")
public:
    bool RedrawOnStateChange() override { return true; }
    bool TabStopByDefault() const override { return true; }
    LONG AccessibleRole() const override { return ROLE_SYSTEM_PUSHBUTTON; }
};
