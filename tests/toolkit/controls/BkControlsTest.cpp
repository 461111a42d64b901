// The controls the product's window does not use, each drawn into a DIB and driven as the view
// would drive it: check boxes, radio buttons, progress bars, lines, skinned buttons, rich
// text, icons and in-memory images, and the sizes they report. Tab controls have their own.
#include "platform/GdiplusSession.h"
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/controls/BkMemoryImage.h"
#include "toolkit/elements/BkNotify.h"
#include "toolkit/controls/BkProgress.h"
#include "toolkit/controls/BkRichText.h"
#include "toolkit/controls/BkTabCtrl.h"
#include "toolkit/elements/ElementFactory.h"

#include "tests/fixtures/Pixels.h"
#include "tests/fixtures/ElementTree.h"
#include "tests/fixtures/GdiObjectCount.h"
#include "tests/fixtures/NoticeRecorder.h"

#include "ElementTestBase.h"
#include "ToolkitTestResources.h"

#include <objidl.h>
#include <gdiplus.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The filled part of a progress bar without a skin.
constexpr COLORREF kBarFill = 0x906142;

class ControlsTest : public ElementTestBase {};

// Pixels darker than mid-grey, whatever the system's look makes of a mark.
int CountDark(const DibCanvas& canvas, const RECT& area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF pixel = canvas.Pixel(x, y);
            count += GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) < 3 * 128;
        }
    }
    return count;
}

std::vector<COLORREF> Pixels(const DibCanvas& canvas, const RECT& area) {
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    }
    return pixels;
}

