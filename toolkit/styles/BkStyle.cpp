#include "toolkit/styles/BkStyle.h"

#include "toolkit/styles/BkFontPool.h"

namespace {

// Font codes are 16-bit hexadecimal numbers.
HFONT FontFromCode(const std::string& value) {
    return BkFontPool::Instance().GetFont(static_cast<WORD>(ParseHex(value.c_str())));
}

} // namespace

HRESULT BkStyle::SetAttribute(const std::string& name, const std::string& value, bool loading) {
    if (SUCCEEDED(CBkObject::SetAttribute(name, value, loading)))
        return S_OK;

    const char* text = value.c_str();
    struct ColorField {
        const char* name;
        COLORREF BkStyle::*field;
    };
    static const ColorField kColors[] = {
        {"crbg", &BkStyle::m_crBg},
        {"crbghover", &BkStyle::m_crBgHover},
        {"crtext", &BkStyle::m_crText},
        {"crhover", &BkStyle::m_crHover},
        {"crdisabled", &BkStyle::m_crDisabled},
        {"crshadow", &BkStyle::m_crShadow},
    };
    for (const ColorField& color : kColors) {
        if (name == color.name) {
            this->*color.field = ParseColor(text);
            return S_FALSE;
        }
    }

    struct NumberField {
        const char* name;
        int BkStyle::*field;
    };
    static const NumberField kNumbers[] = {
        {"x-margin", &BkStyle::m_nMarginX}, {"y-margin", &BkStyle::m_nMarginY},
        {"spacing", &BkStyle::m_nSpacing},  {"linespacing", &BkStyle::m_nLineSpacing},
        {"shadow", &BkStyle::m_nShadow},    {"gdiplus", &BkStyle::m_nGdiplus},
    };
    for (const NumberField& number : kNumbers) {
        if (name == number.name) {
            this->*number.field = ParseDecimal(text);
            return S_OK;
        }
    }

    if (name == "name")
        m_strName = value;
    else if (name == "skin")
        m_strSkinName = value;
    else if (name == "textmode")
        m_nTextMode = ParseHex(text);
    else if (name == "font")
        m_hFont = FontFromCode(value);
    else if (name == "hoverfont")
        m_hHoverFont = FontFromCode(value);
    else if (name == "margin")
        m_nMarginX = m_nMarginY = ParseDecimal(text);
    else if (name == "hcrole")
        return ParseContrastRole(text, m_contrastRole) ? S_FALSE : E_FAIL;
    else if (name == "cursor") {
        if (value == "hand")
            m_cursorId = 32649;
        else if (value == "arrow")
            m_cursorId = 32512;
        else
            return E_FAIL;
        return S_FALSE;
    } else
        return E_FAIL;
    return S_OK;
}

BkStylePool::BkStylePool() {
    Reset();
}

BkStylePool& BkStylePool::Instance() {
    // Never destroyed: elements may look styles up while the process ends.
    static BkStylePool* const instance = new BkStylePool;
    return *instance;
}

void BkStylePool::Reset() {
    m_styles.clear();
    m_styles.emplace(std::string(), BkStyle());
}

BkStyle* BkStylePool::Find(const std::string& name) {
    const auto found = m_styles.find(name);
    return found == m_styles.end() ? nullptr : &found->second;
}

bool BkStylePool::Add(const std::string& name, BkStyle*& added) {
    const auto inserted = m_styles.emplace(name, BkStyle());
    added = &inserted.first->second;
    return inserted.second;
}

const BkStyle& LookupStyle(const std::string& name) {
    BkStylePool& pool = BkStylePool::Instance();
    const BkStyle* style = pool.Find(name);
    // The pool never lacks the default class.
    return style != nullptr ? *style : *pool.Find(std::string());
}
