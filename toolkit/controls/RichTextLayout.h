// Places rich-text runs on lines: from the area's left edge, one line every "line spacing"
// pixels; words wrap at the right edge, and a link run that does not fit moves whole to the
// next line.
#pragma once

#include "toolkit/controls/RichTextMarkup.h"

#include <functional>

// One piece of text where it is drawn: a word (with its trailing blanks) or a link run.
struct RichTextPiece {
    size_t run;
    std::wstring text;
    RECT box;
};

struct RichTextLayout {
    std::vector<RichTextPiece> pieces;
    // From the area's corner to the right-most piece's edge and the last line's bottom.
    SIZE extent{};
};

struct RichTextSpacing {
    LONG line; // from one line to the next
    LONG afterLink;
};

using RichTextFontOf = std::function<HFONT(const RichTextRun&)>;

// Measures with the fonts selected into `dc`. Only the area's left, top and right count.
RichTextLayout LayoutRichText(HDC dc, const std::vector<RichTextRun>& runs, const RECT& area,
                              const RichTextSpacing& spacing, const RichTextFontOf& fontOf);
