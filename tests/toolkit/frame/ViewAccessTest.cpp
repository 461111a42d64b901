// Keyboard and screen-reader access to a skinned frame, under real keys: the tab stops, clicks
// by Space and Enter, the focus cue, the accessibility tree and its events.
#include "platform/ScopedHandle.h"
#include "toolkit/elements/ElementRegistry.h"

#include "FrameSession.h"

#include <gtest/gtest.h>
#include <oleacc.h>

#include <iterator>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Client points of the document's elements.
constexpr POINT kEmptyBody{400, 450};
// The top edge of the focus cue round "Go" (83, at 100,130 to 130,150).
constexpr POINT kCueAboveGo{115, 127};

class AccessTest : public FrameDocumentTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.opened);
        session.Run([this] {
            ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            View().EnableElement(84, FALSE);
        });
        ASSERT_TRUE(session.WaitFor([this] { return ::GetFocus() == View().m_hWnd; }));
    }

    CBkDialogView& View() { return session.frame.GetView(); }
    UINT FocusId() {
        UINT id = 0;
        session.Run([&] {
            const CBkWindow* focused = View().GetFocusElement();
            id = focused != nullptr ? focused->GetCmdID() : 0;
        });
        return id;
    }
    // The view's object for screen readers. Wine cannot marshal the interface, so the test
    // takes it from the view rather than through WM_GETOBJECT.
    IAccessible* Accessible() {
        IAccessible* accessible = nullptr;
        session.Run([&] { accessible = View().GetAccessible(); });
        return accessible;
    }
    bool HasClick(UINT id, const std::string& tag) {
        return session.WaitFor([&] {
            for (const Notice& notice : session.frame.notices) {
                if (notice.code == kBkNmClick && notice.id == id && notice.tag == tag)
                    return true;
            }
            return false;
        });
    }

    FrameSession session{IDR_ACCESS_LAYOUT};
};

VARIANT Child(LONG id) {
    VARIANT child;
    child.vt = VT_I4;
    child.lVal = id;
    return child;
}

std::wstring Take(BSTR text) {
    std::wstring taken = text != nullptr ? text : L"";
    ::SysFreeString(text);
    return taken;
}

TEST_F(AccessTest, TabMovesTheFocusAmongTheStopsInReadingOrder) {
    std::vector<UINT> order;
    for (int i = 0; i < 6; ++i) {
        SendKey(VK_TAB);
        order.push_back(FocusId());
    }
    // 84 is disabled, 86 no tab stop, texts are stops only when the document says.
    EXPECT_EQ(order, (std::vector<UINT>{60001, 82, 83, 85, 87, 60001}));
    SendKey(VK_TAB, true);
    EXPECT_EQ(FocusId(), 87u);
    SendKey(VK_TAB, true);
    EXPECT_EQ(FocusId(), 85u);
    // A disabled element loses the focus.
    session.Run([this] { View().EnableElement(85, FALSE); });
    EXPECT_EQ(FocusId(), 0u);
}

TEST_F(AccessTest, SpaceAndEnterClickTheFocusedElementEscCancels) {
    SendKey(VK_TAB);
    SendKey(VK_TAB);
    SendKey(VK_TAB);
    ASSERT_EQ(FocusId(), 83u);
    session.ClearNotices();
    SendKey(VK_SPACE);
    EXPECT_TRUE(HasClick(83, "imgbtn"));
    SendKey(VK_TAB);
    SendKey(VK_RETURN);
    EXPECT_TRUE(HasClick(85, "text"));
    SendKey(VK_ESCAPE);
    EXPECT_TRUE(HasClick(2, ""));
    // Without a focused element Enter is the frame's OK.
    session.Run([this] { View().SetFocusElement(nullptr); });
    session.ClearNotices();
    SendKey(VK_RETURN);
    EXPECT_TRUE(HasClick(1, ""));
    EXPECT_TRUE(::IsWindowVisible(session.frame.m_hWnd));
}

