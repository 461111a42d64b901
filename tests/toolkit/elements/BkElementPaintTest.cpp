// Elements painting into a DIB: backgrounds, hover and disabled looks, image buttons.
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/controls/BkImageWnd.h"

#include "tests/fixtures/Pixels.h"
#include "tests/fixtures/ElementTree.h"
#include "tests/fixtures/GdiObjectCount.h"
#include "tests/fixtures/NoticeRecorder.h"

#include "ElementTestBase.h"
#include "ToolkitTestResources.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class ElementPaintTest : public ElementTestBase {};

TEST_F(ElementPaintTest, DrawsBackgroundsByColourSkinAndHover) {
    auto root = LoadDialog(R"(<dlg>
        <text id="1" pos="0,0,20,20" class="red_bg"/>
        <text id="2" pos="20,0,40,20" class="skinned"/>
        <text id="3" pos="40,0,60,20" class="red_bg" crbg="00FF00"/>
        <text id="4" pos="60,0,80,20" class="hover_bg"/>
        <text id="5" pos="80,0,100,20" class="hover_bg"/>
        </dlg>)");
    ASSERT_NE(root, nullptr);
    root->FindChildById(5)->ModifyState(kStateHover, 0);
    DibCanvas canvas(100, 20, RGB(1, 2, 3));
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_EQ(canvas.Pixel(10, 10), kRed);
    EXPECT_EQ(canvas.Pixel(22, 2), kRed);          // the skin's first state, not "crbg"
    EXPECT_EQ(canvas.Pixel(35, 15), RGB(1, 2, 3)); // outside the skin's 8 x 6
    EXPECT_EQ(canvas.Pixel(50, 10), kGreen);       // the element's colour wins
    EXPECT_EQ(canvas.Pixel(70, 10), kWhite);
    EXPECT_EQ(canvas.Pixel(90, 10), kGreen); // hovered
    EXPECT_TRUE(root->FindChildById(4)->RedrawOnStateChange());
    EXPECT_FALSE(root->FindChildById(1)->RedrawOnStateChange());
}

