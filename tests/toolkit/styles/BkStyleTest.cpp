// Style classes: the notations they are written in, their attributes and their registry.
#include "toolkit/styles/BkStyle.h"
#include "toolkit/styles/StyleSheetLoader.h"

#include "ToolkitTestResources.h"

#include <gtest/gtest.h>

namespace {

TEST(BkNotation, ReadsHexColoursAndDecimals) {
    EXPECT_EQ(ParseHex("26"), 0x26u); // not decimal 26
    EXPECT_EQ(ParseHex("8208"), 0x8208u);
    EXPECT_EQ(ParseHex("aBc", 2), 0xABu);
    EXPECT_EQ(ParseHex("12G4"), 0u);
    EXPECT_EQ(ParseHex("1FFFFFFFF"), 0xFFFFFFFFu);

    EXPECT_EQ(ParseColor("FFFFFF"), 0x00FFFFFFu); // white, an ordinary colour
    EXPECT_NE(ParseColor("FFFFFF"), kNoColor);
    EXPECT_EQ(ParseColor("0000FF"), 0x00FF0000u); // blue in the platform's order
    EXPECT_EQ(ParseColor("123456789"), 0x00563412u);
    EXPECT_EQ(ParseColor("12345"), 0x00003412u);
    EXPECT_EQ(ParseColor("GG00FF"), 0x00FF0000u);
    EXPECT_EQ(ParseColor(""), 0u);

    EXPECT_EQ(ParseDecimal("29"), 29);
    EXPECT_EQ(ParseDecimal("09"), 9);
    EXPECT_EQ(ParseDecimal("-5px"), -5);
    EXPECT_EQ(ParseDecimal("+3"), 3);
    EXPECT_EQ(ParseDecimal("px"), 0);
    EXPECT_EQ(ParseDecimal(""), 0);
}

TEST(BkStyle, AnswersEachAttributeByItsKind) {
    struct Case {
        const char* name;
        const char* value;
        HRESULT result;
    };
    const Case cases[] = {
        {"crbg", "FFFFFF", S_FALSE}, {"crshadow", "000000", S_FALSE}, {"cursor", "hand", S_FALSE},
        {"cursor", "Hand", E_FAIL},  {"cursor", "ibeam", E_FAIL},     {"textmode", "26", S_OK},
        {"margin", "-3", S_OK},      {"skin", "dlg_head", S_OK},      {"font", "0002", S_OK},
        {"Crbg", "FFFFFF", E_FAIL},  {"bogus", "1", E_FAIL},          {"hcrole", "link", S_FALSE},
        {"hcrole", "Link", E_FAIL},  {"hcrole", "highlight", E_FAIL},
    };
    for (const Case& c : cases) {
        BkStyle style;
        EXPECT_EQ(style.SetAttribute(c.name, c.value, true), c.result) << c.name << "=" << c.value;
    }

    BkStyle style;
    style.SetAttribute("cursor", "hand", true);
    style.SetAttribute("cursor", "HAND", true);
    EXPECT_EQ(style.m_cursorId, 32649); // the refused value changed nothing
    style.SetAttribute("margin", "-3", true);
    EXPECT_EQ(style.m_nMarginX, -3);
    EXPECT_EQ(style.m_nMarginY, -3);
}

TEST(BkStylePool, KeepsTheFirstDefinitionAndFallsBackToTheDefaultClass) {
    ASSERT_TRUE(LoadStyles(IDR_TEST_STYLES));

    const BkStyle& sheet = LookupStyle("sheet");
    EXPECT_EQ(sheet.m_strName, "sheet");
    EXPECT_EQ(sheet.m_nTextMode, 0x26u);
    EXPECT_EQ(sheet.m_crBg, 0x00FFFFFFu);
    EXPECT_EQ(sheet.m_crText, 0x00FF0000u);
    EXPECT_EQ(sheet.m_cursorId, 32649);

    const BkStyle& dup = LookupStyle("dup");
    EXPECT_EQ(dup.m_crText, 0x00111111u);
    EXPECT_EQ(dup.m_nMarginX, 0);

    // Unknown names, nameless classes and other elements: the default class, all defaults.
    for (const char* name : {"nope", "other", ""}) {
        const BkStyle& fallback = LookupStyle(name);
        EXPECT_EQ(fallback.m_strName, "") << name;
        EXPECT_EQ(fallback.m_crText, kNoColor) << name;
        EXPECT_EQ(fallback.m_crDisabled, RGB(0xCC, 0xCC, 0xCC)) << name;
        EXPECT_EQ(fallback.m_nTextMode, 0x28u) << name;
        EXPECT_EQ(fallback.m_nLineSpacing, 20) << name;
        EXPECT_EQ(fallback.m_cursorId, 32512) << name;
    }

    // A reload replaces the whole registry.
    ASSERT_TRUE(LoadStyles(IDR_TEST_STYLES_AGAIN));
    EXPECT_EQ(LookupStyle("again").m_nMarginY, 3);
    EXPECT_EQ(LookupStyle("sheet").m_strName, "");
    EXPECT_FALSE(LoadStyles(IDR_NOWHERE));
    EXPECT_EQ(LookupStyle("").m_crBg, kNoColor);
}

} // namespace