void Click(CBkWindow* element, POINT at = POINT{0, 0}) {
    SendElementMessage(element, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
}

POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

TEST_F(ControlsTest, TheFactoryMakesEveryTagButDivAndTab) {
    const char* const tags[] = {"dlg",     "text",    "button",   "img",  "progress", "progressex",
                                "imgbtn",  "skinbtn", "realwnd",  "hr",   "check",    "icon",
                                "tabctrl", "radio",   "richtext", "link", "memimage", "dlgbtn"};
    for (const char* tag : tags) {
        std::unique_ptr<CBkWindow> element(CreateElement(tag));
        ASSERT_NE(element, nullptr) << tag;
        EXPECT_STREQ(element->GetTagName(), tag);
    }
    for (const char* tag : {"div", "tab", "Check"})
        EXPECT_EQ(CreateElement(tag), nullptr) << tag;
}

TEST_F(ControlsTest, ReportsItsSize) {
    struct Case {
        const char* element;
        SIZE expected;
    };
    // The element placed has id 9; skin "four" is 8 x 6.
    const Case cases[] = {
        {R"(<skinbtn id="9" pos="0,0" skin="four"/>)", {8, 6}},
        {R"(<skinbtn id="9" pos="0,0" class="skinned"/>)", {8, 6}}, // the style's skin
        {R"(<check id="9" pos="0,0"/>)", {17, 13}},
        {R"(<radio id="9" pos="0,0"/>)", {14, 12}},
        {R"(<icon id="9" pos="0,0" size="24"/>)", {24, 24}},
        {R"(<progress id="9" pos="0,0,104,12"/>)", {104, 12}},
        {R"(<hr id="9" pos="0,5,-0,5"/>)", {490, 0}},
        {R"(<tabctrl id="9" pos="0,0,200,100"/>)", {200, 100}},
        // Two lines of the style's line spacing.
        {R"(<richtext id="9" pos="0,0" class="rich"><br/></richtext>)", {0, 40}},
    };
    for (const Case& c : cases) {
        const std::string xml = std::string("<dlg>") + c.element + "</dlg>";
        auto root = LoadDialog(xml.c_str());
        ASSERT_NE(root, nullptr) << c.element;
        const RECT& rect = root->FindChildById(9)->GetRect();
        EXPECT_EQ(rect.right - rect.left, c.expected.cx) << c.element;
        EXPECT_EQ(rect.bottom - rect.top, c.expected.cy) << c.element;
    }

    // The marks widen the text's size.
    auto root = LoadDialog(R"(<dlg><text id="1" pos="0,0">Option</text>
        <check id="2" pos="0,0">Option</check><radio id="3" pos="0,0">Option</radio></dlg>)");
    ASSERT_NE(root, nullptr);
    const LONG width = root->FindChildById(1)->GetRect().right;
    EXPECT_EQ(root->FindChildById(2)->GetRect().right, width + 17);
    EXPECT_EQ(root->FindChildById(3)->GetRect().right, width + 14);
}

TEST_F(ControlsTest, ACheckBoxShowsItsMarkAndAClickTogglesIt) {
    auto root = LoadDialog(R"(<dlg><check id="1" pos="0,0,60,20" class="plain">Ok</check>
                                   <check id="2" pos="0,20,60,40" class="plain" check="1">Ok</check>
                                   </dlg>)");
    ASSERT_NE(root, nullptr);
    CBkWindow* unchecked = root->FindChildById(1);
    CBkWindow* checked = root->FindChildById(2);
    const RECT firstMark{0, 3, 13, 16};
    const RECT secondMark{0, 23, 13, 36};
    auto draw = [&](DibCanvas& canvas) {
        canvas.Fill(kWhite);
        root->Redraw(canvas.Dc(), nullptr);
    };
    DibCanvas canvas(60, 40);
    draw(canvas);
    // The check mark darkens the box.
    EXPECT_GT(CountDark(canvas, secondMark), CountDark(canvas, firstMark) + 5);
    EXPECT_GT(CountColor(canvas, {17, 0, 60, 20}, kBlack), 0); // the text beside it
    const std::vector<COLORREF> uncheckedLook = Pixels(canvas, firstMark);
    const std::vector<COLORREF> checkedLook = Pixels(canvas, secondMark);

    Click(unchecked);
    Click(checked);
    EXPECT_TRUE(unchecked->GetState() & kStateChecked);
    EXPECT_FALSE(checked->GetState() & kStateChecked);
    draw(canvas);
    EXPECT_EQ(Pixels(canvas, firstMark), checkedLook);
    EXPECT_EQ(Pixels(canvas, secondMark), uncheckedLook);
}

TEST_F(ControlsTest, ARadioClickMovesTheCheckWithinItsGroup) {
    NoticeRecorder view;
    auto root = LoadDialog(R"(<dlg><radio id="1" pos="0,0,40,20" group="g" check="1"/>
                                   <radio id="2" pos="0,20,40,40" group="g"/>
                                   <radio id="3" pos="0,40,40,60" group="other" check="1"/></dlg>)");
    ASSERT_NE(root, nullptr);
    root->SetContainerWindow(view.Window());
    const RECT firstMark{0, 4, 12, 16};
    const RECT secondMark{0, 24, 12, 36};
    DibCanvas canvas(40, 60);
    root->Redraw(canvas.Dc(), nullptr);
    const std::vector<COLORREF> checkedLook = Pixels(canvas, firstMark);
    const std::vector<COLORREF> uncheckedLook = Pixels(canvas, secondMark);
    EXPECT_NE(checkedLook, uncheckedLook);

    Click(root->FindChildById(2));
    EXPECT_FALSE(root->FindChildById(1)->GetState() & kStateChecked);
    EXPECT_TRUE(root->FindChildById(2)->GetState() & kStateChecked);
    EXPECT_TRUE(root->FindChildById(3)->GetState() & kStateChecked); // another group
    EXPECT_EQ(view.repainted, std::vector<UINT>{1});
    canvas.Fill(kWhite);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_EQ(Pixels(canvas, firstMark), uncheckedLook);
    EXPECT_EQ(Pixels(canvas, secondMark), checkedLook);

    // Clicking the checked one keeps it checked.
    Click(root->FindChildById(2));
    EXPECT_TRUE(root->FindChildById(2)->GetState() & kStateChecked);
}

TEST_F(ControlsTest, AProgressBarFillsTheValuesShareOfTheRange) {
    struct Case {
        const char* attributes;
        LONG filledRight; // the inside runs from 2 to 102
    };
    const Case cases[] = {
        {R"(value="25")", 27},
        {R"(min="0" max="100" value="150")", 102}, // clamped
        {R"(min="100" max="0" value="25")", 27},   // bounds swapped
        {R"(min="-50" max="150" value="0")", 27},
        {R"(min="50" max="50" value="50")", 2}, // no range: nothing
        {R"(min="0" max="100" value="-5")", 2},
    };
    for (const Case& c : cases) {
        const std::string xml =
            std::string(R"(<dlg><progress id="1" pos="0,0,104,12" )") + c.attributes + "/></dlg>";
        auto root = LoadDialog(xml.c_str());
        ASSERT_NE(root, nullptr) << c.attributes;
        DibCanvas canvas(104, 12);
        root->Redraw(canvas.Dc(), nullptr);
        if (c.filledRight > 3) {
            EXPECT_EQ(canvas.Pixel(c.filledRight - 2, 6), kBarFill) << c.attributes;
        }
        EXPECT_NE(canvas.Pixel(c.filledRight + 1, 6), kBarFill) << c.attributes;
        EXPECT_EQ(canvas.Pixel(0, 6), RGB(0x70, 0x70, 0x70)) << c.attributes; // the outline
    }
}

TEST_F(ControlsTest, AProgressBarWritesThePercentageInTheFillsContrast) {
    auto root = LoadDialog(R"(<dlg><progress id="1" pos="0,0,104,20" class="plain" value="50"
                                   showpercent="1"/></dlg>)");
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(104, 20);
    root->Redraw(canvas.Dc(), nullptr);
    // Centred over the edge of the fill: white on the fill, black beside it.
    EXPECT_GT(CountColor(canvas, {30, 2, 52, 18}, kWhite), 0);
    EXPECT_GT(CountColor(canvas, {52, 2, 80, 18}, kBlack), 0);
    EXPECT_EQ(CountColor(canvas, {30, 2, 52, 18}, kBlack), 0);
}

TEST_F(ControlsTest, AMovingBlockAdvancesAtEachPaint) {
    auto root = LoadDialog(R"(<dlg><progress id="1" pos="0,0,104,12" progressbar="1"/></dlg>)");
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(104, 12);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_EQ(canvas.Pixel(5, 6), kBarFill); // a quarter of the inside, from its left
    EXPECT_NE(canvas.Pixel(30, 6), kBarFill);
    canvas.Fill(kWhite);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_NE(canvas.Pixel(5, 6), kBarFill);
    EXPECT_EQ(canvas.Pixel(30, 6), kBarFill);
}

TEST_F(ControlsTest, ALineIsDrawnInItsPenStyle) {
    auto root = LoadDialog(R"(<dlg><hr pos="0,2,-0,2" crbg="FF0000"/>
                                   <hr pos="0,6,-0,6" class="red_line" style="dash"/>
                                   <hr pos="0,10,-0,10" crbg="FF0000" style="dot"/>
                                   <hr pos="0,14,-0,14"/></dlg>)",
                           RECT{0, 0, 100, 16});
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(100, 16);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_EQ(CountColor(canvas, {0, 2, 100, 3}, kRed), 100);
    for (const int y : {6, 10}) {
        int changes = 0;
        for (int x = 1; x < 100; ++x)
            changes += canvas.Pixel(x, y) != canvas.Pixel(x - 1, y);
        EXPECT_GE(changes, 4) << y;
        EXPECT_GT(CountColor(canvas, {0, y, 100, y + 1}, kRed), 20) << y;
        EXPECT_GT(CountColor(canvas, {0, y, 100, y + 1}, kWhite), 10) << y;
    }
    // No colour anywhere: nothing is drawn.
    EXPECT_EQ(CountColor(canvas, {0, 14, 100, 15}, kWhite), 100);
}

