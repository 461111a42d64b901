// The main window's behaviour on its own layout: the time labels, setting the clock, "Update
// Now", the time-zone label and the control panel without a window; what screen readers are
// told with its real window open.
#include "MainDlgFixture.h"
#include "platform/GdiObjects.h"
#include "toolkit/elements/ElementRegistry.h"
#include "toolkit/styles/BkFontPool.h"
#include "toolkit/styles/BkStyle.h"
#include "toolkit/styles/DisplayScale.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

TEST_F(MainDlgTest, ShowsTheStatusUntilAServerTimeArrives) {
    dialog.GetView().EnableElement(kElementUpdateNow, FALSE);
    dialog.RefreshTimeLabels();
    EXPECT_EQ(Text(kElementServerTime), L"Connect to time server...");
    EXPECT_EQ(Text(kElementDifference), L"N/A");
    EXPECT_TRUE(State(kElementUpdateNow) & kStateDisabled);
    EXPECT_EQ(TextColor(kElementServerTime), RGB(0, 0, 0));
    EXPECT_EQ(Text(kElementLocalTime), L"12/8/2026 3:00:00 PM"); // 09:30 UTC
}

TEST_F(MainDlgTest, ShowsTheServerTimeAndTheDifferenceInSeconds) {
    struct Case {
        int offset;
        const wchar_t* difference;
        const wchar_t* serverTime;
    };
    for (const Case& c :
         {Case{5, L"5 sec", L"12/8/2026 3:00:15 PM"}, Case{-5, L"-5 sec", L"12/8/2026 3:00:05 PM"},
          Case{0, L"0 sec", L"12/8/2026 3:00:10 PM"}}) {
        dialog.GetView().EnableElement(kElementUpdateNow, FALSE);
        server.result = S_OK;
        server.serverUtc = Utc(2026, 12, 8, 9, 30, static_cast<WORD>(10 + c.offset));
        clock = Utc(2026, 12, 8, 9, 30, 10);
        dialog.RefreshTimeLabels();
        EXPECT_EQ(Text(kElementDifference), c.difference);
        EXPECT_EQ(Text(kElementServerTime), c.serverTime);
        EXPECT_EQ(Text(kElementLocalTime), L"12/8/2026 3:00:10 PM");
        // Enabled while the configuration thread was never started.
        EXPECT_FALSE(State(kElementUpdateNow) & kStateDisabled);
    }
}

TEST_F(MainDlgTest, TurnsRedAndDisablesUpdateNowOnceTheSyncThreadGivesUp) {
    server.result = S_FALSE;
    dialog.RefreshTimeLabels();
    EXPECT_EQ(Text(kElementServerTime), L"Error connecting to time server.");
    EXPECT_EQ(TextColor(kElementServerTime), RGB(255, 0, 0));
    EXPECT_TRUE(State(kElementUpdateNow) & kStateDisabled);
}

TEST_F(MainDlgTest, SetsTheClockToTheUtcTimeAndConfirmsIt) {
    server.result = E_FAIL;
    dialog.ApplyServerTime(); // nothing yet: polls on
    EXPECT_TRUE(clockSets.empty());

    server.result = S_OK;
    server.serverUtc = Utc(2026, 12, 8, 1, 0, 0);
    dialog.ApplyServerTime();
    ASSERT_EQ(clockSets.size(), 1u);
    EXPECT_EQ(clockSets[0].wHour, 1);
    // The time set, in UTC, formatted like the labels.
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"Tavemark Chronalign|The clock was successfully synchronized with time "
                        L"server on 12/8/2026 1:00:00 AM.");
    EXPECT_EQ(boxStyles[0], static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_FALSE(State(kElementUpdateNow) & kStateDisabled);
}

