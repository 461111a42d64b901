// The skinned frame and its host view as real windows under real input: the frame runs its
// modal loop on a thread of its own while the test drives the mouse with SendInput.

#include "tests/fixtures/Pixels.h"
#include "tests/fixtures/ScratchDirectory.h"

#include "FrameSession.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

using FrameTest = FrameDocumentTest;

// Client points inside the layout's elements.
constexpr POINT kUpdateNow{115, 140}; // 8005 at 100,130 in the view
constexpr POINT kDisabled{215, 140};  // 8006
constexpr POINT kEmptyBody{400, 400};
constexpr POINT kTitle{40, 12};
constexpr POINT kMinimise{430, 10};

TEST_F(FrameTest, HasTheDocumentsStylesSizeAndSections) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    HWND frame = session.frame.m_hWnd;
    EXPECT_EQ(::GetWindowLongW(frame, GWL_STYLE) & ~(WS_VISIBLE | WS_CLIPSIBLINGS), 0x800B0000);
    // Asked for with the window edge, which the system keeps only for framed windows.
    EXPECT_EQ(session.frame.GetView().GetExStyle(), 0x10300u);
    EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(frame, GWL_EXSTYLE)) &
                  (WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE),
              static_cast<DWORD>(WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE));
    RECT client;
    ::GetClientRect(frame, &client);
    EXPECT_EQ(client.right, 490);
    EXPECT_EQ(client.bottom, 500);
    session.Run([&] {
        CBkDialog* sections[3];
        ASSERT_EQ(session.frame.GetView().Sections(sections), 3);
        EXPECT_EQ(sections[0]->GetRect().top, 0);
        EXPECT_EQ(sections[0]->GetRect().bottom, 30);
        EXPECT_EQ(sections[1]->GetRect().top, 30);
        EXPECT_EQ(sections[1]->GetRect().bottom, 496);
        EXPECT_EQ(sections[2]->GetRect().top, 496);
        EXPECT_EQ(sections[2]->GetRect().bottom, 500);
        EXPECT_EQ(sections[1]->GetRect().right, 490);
    });

    // Maximising is refused: the same size, centred again.
    RECT before;
    ::GetWindowRect(frame, &before);
    session.Run([&] { ::SendMessageW(frame, WM_SYSCOMMAND, SC_MAXIMIZE, 0); });
    RECT after;
    ::GetWindowRect(frame, &after);
    EXPECT_EQ(after.right - after.left, 490);
    EXPECT_EQ(after.bottom - after.top, 500);
    EXPECT_FALSE(::IsZoomed(frame));
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
}

TEST_F(FrameTest, PutsTheBodyAtTheTopWithoutAHeader) {
    FrameSession session(IDR_FRAME_NO_HEADER);
    ASSERT_TRUE(session.opened);
    session.Run([&] {
        CBkDialog* sections[3];
        ASSERT_EQ(session.frame.GetView().Sections(sections), 2);
        EXPECT_EQ(sections[0]->GetRect().top, 0);
        EXPECT_EQ(sections[0]->GetRect().bottom, 196);
    });
}