TEST_F(ControlsTest, ASkinnedButtonShowsTheSubImageOfItsState) {
    struct Case {
        DWORD state;
        bool parentDisabled;
        COLORREF color;
    };
    // Skin "four": red, green, blue and yellow sub-images.
    const Case cases[] = {
        {0, false, kRed},
        {kStateHover, false, kGreen},
        {kStateHover | kStatePushed, false, kBlue},
        {kStateHover | kStateDisabled, false, kYellow},
        {0, true, kYellow},
    };
    for (const Case& c : cases) {
        auto root = LoadDialog(R"(<dlg><dlg id="1" pos="0,0,20,6">
                                  <skinbtn id="2" pos="0,0" skin="four"/>
                                  <skinbtn id="3" pos="10,0" class="skinned"/></dlg></dlg>)");
        ASSERT_NE(root, nullptr);
        if (c.parentDisabled)
            root->FindChildById(1)->ModifyState(kStateDisabled, 0);
        for (const UINT id : {2u, 3u})
            root->FindChildById(id)->ModifyState(c.state, 0);
        DibCanvas canvas(20, 6);
        root->Redraw(canvas.Dc(), nullptr);
        EXPECT_EQ(canvas.Pixel(4, 3), c.color) << c.state;
        EXPECT_EQ(canvas.Pixel(14, 3), c.color) << c.state;
    }
}