TEST_F(MainDlgTest, SaysWhyWhenTheSystemRefusesTheClock) {
    server.result = S_OK;
    server.serverUtc = Utc(2026, 12, 8, 1, 0, 0);
    clockAccepts = FALSE;
    dialog.GetView().EnableElement(kElementUpdateNow, FALSE);
    dialog.ApplyServerTime();
    ASSERT_EQ(boxes.size(), 1u);
    const std::wstring prefix =
        L"Tavemark Chronalign|The clock could not be set to the time server's time: ";
    EXPECT_EQ(boxes[0].substr(0, prefix.size()), prefix);
    EXPECT_GT(boxes[0].size(), prefix.size()); // the system's reason
    EXPECT_EQ(boxStyles[0], static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_FALSE(State(kElementUpdateNow) & kStateDisabled);
}

TEST_F(MainDlgTest, SetsNothingOnceTheSyncThreadGaveUp) {
    server.result = S_FALSE;
    dialog.ApplyServerTime();
    EXPECT_TRUE(clockSets.empty());
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MainDlgTest, StartsTheConfigurationThreadOnceForQuickClicks) {
    dialog.OnUpdateNow();
    dialog.OnUpdateNow();
    configuration.Release();
    EXPECT_EQ(configuration.runs, 1);
    EXPECT_TRUE(State(kElementUpdateNow) & kStateDisabled);
    // Started once, the thread keeps the refresh from enabling the button.
    server.result = S_OK;
    server.serverUtc = Utc(2026, 12, 8, 9, 30, 0);
    dialog.RefreshTimeLabels();
    EXPECT_TRUE(State(kElementUpdateNow) & kStateDisabled);
}

TEST_F(MainDlgTest, ShowsOneAmpersandAndRewritesTheZoneOnlyWhenItChanges) {
    dialog.CheckTimeZone();
    EXPECT_EQ(Text(kElementTimeZone), L"(UTC-08:00) Pacific Time (US && Canada)");
    // The same name again leaves the label alone.
    dialog.GetView().SetElementText(kElementTimeZone, L"untouched");
    dialog.CheckTimeZone();
    EXPECT_EQ(Text(kElementTimeZone), L"untouched");
    zoneName = L"(UTC+08:00) Beijing, Chongqing, Hong Kong, Urumqi";
    dialog.CheckTimeZone();
    EXPECT_EQ(Text(kElementTimeZone), zoneName);
}

TEST_F(MainDlgTest, OpensTheDateAndTimeControlPanelCentred) {
    EXPECT_TRUE(Click(kElementChangeTimeZone));
    // The system's own, by its full path: never one found beside the program.
    wchar_t system[MAX_PATH];
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    EXPECT_EQ(startedProgram, std::wstring(system) + L"\\rundll32.exe");
    EXPECT_EQ(started, L"RunDLL32.exe shell32.dll,Control_RunDLL timedate.cpl,,0");
    EXPECT_EQ(startup_.dwFlags, static_cast<DWORD>(STARTF_USEPOSITION | STARTF_USESIZE));
    EXPECT_EQ(startup_.dwXSize, 463u);
    EXPECT_EQ(startup_.dwYSize, 528u);
    EXPECT_EQ(static_cast<int>(startup_.dwX), (::GetSystemMetrics(SM_CXFULLSCREEN) - 463) / 2);
    EXPECT_EQ(static_cast<int>(startup_.dwY), (::GetSystemMetrics(SM_CYFULLSCREEN) - 528) / 2);

    // Other codes and unknown ids go on unhandled.
    EXPECT_FALSE(Click(4242));
}

VARIANT Child(LONG id) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

TEST_F(MainDlgTest, TellsScreenReadersItsTextsLinkAndButtons) {
    ::CoInitialize(nullptr);
    struct Expected {
        const wchar_t* name;
        LONG role;
        LONG state; // of STATE_SYSTEM_ UNAVAILABLE and FOCUSABLE
    };
    const LONG focusable = STATE_SYSTEM_FOCUSABLE;
    const Expected expected[] = {
        {L"Tavemark Chronalign", ROLE_SYSTEM_STATICTEXT, 0},
        {L"Minimize", ROLE_SYSTEM_PUSHBUTTON, 0},
        {L"Close", ROLE_SYSTEM_PUSHBUTTON, 0},
        {L"(UTC-08:00) Pacific Time (US & Canada)", ROLE_SYSTEM_STATICTEXT, 0},
        {L"Change time zone...", ROLE_SYSTEM_LINK, focusable},
        {L"Server time:", ROLE_SYSTEM_STATICTEXT, 0},
        {L"Connect to time server...", ROLE_SYSTEM_STATICTEXT, 0},
        {L"Local time:", ROLE_SYSTEM_STATICTEXT, 0},
        {L"12/8/2026 3:00:00 PM", ROLE_SYSTEM_STATICTEXT, 0},
        {L"Difference:", ROLE_SYSTEM_STATICTEXT, 0},
        {L"N/A", ROLE_SYSTEM_STATICTEXT, 0},
        {L"Update Now", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE},
    };
    IAccessible* accessible = nullptr;
    WhileOpen(dialog, [&](HWND view) {
        ASSERT_EQ(::AccessibleObjectFromWindow(view, OBJID_CLIENT, __uuidof(IAccessible),
                                               reinterpret_cast<void**>(&accessible)),
                  S_OK);
        long count = 0;
        accessible->get_accChildCount(&count);
        ASSERT_EQ(count, static_cast<long>(std::size(expected)));
        for (LONG id = 1; id <= count; ++id) {
            const Expected& e = expected[id - 1];
            SCOPED_TRACE(testing::Message() << "child " << id);
            BSTR name = nullptr;
            accessible->get_accName(Child(id), &name);
            EXPECT_STREQ(name, e.name);
            ::SysFreeString(name);
            VARIANT value;
            accessible->get_accRole(Child(id), &value);
            EXPECT_EQ(value.lVal, e.role);
            accessible->get_accState(Child(id), &value);
            EXPECT_EQ(value.lVal & (STATE_SYSTEM_UNAVAILABLE | focusable), e.state);
        }
        // "Update Now", once a server time came, pressed as a reader presses it.
        long left = 0, top = 0, width = 0, height = 0;
        accessible->accLocation(&left, &top, &width, &height, Child(12));
        POINT corner{left, top};
        ::ScreenToClient(view, &corner);
        const RECT& button = dialog.GetView().FindElementById(kElementUpdateNow)->GetRect();
        EXPECT_EQ(corner.x, button.left);
        EXPECT_EQ(corner.y, button.top);
        EXPECT_EQ(width, button.right - button.left);
        server.result = S_OK;
        server.serverUtc = Utc(2026, 12, 8, 9, 30, 0);
        dialog.RefreshTimeLabels();
        EXPECT_EQ(accessible->accDoDefaultAction(Child(12)), S_OK);
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        EXPECT_TRUE(State(kElementUpdateNow) & kStateDisabled); // as a click leaves it
        configuration.Release();
        EXPECT_EQ(configuration.runs, 1);
    });
    // Kept past the window, it answers that the window is gone.
    ASSERT_NE(accessible, nullptr);
    long count = 0;
    EXPECT_EQ(accessible->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(accessible->Release(), 0u);
    ::CoUninitialize();
}

TEST_F(MainDlgTest, FitsItsTextsAtEveryDisplayScale) {
    WhileOpen(dialog, [&](HWND view) {
        HWND frame = ::GetParent(view);
        for (const int dpi : {120, 144, 168, 192, 96}) {
            SCOPED_TRACE(dpi);
            RECT window;
            ::GetWindowRect(frame, &window);
            RECT suggested{window.left, window.top, window.left + ::MulDiv(490, dpi, 96),
                           window.top + ::MulDiv(500, dpi, 96)};
            ::SendMessageW(frame, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            RECT client;
            ::GetClientRect(frame, &client);
            EXPECT_EQ(client.right, ::MulDiv(490, dpi, 96));
            EXPECT_EQ(client.bottom, ::MulDiv(500, dpi, 96));
            // Each text, in the font it paints with at this scale, within its box.
            WindowDC screen;
            MemoryDC dc(screen);
            BkFontPool& fonts = BkFontPool::Instance();
            for (UINT handle : dialog.GetView().AccessibleElements()) {
                const CBkWindow* element = FindElement(handle);
                if (!element->MatchesTag("text") || element->GetInnerText().empty())
                    continue;
                const BkStyle& style = element->GetStyle();
                HFONT font = style.m_hFont != nullptr ? style.m_hFont : fonts.GetFont(0);
                SelectObjectGuard selected(dc, fonts.AtDpi(font, dpi));
                const std::wstring text = element->AccessibleName();
                SIZE extent{};
                ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
                const RECT& box = element->GetRect();
                EXPECT_LE(extent.cx, box.right - box.left - 2 * ScaleToDpi(style.m_nMarginX, dpi))
                    << std::string(text.begin(), text.end());
                EXPECT_LE(extent.cy, box.bottom - box.top) << std::string(text.begin(), text.end());
            }
            // The control panel comes up at the window's scale too.
            EXPECT_TRUE(Click(kElementChangeTimeZone));
            EXPECT_EQ(startup_.dwXSize, static_cast<DWORD>(::MulDiv(463, dpi, 96)));
            EXPECT_EQ(startup_.dwYSize, static_cast<DWORD>(::MulDiv(528, dpi, 96)));
        }
    });
}

} // namespace