TEST_F(ElementPaintTest, PaintsHoverAndDisabledText) {
    auto root = LoadDialog(R"(<dlg>
        <text id="1" pos="0,0,100,30" class="hover_font">MMMM</text>
        <text id="2" pos="100,0,200,30" class="hover_font">MMMM</text>
        <text id="3" pos="200,0,300,30" class="greyed">MMMM</text>
        <dlg id="4" pos="300,0,400,30"><text id="5" pos="0,0,-0,-0" class="greyed">MMMM</text></dlg>
        <text id="6" pos="400,0,500,30" class="plain">MMMM</text>
        <dlg class="bold_box" pos="500,0,600,30"><text pos="0,0,-0,-0" class="plain">MMMM</text></dlg>
        </dlg>)");
    ASSERT_NE(root, nullptr);
    root->FindChildById(2)->ModifyState(kStateHover, 0);
    root->FindChildById(3)->ModifyState(kStateDisabled, 0);
    root->FindChildById(4)->ModifyState(kStateDisabled, 0); // disabled through its parent
    DibCanvas canvas(600, 30);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_GT(CountColor(canvas, {0, 0, 100, 30}, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountColor(canvas, {0, 0, 100, 30}, kRed), 0);
    EXPECT_GT(CountColor(canvas, {100, 0, 200, 30}, kRed), 0);
    // The hover font is taller: more of the cell is ink.
    EXPECT_GT(CountColor(canvas, {100, 0, 200, 30}, kRed),
              CountColor(canvas, {0, 0, 100, 30}, RGB(0, 0, 0)));
    EXPECT_GT(CountColor(canvas, {200, 0, 300, 30}, kRed), 0);
    EXPECT_GT(CountColor(canvas, {300, 0, 400, 30}, kRed), 0);
    EXPECT_EQ(CountColor(canvas, {200, 0, 400, 30}, RGB(0, 0, 0)), 0);
    // An element without a font of its own paints in the default font, not its parent's.
    EXPECT_GT(CountColor(canvas, {400, 0, 500, 30}, RGB(0, 0, 0)), 0);
    EXPECT_EQ(CountColor(canvas, {500, 0, 600, 30}, RGB(0, 0, 0)),
              CountColor(canvas, {400, 0, 500, 30}, RGB(0, 0, 0)));
}

TEST_F(ElementPaintTest, SkipsElementsOutsideTheRegion) {
    auto root = LoadDialog(R"(<dlg><text pos="0,0,20,20" class="red_bg"/>
                                   <text pos="40,0,60,20" class="red_bg"/></dlg>)");
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(60, 20);
    HRGN region = ::CreateRectRgn(0, 0, 30, 20);
    root->Redraw(canvas.Dc(), region);
    ::DeleteObject(region);
    EXPECT_EQ(canvas.Pixel(10, 10), kRed);
    EXPECT_EQ(canvas.Pixel(50, 10), kWhite);
}

// States of one image button, alone and in a group with a checked member; skin "four" has
// red, green, blue and yellow sub-images.
TEST_F(ElementPaintTest, ImageButtonsPickTheirSubImageByState) {
    struct Case {
        DWORD state;
        bool groupChecked;
        COLORREF color;
    };
    const Case cases[] = {
        {0, false, kRed},
        {kStateHover, false, kGreen},
        {kStatePushed | kStateHover, false, kBlue},
        {kStateDisabled | kStateHover, false, kYellow},
        {kStateChecked, true, kBlue},
        {0, true, kRed},
        {kStateHover, true, kGreen},
        {kStatePushed, true, kBlue},
        {kStateDisabled, true, kRed}, // a group with a checked member knows no disabled look
    };
    for (const Case& c : cases) {
        auto root = LoadDialog(R"(<dlg><imgbtn id="1" pos="0,0" skin="four" group="g"/>
                                       <imgbtn id="2" pos="10,0" skin="four" group="g"/></dlg>)");
        ASSERT_NE(root, nullptr);
        if (c.groupChecked && !(c.state & kStateChecked))
            root->FindChildById(2)->ModifyState(kStateChecked, 0);
        root->FindChildById(1)->ModifyState(c.state, 0);
        DibCanvas canvas(20, 6);
        root->Redraw(canvas.Dc(), nullptr);
        EXPECT_EQ(canvas.Pixel(4, 3), c.color) << c.state << (c.groupChecked ? " grouped" : "");
    }
}

TEST_F(ElementPaintTest, AGroupClickMovesTheCheckAndRepaintsBoth) {
    NoticeRecorder view;
    auto root = LoadDialog(R"(<dlg><imgbtn id="1" pos="0,0" skin="four" group="pair"/>
                                   <imgbtn id="2" pos="10,0" skin="four" group="pair"/></dlg>)");
    ASSERT_NE(root, nullptr);
    root->SetContainerWindow(view.Window());
    CBkWindow* first = root->FindChildById(1);
    CBkWindow* second = root->FindChildById(2);

    SendElementMessage(first, WM_LBUTTONUP);
    EXPECT_TRUE(first->GetState() & kStateChecked);
    SendElementMessage(second, WM_LBUTTONUP);
    EXPECT_TRUE(second->GetState() & kStateChecked);
    EXPECT_FALSE(first->GetState() & kStateChecked);
    EXPECT_EQ(view.repainted, std::vector<UINT>{1});
    // Clicking the checked one unchecks it.
    SendElementMessage(second, WM_LBUTTONUP);
    EXPECT_FALSE(second->GetState() & kStateChecked);

    DibCanvas canvas(20, 6);
    SendElementMessage(first, WM_LBUTTONUP);
    root->Redraw(canvas.Dc(), nullptr);
    EXPECT_EQ(canvas.Pixel(4, 3), kBlue);
    EXPECT_EQ(canvas.Pixel(14, 3), kRed);
}

TEST_F(ElementPaintTest, PaintingAndHoveringCreateNoLastingGdiObjects) {
    auto root = LoadDialog(R"(<dlg class="red_bg">
        <text id="1" pos="0,0,200,30" class="hover_font">Hover me</text>
        <imgbtn id="2" pos="0,40" skin="four" caption="Go"/>
        <text id="3" pos="0,80,200,110" class="greyed">Disabled</text>
        <img id="4" pos="0,120" skin="strip"/></dlg>)");
    ASSERT_NE(root, nullptr);
    DibCanvas canvas(490, 200);
    root->Redraw(canvas.Dc(), nullptr); // fonts and images are made once, on first use
    const DWORD before = CountGdiObjects();
    for (int cycle = 0; cycle < 3000; ++cycle) {
        for (UINT id : {1u, 2u})
            root->FindChildById(id)->ModifyState(cycle % 2 ? kStateHover : 0, kStateHover);
        root->Redraw(canvas.Dc(), nullptr);
    }
    EXPECT_GT(before, 0u);
    EXPECT_EQ(CountGdiObjects(), before);
}

} // namespace
