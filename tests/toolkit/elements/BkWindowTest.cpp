// The element model: positions, sizes, text references, hit testing and searches by id.
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/resources/BkString.h"
#include "toolkit/elements/ElementRegistry.h"
#include "toolkit/elements/StringReferences.h"
#include "toolkit/styles/DisplayScale.h"

#include "tests/fixtures/ElementTree.h"
#include "tests/fixtures/NoticeRecorder.h"
#include "toolkit/elements/BkNotify.h"

#include "ElementTestBase.h"
#include "ToolkitTestResources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ElementTest : public ElementTestBase {};

::testing::AssertionResult RectIs(const RECT& actual, const RECT& expected) {
    if (::EqualRect(&actual, &expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.left << "," << actual.top << "," << actual.right << "," << actual.bottom
           << ") instead of (" << expected.left << "," << expected.top << "," << expected.right
           << "," << expected.bottom << ")";
}

TEST_F(ElementTest, PlacesChildrenByTheirPositions) {
    struct Case {
        const char* element;
        RECT expected;
    };
    // In a 490 x 500 box; skin "four" is 8 x 6. The element placed has id 9.
    const Case cases[] = {
        {R"(<img id="9" pos="-75,0" skin="four"/>)", {415, 0, 423, 6}},
        {R"(<img id="9" pos="0,0,-0,-0"/>)", {0, 0, 490, 500}},
        {R"(<img id="9" pos="|10,|-5" skin="four"/>)", {255, 245, 263, 251}},
        {R"(<img id="9" pos="29,09" skin="four"/>)", {29, 9, 37, 15}},
        // One or three items: the corner only, sized by "width" and "height".
        {R"(<img id="9" pos="1,2,3" width="40" height="20" skin="four"/>)", {1, 2, 41, 22}},
        {R"(<img id="9" pos="7" width="40" height="20"/>)", {7, 0, 47, 20}},
        {R"(<img id="9" pos="1,2,3,4,5"/>)", {1, 2, 3, 4}},
        // A corner or a box overrides "width", "height" and "float".
        {R"(<img id="9" pos="5,5" width="100" height="50" skin="four"/>)", {5, 5, 13, 11}},
        {R"(<img id="9" pos="0,0,-0,30" width="full" height="full"/>)", {0, 0, 490, 30}},
        {R"(<img id="9" width="full" height="30"/>)", {0, 0, 490, 30}},
        {R"(<img id="9" width="full" height="full"/>)", {0, 0, 490, 500}},
        // The content box is the rect less the container's margins.
        {R"(<dlg class="margins" pos="0,0,-0,-0"><img id="9" pos="-0,-0"/></dlg>)",
         {480, 490, 480, 490}},
    };
    for (const Case& c : cases) {
        const std::string xml = std::string("<dlg>") + c.element + "</dlg>";
        auto root = LoadDialog(xml.c_str());
        ASSERT_NE(root, nullptr) << c.element;
        const CBkWindow* placed = root->FindChildById(9);
        ASSERT_NE(placed, nullptr) << c.element;
        EXPECT_TRUE(RectIs(placed->GetRect(), c.expected)) << c.element;
    }
}

TEST(DisplayScale, ScalesEveryNumberByOneRule) {
    struct Case {
        int value;
        int dpi;
        int scaled;
    };
    // The nearest pixel, halves away from zero, so that -N scales as the negative of N.
    const Case cases[] = {{490, 144, 735}, {75, 144, 113}, {-75, 144, -113}, {1, 144, 2},
                          {7, 120, 9},     {4, 168, 7},    {0, 192, 0},      {130, 120, 163}};
    for (const Case& c : cases) {
        EXPECT_EQ(ScaleToDpi(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
        // So does a view's scope, also once a scope nested in it has ended.
        const DpiScope view(c.dpi);
        { const DpiScope nested(240); }
        EXPECT_EQ(Scaled(c.value), c.scaled) << c.value << " in a scope at " << c.dpi;
    }
    EXPECT_EQ(CurrentDpi(), kDefaultDpi);
}

TEST_F(ElementTest, PlacesChildrenAtTheViewsScale) {
    struct Case {
        const char* element;
        RECT expected;
    };
    // At 144 DPI in a 735 x 750 box: the numbers scale, the far edge and the centre are the
    // box's, and edges that meet at 96 DPI still meet.
    const Case cases[] = {
        {R"(<img id="9" pos="10,20,-30,-40"/>)", {15, 30, 690, 690}},
        {R"(<img id="9" pos="|10,|-5,|11,|-4"/>)", {382, 367, 384, 369}},
        {R"(<img id="9" pos="-75,0,-42,20"/>)", {622, 0, 672, 30}},
        {R"(<img id="9" pos="1,2" width="40" height="20"/>)", {2, 3, 2, 3}},
        {R"(<img id="9" width="40" height="21"/>)", {0, 0, 60, 32}},
        {R"(<dlg class="margins" pos="0,0,-0,-0"><img id="9" pos="-0,-0"/></dlg>)",
         {720, 735, 720, 735}},
    };
    const DpiScope scope(144);
    for (const Case& c : cases) {
        const std::string xml = std::string("<dlg>") + c.element + "</dlg>";
        auto root = LoadDialog(xml.c_str(), RECT{0, 0, 735, 750});
        ASSERT_NE(root, nullptr) << c.element;
        EXPECT_TRUE(RectIs(root->FindChildById(9)->GetRect(), c.expected)) << c.element;
    }
}

TEST_F(ElementTest, FloatsOnlyWithoutACornerOrBox) {
    auto root = LoadDialog(R"(<dlg><img id="1" float="1"/><img id="2" pos="0,0" float="1"/>
                              <img id="3"/></dlg>)");
    ASSERT_NE(root, nullptr);
    EXPECT_TRUE(root->FindChildById(1)->IsFloating());
    EXPECT_FALSE(root->FindChildById(2)->IsFloating());
    EXPECT_FALSE(root->FindChildById(3)->IsFloating());
}

TEST_F(ElementTest, ChangingThePositionAtRunTimePlacesTheChildAtOnce) {
    auto root = LoadDialog(R"(<dlg><img id="1" pos="0,0" skin="four"/></dlg>)");
    ASSERT_NE(root, nullptr);
    CBkWindow* child = root->FindChildById(1);
    EXPECT_EQ(child->SetAttribute("pos", "-10,|2", false), S_FALSE);
    EXPECT_TRUE(RectIs(child->GetRect(), {480, 252, 488, 258}));
    // Loading does not place; an empty position changes nothing.
    child->SetAttribute("pos", "1,1", true);
    child->SetAttribute("pos", "", false);
    EXPECT_TRUE(RectIs(child->GetRect(), {480, 252, 488, 258}));
}

TEST_F(ElementTest, SizesTextByItsStyleAndFont) {
    auto root = LoadDialog(R"(<dlg><text id="1" pos="0,0">Wide text</text>
        <text id="2" pos="0,0" class="margins">Wide text</text>
        <text id="3" pos="0,0" class="bold_box">Wide text</text>
        <dlg class="bold_box" pos="0,0,-0,-0"><text id="4" pos="0,0">Wide text</text></dlg>
        <text id="5" pos="0,0" class="margins"></text></dlg>)");
    ASSERT_NE(root, nullptr);
    const auto size = [&](UINT id) {
        const RECT& r = root->FindChildById(id)->GetRect();
        return SIZE{r.right - r.left, r.bottom - r.top};
    };
    EXPECT_GT(size(1).cx, 0);
    EXPECT_EQ(size(2).cx, size(1).cx + 20);
    EXPECT_EQ(size(2).cy, size(1).cy + 20);
    EXPECT_GT(size(3).cx, size(1).cx); // bold is wider
    EXPECT_EQ(size(4).cx, size(3).cx); // the font comes from the ancestor's style
    EXPECT_EQ(size(5).cx, 20);         // no text: the margins alone

    // A new text measures again; a box keeps its size.
    CBkWindow* text = root->FindChildById(1);
    text->SetText(L"Wide text, and longer");
    EXPECT_GT(text->GetRect().right - text->GetRect().left, size(3).cx);
}

TEST(StringReferences, SubstitutesNumberedEntries) {
    const auto lookup = [](int id) -> const wchar_t* {
        switch (id) {
        case 12:
            return L"twelve";
        case 13:
            return L"names %str13% itself";
        case 14:
            return L"%str14%%str14%";
        case 15:
            return L"fifteen and %str12%";
        default:
            return nullptr;
        }
    };
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"one %str12% two", L"one twelve two"},
        // The search resumes where the closing "%" stood: past a reference right behind a
        // shorter entry, inside a longer one.
        {L"%str12%%str12%", L"twelve%str12%"},
        {L"%str12% and %str12%", L"twelve and twelve"},
        {L"%str15%", L"fifteen and twelve"},
        {L"a %str12 b", L"a %str12 b"},             // unclosed
        {L"%str0% x %str12%", L"%str0% x %str12%"}, // ends at 0
        {L"%str-3% x", L"%str-3% x"},
        {L"%str99%!", L"!"}, // unknown entries insert nothing
        {L"%str13%", L"names %str13% itself"},
        {L"%str12x%", L"twelve"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SubstituteStringReferences(c.text, lookup), c.expected) << c.text;
    // An entry that brings itself back twice ends at the bound instead of growing for ever.
    EXPECT_EQ(SubstituteStringReferences(L"%str14%", lookup).size(),
              7u * (kMaxStringReferences + 1));
}

TEST_F(ElementTest, LoadsTextWithTheStringTable) {
    BkString::Set(12, L"The clock");
    auto root = LoadDialog(R"(<dlg><text id="1">Now: %str12% ticks</text></dlg>)");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->FindChildById(1)->GetInnerText(), L"Now: The clock ticks");
}

TEST_F(ElementTest, HitsFloatingChildrenFirstAndSkipsHiddenAndTransparentOnes) {
    auto root = LoadDialog(R"(<dlg>
        <img id="1" pos="0,0,100,100"/>
        <img id="2" width="50" height="50" float="1"/>
        <img id="4" pos="200,0,300,100" transparent="1"/>
        <img id="3" pos="200,0,300,100"/>
        <img id="6" pos="300,0,400,100" show="0"/>
        <img id="5" pos="300,0,400,100"/>
        <dlg id="7" pos="0,200,100,300" onlydrawchild="1"><img id="8" pos="0,0,-0,-0"/></dlg>
        <dlg id="9" pos="200,200,300,300"><img id="10" pos="0,0,10,10"/></dlg>
        </dlg>)");
    ASSERT_NE(root, nullptr);
    struct Case {
        int x, y;
        UINT id;
    };
    const Case cases[] = {
        {10, 10, 2},    {60, 60, 1},   {250, 50, 3},  {350, 50, 5}, {50, 250, 7},
        {205, 205, 10}, {250, 250, 9}, {450, 450, 0}, {100, 99, 0}, // right edge is outside
    };
    for (const Case& c : cases) {
        const UINT handle = root->HitTest(c.x, c.y);
        CBkWindow* hit = FindElement(handle);
        ASSERT_NE(hit, nullptr) << c.x << "," << c.y;
        EXPECT_EQ(hit->GetCmdID(), c.id) << c.x << "," << c.y;
    }
    EXPECT_EQ(root->HitTest(600, 10), 0u);
}

TEST_F(ElementTest, TellsTheViewOfTheMouseWhereItsNotifyBitsAsk) {
    NoticeRecorder view;
    auto root = LoadDialog(R"(<dlg><text id="1" notify="1"/><text id="2" notify="2"/>
                                   <text id="3" notify="3"/><text id="4"/></dlg>)");
    ASSERT_NE(root, nullptr);
    root->SetContainerWindow(view.Window());
    struct Case {
        UINT id;
        std::vector<UINT> subCodes; // for a move, then a leave
    };
    const Case cases[] = {{1, {kBkNmMouseMove}},
                          {2, {kBkNmMouseLeave}},
                          {3, {kBkNmMouseMove, kBkNmMouseLeave}},
                          {4, {}}};
    for (const Case& c : cases) {
        view.notices.clear();
        CBkWindow* element = root->FindChildById(c.id);
        SendElementMessage(element, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
        SendElementMessage(element, WM_MOUSELEAVE);
        std::vector<UINT> subCodes;
        for (const NoticeRecorder::Notice& notice : view.notices) {
            EXPECT_EQ(notice.code, kBkNmElementNotify);
            EXPECT_EQ(notice.id, c.id);
            EXPECT_EQ(notice.itemClass, "wnd");
            subCodes.push_back(notice.subCode);
        }
        EXPECT_EQ(subCodes, c.subCodes) << c.id;
    }
}

TEST_F(ElementTest, FindsDirectChildrenBeforeGrandchildren) {
    auto root = LoadDialog(R"(<dlg><dlg id="5"><text id="7">deep</text></dlg>
                                   <text id="7">near</text><text>no id</text></dlg>)");
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->FindChildById(7)->GetInnerText(), L"near");
    EXPECT_EQ(root->FindChildById(0)->GetInnerText(), L"no id");
    EXPECT_EQ(root->FindChildById(8), nullptr);
}

TEST_F(ElementTest, HandlesAreNeverReused) {
    UINT first = 0;
    {
        auto root = LoadDialog("<dlg/>");
        ASSERT_NE(root, nullptr);
        first = root->GetHandle();
        EXPECT_EQ(FindElement(first), root.get());
    }
    EXPECT_EQ(FindElement(first), nullptr);
    auto again = LoadDialog("<dlg/>");
    ASSERT_NE(again, nullptr);
    EXPECT_GT(again->GetHandle(), first);
}

} // namespace