TEST_F(FrameTest, TurnsPressAndReleaseIntoClicks) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);

    // Press and release on the button: code 7, then code 1 with its id and tag.
    MoveTo(session, kUpdateNow);
    EXPECT_TRUE(session.WaitFor([&] { return session.State(8005) & kStateHover; }));
    EXPECT_EQ(session.ViewPixel(kUpdateNow), kGreen);
    session.ClearNotices();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(session.HasNotice(kBkNmLButtonDown, 8005));
    EXPECT_EQ(session.ViewPixel(kUpdateNow), kBlue);
    SendMouse(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(session.HasNotice(kBkNmClick, 8005));
    std::vector<UINT> codes;
    for (const Notice& notice : session.Notices()) {
        if (notice.code != kBkNmMouseMove)
            codes.push_back(notice.code);
        if (notice.code == kBkNmClick) {
            EXPECT_EQ(notice.tag, "imgbtn");
        }
    }
    EXPECT_EQ(codes, (std::vector<UINT>{kBkNmLButtonDown, kBkNmClick}));

    // Released off the button: no click, and the pressed look is gone.
    session.ClearNotices();
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    MoveTo(session, kEmptyBody);
    SendMouse(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(session.WaitFor([&] { return (session.State(8005) & kStatePushed) == 0; }));
    EXPECT_FALSE(session.HasNotice(kBkNmClick, 8005));
    EXPECT_EQ(session.ViewPixel(kUpdateNow), kRed);

    // Leaving a hovered button: code 4 and the normal look.
    MoveTo(session, kUpdateNow);
    EXPECT_TRUE(session.WaitFor([&] { return session.State(8005) & kStateHover; }));
    session.ClearNotices();
    MoveTo(session, kEmptyBody);
    EXPECT_TRUE(session.HasNotice(kBkNmMouseLeave, 8005));
    EXPECT_EQ(session.ViewPixel(kUpdateNow), kRed);
}

TEST_F(FrameTest, ShowsTheHoveredElementsTip) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    MoveTo(session, kUpdateNow);
    ASSERT_TRUE(session.WaitFor([&] { return session.State(8005) & kStateHover; }));
    wchar_t text[64] = L"";
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = session.frame.m_hWnd;
    tool.uId = reinterpret_cast<UINT_PTR>(session.frame.GetView().m_hWnd);
    tool.lpszText = text;
    session.Run([&] {
        ::SendMessageW(session.frame.GetView().GetToolTipWindow(), TTM_GETTEXTW, 64,
                       reinterpret_cast<LPARAM>(&tool));
    });
    EXPECT_STREQ(text, L"Update Now");
}

TEST_F(FrameTest, EndsAPressWhoseCaptureIsTaken) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    MoveTo(session, kUpdateNow);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(session.WaitFor([&] { return session.State(8005) & kStatePushed; }));
    // As when another window takes the mouse during the press (Alt+Tab).
    session.Run([] { ::ReleaseCapture(); });
    EXPECT_EQ(session.State(8005) & kStatePushed, 0u);
    SendMouse(MOUSEEVENTF_LEFTUP);
    // The next press is a press of its own, not the second of a double click.
    ::Sleep(::GetDoubleClickTime() + 100);
    session.ClearNotices();
    Click(session, kUpdateNow);
    EXPECT_TRUE(session.HasNotice(kBkNmLButtonDown, 8005));
    EXPECT_TRUE(session.HasNotice(kBkNmClick, 8005));
}

TEST_F(FrameTest, ABrokenDocumentLeavesTheViewEmptyAndRepaintsIt) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    session.Run([&] {
        CBkDialogView& view = session.frame.GetView();
        ::UpdateWindow(view);
        EXPECT_FALSE(view.LoadLayoutText("<layer><body>"));
        CBkDialog* sections[3];
        EXPECT_EQ(view.Sections(sections), 0);
        RECT dirty{};
        EXPECT_TRUE(::GetUpdateRect(view, &dirty, FALSE));
        EXPECT_EQ(dirty.right, 490);
    });
}

TEST_F(FrameTest, GivesDisabledElementsNoHoverPressOrClick) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    session.Run([&] { session.frame.GetView().EnableElement(8006, FALSE); });
    session.ClearNotices();
    Click(session, kDisabled);
    EXPECT_TRUE(session.HasNotice(kBkNmMouseMove, 8006));
    ::Sleep(200);
    EXPECT_EQ(session.State(8006) & (kStateHover | kStatePushed), 0u);
    for (const Notice& notice : session.Notices()) {
        EXPECT_NE(notice.code, kBkNmClick);
        EXPECT_NE(notice.code, kBkNmLButtonDown);
    }
}