class RichTextTest : public ControlsTest {
protected:
    // Under ASSERT_NO_FATAL_FAILURE: a document that does not parse ends the test.
    void Load(const char* xml) {
        root = LoadDialog(xml, RECT{0, 0, 200, 100});
        ASSERT_NE(root, nullptr);
        root->SetContainerWindow(view.Window());
        rich = static_cast<CBkRichText*>(root->FindChildById(7));
    }

    const RichTextPiece& Piece(size_t index) const { return rich->GetLayout().pieces.at(index); }

    NoticeRecorder view;
    std::unique_ptr<CBkDialog> root;
    CBkRichText* rich = nullptr;
};

TEST_F(RichTextTest, BreaksLinesAndDrawsBoldAndColouredRuns) {
    ASSERT_NO_FATAL_FAILURE(
        Load(R"(<dlg><richtext id="7" pos="0,0,200,100" class="rich">HH<BR/><b>HH</b><br/>)"
             R"(<C color="FF0000">HH</C><o offset="10"/><I>HH</I></richtext></dlg>)"));
    ASSERT_EQ(rich->GetLayout().pieces.size(), 4u);
    EXPECT_EQ(Piece(0).box.top, 0);
    EXPECT_EQ(Piece(1).box.top, 20);
    EXPECT_EQ(Piece(2).box.top, 40);
    EXPECT_EQ(Piece(1).box.left, 0);
    EXPECT_EQ(Piece(3).box.left, Piece(2).box.right + 10);
    EXPECT_EQ(Piece(3).box.top, 40);

    DibCanvas canvas(200, 100);
    root->Redraw(canvas.Dc(), nullptr);
    const int plain = CountColor(canvas, Piece(0).box, kBlack);
    EXPECT_GT(plain, 0);
    EXPECT_GT(CountColor(canvas, Piece(1).box, kBlack), plain); // bold strokes are wider
    EXPECT_GT(CountColor(canvas, Piece(2).box, kRed), 0);
    EXPECT_EQ(CountColor(canvas, Piece(2).box, kBlack), 0);
    EXPECT_GT(CountColor(canvas, Piece(3).box, kBlack), 0);
}

