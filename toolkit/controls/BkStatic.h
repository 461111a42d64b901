// The text controls: "text", "link" (a text the header does not drag by) and "button" (a
// text that repaints on every hover and press, for skinned classes).
#pragma once

#include "toolkit/elements/BkWindow.h"

class CBkStatic : public CBkWindow {
    BK_TAG_NAME("text")
};

class CBkLink : public CBkWindow {
    BK_TAG_NAME("link")
};

class CBkButton : public CBkWindow {
    BK_TAG_NAME("button")
public:
    bool RedrawOnStateChange() override { return true; }
};