TEST_F(FrameTest, OpensLinksInsteadOfClicking) {
    ScratchDirectory scratch;
    const std::wstring target = scratch.Path() + L"\\opened.url";
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    // A batch file that leaves a mark when the shell opens it.
    const std::wstring batch = scratch.Path() + L"\\mark.bat";
    const std::wstring mark = scratch.Path() + L"\\marked";
    HANDLE file =
        ::CreateFileW(batch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    const std::string script =
        "@echo off\r\necho.>\"" + std::string(mark.begin(), mark.end()) + "\"\r\n";
    DWORD written = 0;
    ::WriteFile(file, script.data(), static_cast<DWORD>(script.size()), &written, nullptr);
    ::CloseHandle(file);
    session.Run([&] {
        session.frame.GetView().SetElementAttribute(8009, "href",
                                                    std::string(batch.begin(), batch.end()));
    });
    session.ClearNotices();
    Click(session, POINT{110, 236});
    EXPECT_TRUE(session.HasNotice(kBkNmLButtonDown, 8009));
    bool marked = false;
    for (int tries = 0; tries < 100 && !marked; ++tries, ::Sleep(100))
        marked = ::GetFileAttributesW(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
    EXPECT_TRUE(marked);
    EXPECT_FALSE(session.HasNotice(kBkNmClick, 8009));
}

TEST_F(FrameTest, DragsByTheHeaderButNotByItsButtons) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    HWND frame = session.frame.m_hWnd;
    RECT before;
    ::GetWindowRect(frame, &before);

    // On a header button the press is the button's.
    session.ClearNotices();
    Click(session, kMinimise);
    EXPECT_TRUE(session.HasNotice(kBkNmClick, 60003));
    RECT same;
    ::GetWindowRect(frame, &same);
    EXPECT_EQ(same.left, before.left);

    // On the title it moves the window.
    const POINT start = session.ScreenPoint(kTitle);
    SendMouse(0, start);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(0, POINT{start.x + 30, start.y + 20});
    SendMouse(0, POINT{start.x + 40, start.y + 25});
    SendMouse(MOUSEEVENTF_LEFTUP);
    RECT moved{};
    EXPECT_TRUE(session.WaitFor([&] {
        ::GetWindowRect(frame, &moved);
        return moved.left == before.left + 40 && moved.top == before.top + 25;
    })) << moved.left - before.left
        << "," << moved.top - before.top;
}

TEST_F(FrameTest, TurnsEnterEscapeAndCloseIntoClicksOnly) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    HWND frame = session.frame.m_hWnd;
    // Real keys, which go to the view that holds the focus.
    ASSERT_TRUE(session.WaitFor([&] { return ::GetFocus() == session.frame.GetView().m_hWnd; }));
    session.ClearNotices();
    SendKey(VK_RETURN);
    SendKey(VK_ESCAPE);
    ::PostMessageW(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(session.WaitFor([&] { return session.frame.notices.size() == 3; }));
    std::vector<UINT> ids;
    for (const Notice& notice : session.Notices()) {
        EXPECT_EQ(notice.code, kBkNmClick);
        EXPECT_EQ(notice.tag, "");
        ids.push_back(notice.id);
    }
    EXPECT_EQ(ids, (std::vector<UINT>{1, 2, 2}));
    EXPECT_TRUE(::IsWindowVisible(frame));
}

TEST_F(FrameTest, LaysOutAgainWhenTheDisplayScaleChanges) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    HWND frame = session.frame.m_hWnd;
    HWND shadow = session.frame.GetShadow().GetWindow();
    const auto changeTo = [&](int dpi) {
        RECT window;
        ::GetWindowRect(frame, &window);
        // As the system suggests it: the window's place, at the new scale.
        RECT suggested{window.left, window.top, window.left + ::MulDiv(490, dpi, 96),
                       window.top + ::MulDiv(500, dpi, 96)};
        session.Run([&] {
            ::SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
        });
    };
    changeTo(144);
    RECT client;
    ::GetClientRect(frame, &client);
    EXPECT_EQ(client.right, 735);
    EXPECT_EQ(client.bottom, 750);
    session.Run([&] {
        CBkDialogView& view = session.frame.GetView();
        EXPECT_EQ(view.GetDpi(), 144);
        CBkDialog* sections[3];
        ASSERT_EQ(view.Sections(sections), 3);
        EXPECT_EQ(sections[0]->GetRect().bottom, 45);
        EXPECT_EQ(sections[2]->GetRect().top, 744);
        const RECT& button = view.FindElementById(8005)->GetRect();
        EXPECT_EQ(button.left, 150);
        EXPECT_EQ(button.top, 195);
        EXPECT_EQ(button.right - button.left, 45); // the picture at 150 %
    });
    // The hit area follows the art.
    session.ClearNotices();
    Click(session, POINT{172, 210});
    EXPECT_TRUE(session.HasNotice(kBkNmClick, 8005));
    // The rounded region and the shadow keep in step.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    RECT box{};
    if (::GetWindowRgn(frame, region) != ERROR)
        ::GetRgnBox(region, &box);
    ::DeleteObject(region);
    EXPECT_EQ(box.right, 735);
    EXPECT_TRUE(session.WaitFor([&] {
        RECT f, s;
        ::GetWindowRect(frame, &f);
        ::GetWindowRect(shadow, &s);
        return s.left == f.left - 6 && s.right == f.right + 6 && s.bottom == f.bottom + 6;
    }));
    changeTo(96);
    ::GetClientRect(frame, &client);
    EXPECT_EQ(client.right, 490);
    EXPECT_EQ(client.bottom, 500);
}