TEST_F(RichTextTest, WrapsWordsAndMovesALinkThatDoesNotFit) {
    ASSERT_NO_FATAL_FAILURE(
        Load(R"(<dlg><richtext id="7" pos="0,0,200,100" class="rich">aaa bbb</richtext></dlg>)"));
    ASSERT_EQ(rich->GetLayout().pieces.size(), 2u);
    // Far enough on for the first word to fit and the second not.
    const LONG first = Piece(0).box.right - Piece(0).box.left;
    const LONG second = Piece(1).box.right - Piece(1).box.left;
    const std::string offset = std::to_string(200 - first - second / 2);
    const std::string xml = R"(<dlg><richtext id="7" pos="0,0,200,100" class="rich"><o offset=")" +
                            offset +
                            R"("/>aaa bbb<o offset="500"/><a id="3">link</a></richtext></dlg>)";
    ASSERT_NO_FATAL_FAILURE(Load(xml.c_str()));
    ASSERT_EQ(rich->GetLayout().pieces.size(), 3u);
    EXPECT_EQ(std::to_string(Piece(0).box.left), offset);
    EXPECT_EQ(Piece(1).box.left, 0);
    EXPECT_EQ(Piece(1).box.top, 20);
    // 500 further on goes on over the following lines, the link after it wherever it fits.
    EXPECT_GE(Piece(2).box.top, 60);
    EXPECT_LE(Piece(2).box.right, 200);
}

TEST_F(RichTextTest, ALinkRunReportsItsIdWhenClicked) {
    ASSERT_NO_FATAL_FAILURE(
        Load(R"(<dlg><richtext id="7" pos="0,0,200,100" class="rich" linkclass="rich_link">)"
             R"(Go <A id="42">there</A>now</richtext></dlg>)"));
    ASSERT_EQ(rich->GetLayout().pieces.size(), 3u);
    const RECT link = Piece(1).box;
    // The style's spacing follows a link run.
    EXPECT_EQ(Piece(2).box.left, link.right + 4);

    DibCanvas canvas(200, 100);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_GT(CountColor(canvas, link, kBlue), 0);
    EXPECT_EQ(CountColor(canvas, link, kBlack), 0);

    SendElementMessage(rich, WM_MOUSEMOVE, 0, MAKELPARAM(CentreOf(link).x, CentreOf(link).y));
    EXPECT_EQ(view.repainted.size(), 1u);
    canvas.Fill(kWhite);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_GT(CountColor(canvas, link, kRed), 0); // the hover colour
    EXPECT_EQ(CountColor(canvas, link, kBlue), 0);

    Click(rich, CentreOf(Piece(0).box));
    EXPECT_TRUE(view.notices.empty());
    Click(rich, CentreOf(link));
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0].code, static_cast<UINT>(kBkNmClick));
    EXPECT_EQ(view.notices[0].id, 42u);
    EXPECT_EQ(view.notices[0].itemClass, "richtext");
}

