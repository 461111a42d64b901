// The tab control, drawn into a DIB and driven as the view would drive it: its pages, its
// tabs' looks, and the selection that the view may refuse.
#include "toolkit/controls/BkTabCtrl.h"
#include "toolkit/elements/BkNotify.h"

#include "tests/fixtures/Pixels.h"
#include "tests/fixtures/ElementTree.h"
#include "tests/fixtures/NoticeRecorder.h"

#include "ElementTestBase.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class TabControlTest : public ElementTestBase {
protected:
    void SetUp() override {
        // Tabs of 20 x 10 whose skin shows red, green and blue 8 x 6 sub-images for normal,
        // hovered and selected; the third page has no tab.
        root = LoadDialog(R"(<dlg><tabctrl id="5" pos="0,0,100,60" tabwidth="20" tabheight="10"
                                    tabskin="three">
            <tab title="A"><text id="11" pos="0,0,-0,-0" class="red_bg"/></tab>
            <tab title="B"><text id="12" pos="0,0,-0,-0" crbg="00FF00"/></tab>
            <tab title="C" hide="1"/>
            <tab title="D"/></tabctrl></dlg>)");
        ASSERT_NE(root, nullptr);
        root->SetContainerWindow(view.Window());
        tabs = static_cast<CBkTabCtrl*>(root->FindChildById(5));
    }

    void Press(POINT at) { SendElementMessage(tabs, WM_LBUTTONDOWN, 0, MAKELPARAM(at.x, at.y)); }

    COLORREF FrameColour() {
        canvas.Fill(kWhite);
        root->Redraw(canvas.Dc(), nullptr);
        return canvas.Pixel(50, 40);
    }

    NoticeRecorder view;
    std::unique_ptr<CBkDialog> root;
    CBkTabCtrl* tabs = nullptr;
    DibCanvas canvas{100, 60};
};

TEST_F(TabControlTest, ShowsTheSelectedPageUnderItsTabs) {
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(FrameColour(), kRed);
    EXPECT_EQ(canvas.Pixel(2, 2), kBlue); // selected
    EXPECT_EQ(canvas.Pixel(22, 2), kRed); // normal
    EXPECT_EQ(canvas.Pixel(42, 2), kRed); // "D": "C" takes no place
    EXPECT_EQ(canvas.Pixel(62, 2), kWhite);
    const RECT frame{0, 10, 100, 60};
    const RECT tabFrame = tabs->GetFrameRect();
    EXPECT_TRUE(::EqualRect(&tabFrame, &frame));
    EXPECT_TRUE(::EqualRect(&root->FindChildById(11)->GetRect(), &frame));
    // Pages are searched whether shown or not; the frame's hits go to the shown page.
    ASSERT_NE(root->FindChildById(12), nullptr);
    EXPECT_EQ(root->HitTest(50, 40), root->FindChildById(11)->GetHandle());
    EXPECT_EQ(root->HitTest(25, 5), tabs->GetHandle());
}

TEST_F(TabControlTest, PressingATabAsksTheViewAndHonoursARefusal) {
    view.refuseTabs = true;
    Press(POINT{25, 5});
    ASSERT_EQ(view.notices.size(), 1u);
    EXPECT_EQ(view.notices[0].code, static_cast<UINT>(kBkNmTabSelect));
    EXPECT_EQ(view.notices[0].id, 5u);
    EXPECT_EQ(view.notices[0].newTab, 1);
    EXPECT_EQ(view.notices[0].oldTab, 0);
    EXPECT_EQ(tabs->GetCurSel(), 0);
    EXPECT_EQ(FrameColour(), kRed);

    view.refuseTabs = false;
    view.repainted.clear();
    Press(POINT{25, 5});
    EXPECT_EQ(view.notices.size(), 2u);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_EQ(view.repainted.size(), 3u); // both tabs and the frame
    EXPECT_EQ(FrameColour(), kGreen);
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(22, 2), kBlue);
    EXPECT_EQ(root->HitTest(50, 40), root->FindChildById(12)->GetHandle());

    // The selected tab and the empty end of the row ask nothing.
    Press(POINT{25, 5});
    Press(POINT{70, 5});
    EXPECT_EQ(view.notices.size(), 2u);
    // "D", the third tab in the row, is the fourth page.
    Press(POINT{45, 5});
    EXPECT_EQ(view.notices.back().newTab, 3);
    EXPECT_EQ(tabs->GetCurSel(), 3);
}

TEST_F(TabControlTest, HoveringATabShowsItsHoverLook) {
    SendElementMessage(tabs, WM_MOUSEMOVE, 0, MAKELPARAM(25, 5));
    FrameColour();
    EXPECT_EQ(canvas.Pixel(22, 2), kGreen);
    SendElementMessage(tabs, WM_MOUSELEAVE);
    FrameColour();
    EXPECT_EQ(canvas.Pixel(22, 2), kRed);
}

TEST_F(TabControlTest, TheOwnerSelectsByAttributeWithoutBeingAsked) {
    tabs->SetAttribute("cursel", "1", false);
    EXPECT_EQ(tabs->GetCurSel(), 1);
    EXPECT_TRUE(view.notices.empty());
    EXPECT_EQ(FrameColour(), kGreen);
}

} // namespace
