// The font cache: fonts by 16-bit font code, all derived from one default logical font.
#pragma once

#include <windows.h>

#include <map>
#include <string>

// Font code bits: 0x0001 italic, 0x0002 underline, 0x0004 bold; the high byte is a signed
// size change in pixels (positive: taller). Code 0 is the default font.
class BkFontPool {
public:
    // Created on first use, when the default face is chosen once; never destroyed.
    static BkFontPool& Instance();

    // The font of that code, created on first request; null when it cannot be
    // created (nothing is stored then).
    HFONT GetFont(WORD code);
    // Rebuilds the default font from the system's GUI font with this face and height value,
    // replacing code 0.
    void SetDefaultFont(const std::wstring& face, LONG height);
    // The pool's font of 96 DPI made again at `dpi`, its height scaled, on first request; the
    // font itself at 96 DPI, or when it is not the pool's.
    HFONT AtDpi(HFONT font, int dpi);

    bool IsYaHeiDefault() const;
    // How many pixels taller the font is than the default font, at 96 DPI whatever the scale
    // the font was made at.
    int GetSizeDelta(HFONT font) const;
    // The default character height in pixels (12).
    int GetDefaultHeight() const;
    void GetDefaultFace(std::wstring& face, LONG& height) const;

private:
    BkFontPool();
    ~BkFontPool();

    void CreateDefaultFont();

    // The code of a font made by the pool, at 96 DPI or scaled; false for other fonts.
    bool FindCode(HFONT font, WORD& code) const;
    void ClearScaled();

    LOGFONTW m_defaultLogFont{};
    std::map<WORD, HFONT> m_fonts;
    // Fonts at other scales, by code and DPI, and the code of each.
    std::map<std::pair<WORD, int>, HFONT> m_scaled;
    std::map<HFONT, WORD> m_scaledCodes;
    std::wstring m_face;
    LONG m_height = -12;
};

// The default face by the font names the system lists under the Fonts key (a value counts
// when it reads as a string of fewer than 260 characters): YaHei by its Chinese name, then by
// its English names, then SimSun by its Chinese and English names; SimSun's Chinese name when
// none is there.
std::wstring ChooseDefaultFace(HKEY fontsKey);
