// The inline markup of "richtext" read into runs: texts in one format, line breaks, moves of
// the pen and link runs. Tag names compare without regard to case.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TiXmlNode;

struct RichTextRun {
    enum Kind { kText, kBreak, kOffset, kLink };

    Kind kind = kText;
    // The text of a text or link run.
    std::wstring text;
    // Font code bits: 1 italic, 2 underline, 4 bold.
    WORD fontBits = 0;
    // The colour from "c"; none: the element's text colour.
    COLORREF color = CLR_INVALID;
    // The pixels of an offset run, the id of a link run.
    int value = 0;
};

// "br" breaks the line; "b", "i", "u" make their content bold, italic, underlined; "c" colours
// it by its "color"; "o" moves the pen right by its "offset"; "a" is one link run of its whole
// text, with its "id". Other tags count for their content only.
std::vector<RichTextRun> ParseRichText(const TiXmlNode& content);
