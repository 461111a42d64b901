#include "toolkit/styles/BkFontPool.h"

#include "platform/RegKey.h"
#include "toolkit/styles/DisplayScale.h"

#include <cstdlib>

namespace {

constexpr wchar_t kSimSunChinese[] = L"\u5B8B\u4F53";
constexpr wchar_t kYaHeiChinese[] = L"\u5FAE\u8F6F\u96C5\u9ED1";
constexpr wchar_t kYaHeiEnglish[] = L"Microsoft YaHei";

bool HasFontValue(HKEY fontsKey, const wchar_t* name) {
    wchar_t text[MAX_PATH];
    DWORD size = sizeof text;
    DWORD type = 0;
    return ::RegQueryValueExW(fontsKey, name, nullptr, &type, reinterpret_cast<BYTE*>(text),
                              &size) == ERROR_SUCCESS &&
           (type == REG_SZ || type == REG_EXPAND_SZ);
}

bool IsYaHei(const std::wstring& face) {
    return face == kYaHeiChinese || face == kYaHeiEnglish;
}

} // namespace

std::wstring ChooseDefaultFace(HKEY fontsKey) {
    struct FaceTest {
        const wchar_t* values[3];
        const wchar_t* face;
    };
    static const FaceTest kTests[] = {
        {{L"\u5FAE\u8F6F\u96C5\u9ED1 (TrueType)"}, kYaHeiChinese},
        // Windows 7 registers YaHei by the first two names, Windows 8 and later by the third.
        {{L"Microsoft YaHei (TrueType)",
          L"Microsoft YaHei (TrueType) & Microsoft YaHei UI (TrueType)",
          L"Microsoft YaHei & Microsoft YaHei UI (TrueType)"},
         kYaHeiEnglish},
        {{L"\u5B8B\u4F53 & \u65B0\u5B8B\u4F53 (TrueType)"}, kSimSunChinese},
        {{L"SimSun & NSimSun (TrueType)"}, L"SimSun"},
    };
    for (const FaceTest& test : kTests) {
        for (const wchar_t* value : test.values) {
            if (value != nullptr && HasFontValue(fontsKey, value))
                return test.face;
        }
    }
    return kSimSunChinese;
}

BkFontPool::BkFontPool() : m_face(kSimSunChinese) {
    std::wstring face = kSimSunChinese;
    ATL::CRegKey fonts;
    if (fonts.Open(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts",
                   KEY_READ) == ERROR_SUCCESS)
        face = ChooseDefaultFace(fonts);
    SetDefaultFont(face, -12);
}

BkFontPool::~BkFontPool() {
    ClearScaled();
    for (const auto& entry : m_fonts)
        ::DeleteObject(entry.second);
}

void BkFontPool::ClearScaled() {
    for (const auto& entry : m_scaled)
        ::DeleteObject(entry.second);
    m_scaled.clear();
    m_scaledCodes.clear();
}

BkFontPool& BkFontPool::Instance() {
    // Never destroyed: styles and elements hold its fonts for the life of the process.
    static BkFontPool* const instance = new BkFontPool;
    return *instance;
}

void BkFontPool::SetDefaultFont(const std::wstring& face, LONG height) {
    m_face = face;
    m_height = height;
    // Scaled fonts follow the default: made anew when next asked for.
    ClearScaled();
    CreateDefaultFont();
}

void BkFontPool::CreateDefaultFont() {
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof m_defaultLogFont, &m_defaultLogFont);
    m_defaultLogFont.lfHeight = m_height;
    lstrcpynW(m_defaultLogFont.lfFaceName, m_face.c_str(), LF_FACESIZE);
    m_defaultLogFont.lfQuality = IsYaHei(m_face) ? CLEARTYPE_QUALITY : ANTIALIASED_QUALITY;

    HFONT font = ::CreateFontIndirectW(&m_defaultLogFont);
    HFONT& stored = m_fonts[0];
    if (stored != nullptr)
        ::DeleteObject(stored);
    stored = font;
}

HFONT BkFontPool::GetFont(WORD code) {
    const auto found = m_fonts.find(code);
    if (found != m_fonts.end())
        return found->second;

    LOGFONTW logFont = m_defaultLogFont;
    logFont.lfWeight = (code & 0x0004) != 0 ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = (code & 0x0001) != 0;
    logFont.lfUnderline = (code & 0x0002) != 0;
    logFont.lfHeight = m_height - static_cast<signed char>(code >> 8);
    HFONT font = ::CreateFontIndirectW(&logFont);
    if (font != nullptr)
        m_fonts.emplace(code, font);
    return font;
}

bool BkFontPool::FindCode(HFONT font, WORD& code) const {
    for (const auto& entry : m_fonts) {
        if (entry.second == font) {
            code = entry.first;
            return true;
        }
    }
    const auto scaled = m_scaledCodes.find(font);
    if (scaled == m_scaledCodes.end())
        return false;
    code = scaled->second;
    return true;
}

HFONT BkFontPool::AtDpi(HFONT font, int dpi) {
    WORD code = 0;
    if (dpi == kDefaultDpi || font == nullptr || !FindCode(font, code))
        return font;
    const auto found = m_scaled.find({code, dpi});
    if (found != m_scaled.end())
        return found->second;
    LOGFONTW logFont{};
    HFONT base = GetFont(code);
    if (base == nullptr || ::GetObjectW(base, sizeof logFont, &logFont) == 0)
        return font;
    logFont.lfHeight = ScaleToDpi(static_cast<int>(logFont.lfHeight), dpi);
    HFONT scaled = ::CreateFontIndirectW(&logFont);
    if (scaled == nullptr)
        return font;
    m_scaled.emplace(std::make_pair(code, dpi), scaled);
    m_scaledCodes.emplace(scaled, code);
    return scaled;
}

bool BkFontPool::IsYaHeiDefault() const {
    return IsYaHei(m_face);
}

int BkFontPool::GetSizeDelta(HFONT font) const {
    WORD code = 0;
    if (FindCode(font, code))
        return static_cast<signed char>(code >> 8);
    LOGFONTW logFont{};
    if (::GetObjectW(font, sizeof logFont, &logFont) == 0)
        return 0;
    return m_defaultLogFont.lfHeight - logFont.lfHeight;
}

int BkFontPool::GetDefaultHeight() const {
    return std::abs(m_height);
}

void BkFontPool::GetDefaultFace(std::wstring& face, LONG& height) const {
    face = m_face;
    height = m_height;
}
