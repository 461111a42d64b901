#include "toolkit/controls/RichTextLayout.h"
#include "toolkit/styles/DisplayScale.h"

#include "platform/GdiObjects.h"

#include <algorithm>
#include <cstdint>

namespace {

// The pen, in 64 bits: offsets from the document may add up past 32.
class Pen {
public:
    Pen(HDC dc, const RECT& area, const RichTextSpacing& spacing, RichTextLayout& layout)
        : m_dc(dc), m_left(area.left), m_right(area.right), m_spacing(spacing), m_layout(layout),
          m_x(area.left), m_y(area.top), m_top(area.top) {}

    void Break() {
        m_x = m_left;
        m_y += m_spacing.line;
    }

    // Further right; past the right edge the move goes on along the following lines.
    void Move(int offset) {
        m_x += offset;
        const int64_t width = m_right - m_left;
        if (m_x > m_right && width > 0) {
            m_y += (m_x - m_left) / width * m_spacing.line;
            m_x = m_left + (m_x - m_left) % width;
        }
    }

    // Word by word; a word wider than a whole line overhangs it.
    void PlaceText(size_t run, const std::wstring& text) {
        size_t start = 0;
        while (start < text.size()) {
            const size_t blank = text.find(L' ', start);
            const size_t wordEnd = blank == std::wstring::npos ? text.size() : blank;
            const size_t next = text.find_first_not_of(L' ', wordEnd);
            const size_t end = next == std::wstring::npos ? text.size() : next;
            // Trailing blanks may hang over the right edge.
            PlaceUnit(run, text.substr(start, end - start),
                      Extent(text.substr(start, wordEnd - start)).cx);
            start = end;
        }
    }

    void PlaceLink(size_t run, const std::wstring& text) {
        PlaceUnit(run, text, Extent(text).cx);
        m_x += m_spacing.afterLink;
    }

    void Finish() {
        if (!m_layout.pieces.empty() || m_y > m_top)
            m_bottom = std::max(m_bottom, m_y + m_spacing.line);
        m_layout.extent =
            SIZE{static_cast<LONG>(m_widest - m_left), static_cast<LONG>(m_bottom - m_top)};
    }

private:
    SIZE Extent(const std::wstring& text) const {
        SIZE size{};
        ::GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size;
    }

    void PlaceUnit(size_t run, const std::wstring& text, LONG fitWidth) {
        if (m_x + fitWidth > m_right && m_x > m_left)
            Break();
        const SIZE size = Extent(text);
        const RECT box{static_cast<LONG>(m_x), static_cast<LONG>(m_y),
                       static_cast<LONG>(m_x + size.cx), static_cast<LONG>(m_y + size.cy)};
        m_layout.pieces.push_back(RichTextPiece{run, text, box});
        m_x += size.cx;
        m_widest = std::max(m_widest, m_x);
        m_bottom = std::max<int64_t>(m_bottom, box.bottom);
    }

    HDC m_dc;
    const int64_t m_left;
    const int64_t m_right;
    const RichTextSpacing m_spacing;
    RichTextLayout& m_layout;
    int64_t m_x;
    int64_t m_y;
    const int64_t m_top;
    int64_t m_widest = m_left;
    int64_t m_bottom = m_top;
};

} // namespace

RichTextLayout LayoutRichText(HDC dc, const std::vector<RichTextRun>& runs, const RECT& area,
                              const RichTextSpacing& spacing, const RichTextFontOf& fontOf) {
    RichTextLayout layout;
    Pen pen(dc, area, spacing, layout);
    for (size_t index = 0; index < runs.size(); ++index) {
        const RichTextRun& run = runs[index];
        switch (run.kind) {
        case RichTextRun::kBreak:
            pen.Break();
            break;
        case RichTextRun::kOffset:
            pen.Move(Scaled(run.value));
            break;
        case RichTextRun::kText:
        case RichTextRun::kLink: {
            SelectObjectGuard font(dc, fontOf(run));
            if (run.kind == RichTextRun::kText)
                pen.PlaceText(index, run.text);
            else
                pen.PlaceLink(index, run.text);
            break;
        }
        }
    }
    pen.Finish();
    return layout;
}