TEST_F(AccessTest, ShowsTheFocusCueOnlyOnceTheKeyboardIsUsed) {
    const auto cueShows = [this] {
        const COLORREF pixel = session.ViewPixel(kCueAboveGo);
        return GetBValue(pixel) > GetRValue(pixel) + 40;
    };
    session.Run([this] { View().SetFocusElement(View().FindElementById(83)); });
    EXPECT_FALSE(cueShows());
    session.Run([this] { View().SetFocusElement(View().FindElementById(82)); });
    SendKey(VK_TAB);
    ASSERT_EQ(FocusId(), 83u);
    EXPECT_TRUE(cueShows());
    // The mouse hides it again.
    Click(session, kEmptyBody);
    EXPECT_TRUE(session.WaitFor([this] { return !View().IsFocusCueShown(); }));
    EXPECT_FALSE(cueShows());
}

TEST_F(AccessTest, TellsReadersTheElementsInReadingOrder) {
    IAccessible* accessible = Accessible();
    ASSERT_NE(accessible, nullptr);
    SendKey(VK_TAB); // the focus on "Close"
    struct Expected {
        const wchar_t* name;
        LONG role;
        const wchar_t* action;
        LONG state; // of STATE_SYSTEM_ UNAVAILABLE, FOCUSABLE, FOCUSED and INVISIBLE
    };
    const LONG focusable = STATE_SYSTEM_FOCUSABLE;
    const Expected expected[] = {
        {L"Access & Test", ROLE_SYSTEM_STATICTEXT, L"", 0},
        {L"Close", ROLE_SYSTEM_PUSHBUTTON, L"Press", focusable | STATE_SYSTEM_FOCUSED},
        {L"Caption:", ROLE_SYSTEM_STATICTEXT, L"", 0},
        {L"Value", ROLE_SYSTEM_STATICTEXT, L"", 0},
        {L"A link", ROLE_SYSTEM_LINK, L"Jump", focusable},
        {L"Go", ROLE_SYSTEM_PUSHBUTTON, L"Press", focusable},
        {L"Off", ROLE_SYSTEM_PUSHBUTTON, L"Press", STATE_SYSTEM_UNAVAILABLE},
        {L"A text link", ROLE_SYSTEM_LINK, L"Jump", focusable},
        {L"Not a stop", ROLE_SYSTEM_PUSHBUTTON, L"Press", 0},
        {L"Inside", ROLE_SYSTEM_PUSHBUTTON, L"Press", focusable},
        {L"Hidden", ROLE_SYSTEM_STATICTEXT, L"", STATE_SYSTEM_INVISIBLE},
    };
    session.Run([&] {
        long count = 0;
        ASSERT_EQ(accessible->get_accChildCount(&count), S_OK);
        ASSERT_EQ(count, static_cast<long>(std::size(expected)));
        const LONG watched = STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE |
                             STATE_SYSTEM_FOCUSED | STATE_SYSTEM_INVISIBLE;
        for (LONG id = 1; id <= count; ++id) {
            const Expected& e = expected[id - 1];
            SCOPED_TRACE(testing::Message() << "child " << id);
            BSTR text = nullptr;
            accessible->get_accName(Child(id), &text);
            EXPECT_EQ(Take(text), e.name);
            VARIANT value;
            accessible->get_accRole(Child(id), &value);
            EXPECT_EQ(value.lVal, e.role);
            accessible->get_accState(Child(id), &value);
            EXPECT_EQ(value.lVal & watched, e.state);
            text = nullptr;
            accessible->get_accDefaultAction(Child(id), &text);
            EXPECT_EQ(Take(text), e.action);
            // Where the element is on the screen.
            RECT rect = FindElement(View().AccessibleElements()[id - 1])->GetRect();
            ::MapWindowPoints(View().m_hWnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
            long left = 0, top = 0, width = 0, height = 0;
            EXPECT_EQ(accessible->accLocation(&left, &top, &width, &height, Child(id)), S_OK);
            const RECT located{left, top, left + width, top + height};
            EXPECT_TRUE(::EqualRect(&located, &rect));
            // The reader finds it there again, and walks on to the next.
            if (e.state != STATE_SYSTEM_INVISIBLE) {
                accessible->accHitTest(left + 1, top + 1, &value);
                EXPECT_EQ(value.lVal, id);
            }
            accessible->accNavigate(NAVDIR_NEXT, Child(id), &value);
            EXPECT_EQ(value.vt == VT_I4 ? value.lVal : 0, id < count ? id + 1 : 0);
        }
    });
    // The client area's own name is the frame's caption.
    session.Run([&] {
        ::SetWindowTextW(session.frame.m_hWnd, L"Renamed");
        BSTR name = nullptr;
        accessible->get_accName(Child(CHILDID_SELF), &name);
        EXPECT_EQ(Take(name), L"Renamed");
    });
    accessible->Release();
}

TEST_F(AccessTest, TheDefaultActionIsAClick) {
    IAccessible* accessible = Accessible();
    ASSERT_NE(accessible, nullptr);
    session.ClearNotices();
    HRESULT pressed = E_FAIL, refused = S_OK;
    session.Run([&] {
        pressed = accessible->accDoDefaultAction(Child(6)); // "Go"
        refused = accessible->accDoDefaultAction(Child(7)); // "Off", disabled
    });
    EXPECT_EQ(pressed, S_OK);
    EXPECT_EQ(refused, E_FAIL);
    EXPECT_TRUE(HasClick(83, "imgbtn"));
    ::Sleep(200);
    for (const Notice& notice : session.Notices())
        EXPECT_NE(notice.id, 84u);

    // Behind a modal box, which disables the frame, a click could not happen, nor may this.
    session.ClearNotices();
    HRESULT behindBox = S_OK;
    session.Run([&] {
        ::EnableWindow(session.frame.m_hWnd, FALSE);
        behindBox = accessible->accDoDefaultAction(Child(6));
        ::EnableWindow(session.frame.m_hWnd, TRUE);
    });
    EXPECT_EQ(behindBox, E_FAIL);
    ::Sleep(200);
    for (const Notice& notice : session.Notices())
        EXPECT_NE(notice.code, kBkNmClick) << notice.id;
    accessible->Release();
}

// Two readers (or a reader and a script) press "Go" at once: the first click opens a box, as
// the program's confirmation does, whose own message loop delivers the second behind it.
TEST_F(AccessTest, AClickPostedBeforeABoxOpenedIsDroppedBehindIt) {
    IAccessible* accessible = Accessible();
    ASSERT_NE(accessible, nullptr);
    session.ClearNotices();
    int clicksBehindBox = -1;
    session.Run([&] {
        session.frame.onClick = [&] {
            session.frame.onClick = nullptr;
            const size_t before = session.frame.notices.size();
            ::EnableWindow(session.frame.m_hWnd, FALSE);
            for (int round = 0; round < 20; ++round) {
                MSG message;
                while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                    ::DispatchMessageW(&message);
                ::Sleep(10);
            }
            ::EnableWindow(session.frame.m_hWnd, TRUE);
            clicksBehindBox = static_cast<int>(session.frame.notices.size() - before);
        };
        EXPECT_EQ(accessible->accDoDefaultAction(Child(6)), S_OK);
        EXPECT_EQ(accessible->accDoDefaultAction(Child(6)), S_OK);
    });
    EXPECT_TRUE(HasClick(83, "imgbtn"));
    EXPECT_TRUE(session.WaitFor([&] { return clicksBehindBox >= 0; }));
    EXPECT_EQ(clicksBehindBox, 0);
    ::Sleep(200);
    int clicks = 0;
    for (const Notice& notice : session.Notices())
        clicks += notice.code == kBkNmClick ? 1 : 0;
    EXPECT_EQ(clicks, 1);
    accessible->Release();
}

TEST_F(AccessTest, AnObjectKeptAfterItsWindowIsGoneAnswersNotConnected) {
    IAccessible* accessible = Accessible();
    ASSERT_NE(accessible, nullptr);
    session.Run([this] { session.frame.EndModal(2); });
    for (int tries = 0; tries < 100 && ::IsWindow(session.frame.m_hWnd); ++tries)
        ::Sleep(50);
    long count = 0;
    EXPECT_EQ(accessible->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    BSTR name = nullptr;
    EXPECT_EQ(accessible->get_accName(Child(1), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(accessible->accDoDefaultAction(Child(6)), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(accessible->Release(), 0u);
}

// Win events for the view, as a reader hooked in from outside sees them.
struct EventLog {
    struct Event {
        DWORD event;
        LONG child;
    };
    static void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child,
                                DWORD, DWORD) {
        if (object == OBJID_CLIENT && window == view)
            events.push_back(Event{event, child});
    }
    static inline HWND view = nullptr;
    static inline std::vector<Event> events;
};

// Lets the hook's calls arrive: they come as messages to this thread.
void PumpFor(DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    MSG message;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

TEST_F(AccessTest, TellsReadersOfFocusTextAndStateChanges) {
    EventLog::view = View().m_hWnd;
    EventLog::events.clear();
    HWINEVENTHOOK hook =
        ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_NAMECHANGE, nullptr, EventLog::Record,
                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    SendKey(VK_TAB); // "Close", child 2
    session.Run([this] {
        View().SetElementText(81, L"New value"); // child 4
        View().SetElementText(81, L"New value"); // unchanged: no event
        View().EnableElement(83, FALSE);         // child 6
        View().EnableElement(83, FALSE);         // already disabled: no event
    });
    PumpFor(500);
    ::UnhookWinEvent(hook);
    std::vector<std::pair<DWORD, LONG>> seen;
    for (const EventLog::Event& event : EventLog::events) {
        if (event.event == EVENT_OBJECT_FOCUS || event.event == EVENT_OBJECT_NAMECHANGE ||
            event.event == EVENT_OBJECT_STATECHANGE)
            seen.emplace_back(event.event, event.child);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<DWORD, LONG>>{{EVENT_OBJECT_FOCUS, 2},
                                                         {EVENT_OBJECT_NAMECHANGE, 4},
                                                         {EVENT_OBJECT_STATECHANGE, 6}}));
}

} // namespace

// A reader in another apartment still holding the object when the view goes gets an error at
// once, even while the view's thread no longer dispatches messages (the program's main thread
// waiting for its configuration thread, say), rather than a call that waits for that thread.
TEST_F(AccessTest, AReaderHoldingTheObjectIsCutOffWhenTheViewGoes) {
    IStream* stream = nullptr;
    session.Run([&] {
        IAccessible* accessible = View().GetAccessible();
        ::CoMarshalInterThreadInterfaceInStream(__uuidof(IAccessible), accessible, &stream);
        accessible->Release();
    });
    ASSERT_NE(stream, nullptr);
    const ScopedHandle readerReady(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ScopedHandle viewGone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ScopedHandle answered(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ScopedHandle frameThreadGoesOn(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    const ScopedHandle readerDone(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    HRESULT whileThere = E_FAIL, afterwards = S_OK;
    std::thread reader([&] {
        ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        IAccessible* proxy = nullptr;
        ::CoGetInterfaceAndReleaseStream(stream, __uuidof(IAccessible),
                                         reinterpret_cast<void**>(&proxy));
        long count = 0;
        if (proxy != nullptr)
            whileThere = proxy->get_accChildCount(&count);
        ::SetEvent(readerReady.Get());
        ::WaitForSingleObject(viewGone.Get(), INFINITE);
        if (proxy != nullptr) {
            afterwards = proxy->get_accChildCount(&count);
            ::SetEvent(answered.Get());
            proxy->Release();
        }
        ::CoUninitialize();
        ::SetEvent(readerDone.Get());
    });
    ASSERT_EQ(::WaitForSingleObject(readerReady.Get(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(whileThere, S_OK);

    session.afterModal = [&] {
        ::WaitForSingleObject(frameThreadGoesOn.Get(), 10000);
        // Then serves the reader to its end: a call that got through, and the release of its
        // proxy, which COM passes to this thread's apartment.
        const DWORD end = ::GetTickCount() + 10000;
        while (::WaitForSingleObject(readerDone.Get(), 0) != WAIT_OBJECT_0 &&
               static_cast<LONG>(end - ::GetTickCount()) > 0)
            PumpFor(50);
    };
    session.Run([this] { session.frame.EndModal(2); });
    for (int tries = 0; tries < 100 && ::IsWindow(session.frame.m_hWnd); ++tries)
        ::Sleep(50);
    ::SetEvent(viewGone.Get());
    EXPECT_EQ(::WaitForSingleObject(answered.Get(), 3000), WAIT_OBJECT_0)
        << "the call waited for the view's thread";
    ::SetEvent(frameThreadGoesOn.Get());
    reader.join();
    EXPECT_TRUE(FAILED(afterwards)) << std::hex << afterwards;
}
