// Draws every skin of the program in every state, through the toolkit's own drawing, onto one
// contact sheet: SkinContactSheet.exe OUT.png (Chronalign.exe must sit beside it).
#include "res/resource.h"
#include "tests/fixtures/DibCanvas.h"
#include "tests/fixtures/ProgramResources.h"
#include "toolkit/frame/BkShadowWnd.h"
#include "toolkit/skins/BkSkinPool.h"
#include "toolkit/skins/ColorFills.h"

#include <cstdio>
#include <string>

namespace {

constexpr COLORREF kSheet = RGB(0xF3, 0xF5, 0xF7);
constexpr COLORREF kHeaderBlue = RGB(0x26, 0x6F, 0xA8);
constexpr COLORREF kWhite = RGB(255, 255, 255);
const wchar_t* const kStateNames[] = {L"normal", L"hover", L"pressed", L"disabled"};

class Sheet {
public:
    Sheet() : m_canvas(1230, 740, kSheet) {
        for (int weight : {FW_NORMAL, FW_BOLD})
            m_fonts[weight == FW_BOLD] =
                ::CreateFontW(-13, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                              ANTIALIASED_QUALITY, 0, L"Tahoma");
        ::SetBkMode(Dc(), TRANSPARENT);
        ::SetTextColor(Dc(), RGB(0x33, 0x41, 0x4D));
    }
    ~Sheet() {
        for (HFONT font : m_fonts)
            ::DeleteObject(font);
    }

    HDC Dc() const { return m_canvas.Dc(); }
    void Label(int x, int y, const std::wstring& text, bool bold = false) {
        HGDIOBJ old = ::SelectObject(Dc(), m_fonts[bold]);
        ::TextOutW(Dc(), x, y, text.c_str(), static_cast<int>(text.size()));
        ::SelectObject(Dc(), old);
    }
    void Fill(const RECT& rect, COLORREF color) { FillSolid(Dc(), rect, color); }
    void Skin(const char* name, const RECT& rect, DWORD state) {
        if (CBkSkinBase* skin = GetSkin(name))
            skin->Draw(Dc(), rect, state);
    }
    bool Save(const wchar_t* path) const { return m_canvas.SavePng(path); }

private:
    DibCanvas m_canvas;
    HFONT m_fonts[2];
};

std::wstring Wide(const char* text) {
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

// One sub-imaged skin in each of its states, each on a backdrop; returns the next row's top.
int StatesRow(Sheet& sheet, int y, const char* name, int states, COLORREF backdrop) {
    const SIZE size = GetSkin(name)->GetSkinSize();
    sheet.Label(20, y,
                Wide(name) + L" (" + std::to_wstring(size.cx) + L" x " + std::to_wstring(size.cy) +
                    L", " + std::to_wstring(states) + L" states)",
                true);
    for (int state = 0; state < states; ++state) {
        const int x = 20 + state * (size.cx + 40);
        sheet.Fill(RECT{x, y + 22, x + size.cx + 20, y + 42 + size.cy}, backdrop);
        sheet.Skin(name, RECT{x + 10, y + 32, x + 10 + size.cx, y + 32 + size.cy},
                   static_cast<DWORD>(state));
        sheet.Label(x, y + 46 + size.cy, kStateNames[state]);
    }
    return y + size.cy + 74;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    HMODULE program = argc == 2 ? UseProgramResources() : nullptr;
    if (program == nullptr) {
        std::fprintf(stderr, "usage: SkinContactSheet OUT.png, with Chronalign.exe beside it\n");
        return 2;
    }
    Sheet sheet;

    // Left column: the frame's pieces and the buttons.
    sheet.Label(20, 16, L"dlg_head (490 x 30): 490, 560 (stretched) and 400 (cut) wide", true);
    sheet.Skin("dlg_head", RECT{20, 38, 510, 68}, 0);
    sheet.Skin("dlg_head", RECT{20, 74, 580, 104}, 0);
    sheet.Skin("dlg_head", RECT{20, 110, 420, 140}, 0);
    sheet.Label(440, 116, L"dlg_ico_logo");
    sheet.Fill(RECT{530, 110, 560, 140}, kHeaderBlue);
    sheet.Skin("dlg_ico_logo", RECT{537, 117, 553, 133}, 0);
    sheet.Label(20, 150, L"dlg_foot (490 x 4)", true);
    sheet.Skin("dlg_foot", RECT{20, 172, 510, 176}, 0);

    int y = 192;
    y = StatesRow(sheet, y, "dlg_btn_min", 3, kHeaderBlue);
    y = StatesRow(sheet, y, "dlg_btn_cls", 3, kHeaderBlue);
    y = StatesRow(sheet, y, "dlg_btn_sync", 4, kWhite);

    // The shadow: its source enlarged four times, then in pieces around a card, as the window's.
    sheet.Label(20, y, L"dlg_shadow (20 x 20): enlarged, and around a card", true);
    sheet.Fill(RECT{20, y + 22, 110, y + 112}, kWhite);
    if (CBkSkinBase* shadow = GetSkin("dlg_shadow")) {
        shadow->DrawPart(sheet.Dc(), RECT{25, y + 27, 105, y + 107}, RECT{0, 0, 20, 20});
        const RECT card{150, y + 30, 400, y + 110};
        const int saved = ::SaveDC(sheet.Dc());
        ::SetViewportOrgEx(sheet.Dc(), card.left - 4, card.top - 4, nullptr);
        DrawShadowPieces(sheet.Dc(), *shadow, card.right - card.left + 8,
                         card.bottom - card.top + 8);
        ::RestoreDC(sheet.Dc(), saved);
        sheet.Fill(card, kWhite);
    }

    // Right column: the banner, and the program icon under it.
    sheet.Label(720, 16, L"dlg_banner (489 x 465)", true);
    sheet.Skin("dlg_banner", RECT{720, 38, 1209, 503}, 0);
    sheet.Label(720, 520, L"icon 107: 16, 32, 48 and 64 pixels", true);
    int x = 720;
    for (int size : {16, 32, 48, 64}) {
        HICON icon = static_cast<HICON>(
            ::LoadImageW(program, MAKEINTRESOURCEW(IDI_CHRONALIGN), IMAGE_ICON, size, size, 0));
        ::DrawIconEx(sheet.Dc(), x, 546, icon, size, size, 0, nullptr, DI_NORMAL);
        ::DestroyIcon(icon);
        x += size + 24;
    }
    return sheet.Save(argv[1]) ? 0 : 1;
}