TEST_F(FrameTest, RoundsTheFrameAgainOnlyForANewSize) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    HWND frame = session.frame.m_hWnd;
    const auto regionBox = [&] {
        RECT box{};
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(frame, region) != ERROR)
            ::GetRgnBox(region, &box);
        ::DeleteObject(region);
        return box;
    };
    EXPECT_EQ(regionBox().right, 490); // the client area, rounded
    // A plain region stays through a WM_SIZE of the same size; a new size rounds again.
    session.Run([&] {
        ::SetWindowRgn(frame, ::CreateRectRgn(0, 0, 100, 100), FALSE);
        ::SendMessageW(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(490, 500));
    });
    EXPECT_EQ(regionBox().right, 100);
    session.Run([&] { ::SendMessageW(frame, WM_SIZE, SIZE_RESTORED, MAKELPARAM(400, 500)); });
    EXPECT_GT(regionBox().right, 100);
}

TEST_F(FrameTest, KeepsALayeredShadowAroundTheFrame) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    HWND frame = session.frame.m_hWnd;
    HWND shadow = session.frame.GetShadow().GetWindow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(::GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(session.WaitFor([&] { return ::IsWindowVisible(shadow) != FALSE; }));
    const auto expectAround = [&] {
        RECT f, s;
        ::GetWindowRect(frame, &f);
        ::GetWindowRect(shadow, &s);
        EXPECT_EQ(s.left, f.left - 4);
        EXPECT_EQ(s.top, f.top - 4);
        EXPECT_EQ(s.right, f.right + 4);
        EXPECT_EQ(s.bottom, f.bottom + 4);
    };
    expectAround();

    int redraws = 0;
    session.Run([&] { redraws = session.frame.GetShadow().GetRedrawCount(); });
    session.Run([&] { ::SetWindowPos(frame, nullptr, 50, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER); });
    expectAround();
    session.Run([&] { EXPECT_EQ(session.frame.GetShadow().GetRedrawCount(), redraws); });

    session.Run([&] { ::ShowWindow(frame, SW_MINIMIZE); });
    EXPECT_TRUE(session.WaitFor([&] { return !::IsWindowVisible(shadow); }));
    session.Run([&] { ::ShowWindow(frame, SW_RESTORE); });
    EXPECT_TRUE(session.WaitFor([&] { return ::IsWindowVisible(shadow) != FALSE; }));
}

// Counts the elements that paint themselves.
class PaintCounter : public IBkPaintHook {
public:
    BOOL OnElementPaint(CBkWindow* element, HDC, const RECT&, BOOL before) override {
        if (before && !element->IsContainer())
            painted.insert(element->GetCmdID());
        return TRUE;
    }
    std::set<UINT> painted;
};

void HookAll(CBkWindow& element, IBkPaintHook* hook) {
    element.SetPaintHook(hook);
    if (!element.IsContainer())
        return;
    for (CBkWindow* child : static_cast<CBkContainerWnd&>(element).Children())
        HookAll(*child, hook);
}

TEST_F(FrameTest, RedrawsOnlyTheChangedLabelIntoTheBackBuffer) {
    FrameSession session(IDR_FRAME_LAYOUT);
    ASSERT_TRUE(session.opened);
    PaintCounter counter;
    session.Run([&] {
        CBkDialog* sections[3];
        const int count = session.frame.GetView().Sections(sections);
        for (int i = 0; i < count; ++i)
            HookAll(*sections[i], &counter);
        ::UpdateWindow(session.frame.GetView());
        counter.painted.clear();
        session.frame.GetView().SetElementText(8010, L"A new label");
        ::UpdateWindow(session.frame.GetView());
    });
    EXPECT_EQ(counter.painted, std::set<UINT>{8010});
}

} // namespace