TEST_F(ControlsTest, ARealWindowMovesOnlyWhenItsElementDoes) {
    NoticeRecorder view;
    auto root = LoadDialog(R"(<dlg><realwnd id="31" pos="10,20,110,60"/></dlg>)");
    ASSERT_NE(root, nullptr);
    root->SetContainerWindow(view.Window());
    // Made after the layout, where its maker put it.
    HWND window =
        ::CreateWindowW(L"STATIC", L"", WS_CHILD, 1, 2, 5, 5, view.Window(),
                        reinterpret_cast<HMENU>(31), ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const auto placed = [&] {
        RECT rect;
        ::GetWindowRect(window, &rect);
        ::MapWindowPoints(nullptr, view.Window(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    const RECT made = placed();
    // Placed again where it was, the element leaves the window alone.
    PlaceElement(*root, RECT{0, 0, 490, 500});
    const RECT again = placed();
    EXPECT_TRUE(::EqualRect(&made, &again));
    EXPECT_TRUE(view.notices.empty());
    // Moved, it takes the window along and tells the view.
    root->FindChildById(31)->SetAttribute("pos", "30,20,130,60", false);
    const RECT moved = placed();
    EXPECT_EQ(moved.left - made.left, 29);
    EXPECT_EQ(moved.right - moved.left, 100);
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0].code, kBkNmRealWndMoved);
    EXPECT_EQ(view.notices[0].id, 31u);
    ::DestroyWindow(window);
}

TEST_F(ControlsTest, AnIconIsDrawnFromTheProgramOrTheSystem) {
    auto root = LoadDialog(R"(<dlg><icon pos="0,0,16,16" src="701"/>
                                   <icon pos="20,0,52,32" oem="32512"/>
                                   <icon pos="60,0,76,16" src="799"/></dlg>)");
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(80, 32);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_EQ(CountColor(canvas, {0, 0, 16, 16}, kRed), 256);
    EXPECT_LT(CountColor(canvas, {20, 0, 52, 32}, kWhite), 32 * 32);
    EXPECT_EQ(CountColor(canvas, {60, 0, 76, 16}, kWhite), 256); // no such icon
}

TEST_F(ControlsTest, AMemoryImageDrawsTheImageAtItsAddress) {
    EnsureGdiplusStarted();
    Gdiplus::Bitmap bitmap(4, 4, PixelFormat32bppARGB);
    Gdiplus::Graphics(&bitmap).Clear(Gdiplus::Color(255, 0, 255, 0));
    const std::string address = std::to_string(reinterpret_cast<uintptr_t>(&bitmap));
    const std::string xml = R"(<dlg><memimage id="1" pos="0,0,8,8" mempointer=")" + address +
                            R"("/><memimage id="2" pos="10,0" mempointer=")" + address +
                            R"("/><memimage id="3" pos="20,0,28,8" mempointer="0"/></dlg>)";
    auto root = LoadDialog(xml.c_str());
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(30, 8);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_EQ(CountColor(canvas, {0, 0, 8, 8}, kGreen), 64); // scaled into the rect
    const RECT& natural = root->FindChildById(2)->GetRect();
    EXPECT_EQ(natural.right - natural.left, 4);
    EXPECT_EQ(natural.bottom - natural.top, 4);
    EXPECT_EQ(CountColor(canvas, {20, 0, 28, 8}, kWhite), 64);
}

TEST_F(ControlsTest, AddressesAreReadWithThePointersFullWidth) {
    struct Case {
        const char* text;
        unsigned long long expected;
    };
    const bool wide = sizeof(uintptr_t) == 8;
    const Case cases[] = {
        {"123456", 123456},
        {"12abc", 12},
        {"", 0},
        {"-5", 0},
        {"4294967295", 4294967295ull},
        {"4294967296", wide ? 4294967296ull : 0},
        {"18446744073709551615", wide ? 18446744073709551615ull : 0},
        {"18446744073709551616", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(static_cast<unsigned long long>(ParseAddress(c.text)), c.expected) << c.text;
}

TEST_F(ControlsTest, PaintingCreatesNoLastingGdiObjects) {
    auto root = LoadDialog(R"(<dlg>
        <check pos="0,0" class="plain" check="1">Check</check>
        <radio pos="0,20" class="plain" group="leak">Radio</radio>
        <progress pos="0,40,100,52" value="30" showpercent="1"/>
        <progress pos="0,60,100,72" progressbar="1"/>
        <hr pos="0,80,-0,80" crbg="FF0000" style="dash" size="3"/>
        <skinbtn pos="0,90" skin="four">Go</skinbtn>
        <icon pos="0,100,16,116" src="701"/>
        <tabctrl id="1" pos="100,0,300,100"><tab title="A"/><tab title="B"/></tabctrl>
        <richtext pos="300,0,490,100" class="rich" linkclass="rich_link">a <b>b</b><a>c</a></richtext>
        </dlg>)");
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(490, 120);
    root->Redraw(canvas.Dc(), nullptr); // fonts and icons are made once, on first use
    const DWORD before = CountGdiObjects();
    for (int cycle = 0; cycle < 500; ++cycle) {
        static_cast<CBkTabCtrl*>(root->FindChildById(1))->SelectPage(cycle % 2);
        root->Redraw(canvas.Dc(), nullptr);
    }
    EXPECT_GT(before, 0u);
    EXPECT_EQ(CountGdiObjects(), before);
}

} // namespace
