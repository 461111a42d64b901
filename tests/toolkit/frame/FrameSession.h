// A skinned frame of a test document running its modal loop on a thread of its own, driven
// by real input (SendInput) from the test's thread, with what its view told its owner.
#pragma once

#include "toolkit/frame/BkDialogImpl.h"
#include "toolkit/frame/RoundRectFrameHelper.h"
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/SkinListLoader.h"
#include "toolkit/styles/StyleSheetLoader.h"

#include "tests/fixtures/DibCanvas.h"

#include "ToolkitTestResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

constexpr UINT kRunOnFrameThread = WM_APP + 1;

// Tests of frames over the test documents, with the test skins and the frames' styles loaded
// once for all of a suite's tests.
class FrameDocumentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        BkPngPool::Instance().Clear();
        ASSERT_TRUE(LoadSkins(IDR_TEST_SKINS));
        ASSERT_TRUE(LoadStyles(IDR_FRAME_STYLES));
    }
};

struct Notice {
    UINT code;
    UINT id;
    std::string tag;
};

class TestFrame : public CBkDialogImpl<TestFrame> {
public:
    explicit TestFrame(UINT layout) : CBkDialogImpl(layout) {}

    BEGIN_MSG_MAP(TestFrame)
    NOTIFY_ID_HANDLER(kBkViewControlId, OnViewNotify)
    MESSAGE_HANDLER(kRunOnFrameThread, OnRun)
    CHAIN_MSG_MAP(CBkDialogImpl<TestFrame>)
    CHAIN_MSG_MAP_MEMBER(m_roundFrame)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    END_MSG_MAP()

    std::vector<Notice> notices;
    // Called on each click, after it is recorded: a test's stand-in for what the owner does.
    std::function<void()> onClick;
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    CWHRoundRectFrameHelper<TestFrame> m_roundFrame;

private:
    LRESULT OnViewNotify(int, LPNMHDR header, BOOL& handled) {
        const auto* notice = reinterpret_cast<const BkNmHeader*>(header);
        std::string tag;
        if (header->code == kBkNmClick || header->code == kBkNmDoubleClick)
            tag = reinterpret_cast<const BkNmCommand*>(header)->szItemClass;
        notices.push_back(Notice{header->code, notice->uItemID, tag});
        if (header->code == kBkNmClick && onClick)
            onClick();
        handled = FALSE;
        return 0;
    }
    LRESULT OnRun(UINT, WPARAM, LPARAM lParam, BOOL&) {
        (*reinterpret_cast<std::function<void()>*>(lParam))();
        return 0;
    }
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        ::SetEvent(ready);
        return 0;
    }
};

// Runs a TestFrame's modal loop on a thread of its own.
class FrameSession {
public:
    explicit FrameSession(UINT layout) : frame(layout) {
        thread = std::thread([this] {
            result = frame.DoModal();
            if (afterModal)
                afterModal();
        });
        opened = ::WaitForSingleObject(frame.ready, 10000) == WAIT_OBJECT_0;
        // Let the loop settle: shown, painted, shadow up.
        ::Sleep(300);
    }
    ~FrameSession() {
        if (::IsWindow(frame.m_hWnd))
            Run([this] { frame.EndModal(2); });
        thread.join();
        ::CloseHandle(frame.ready);
    }

    // Runs the function on the frame's thread and returns when it has run.
    void Run(std::function<void()> function) {
        ::SendMessageW(frame.m_hWnd, kRunOnFrameThread, 0, reinterpret_cast<LPARAM>(&function));
    }
    std::vector<Notice> Notices() {
        std::vector<Notice> copy;
        Run([&] { copy = frame.notices; });
        return copy;
    }
    void ClearNotices() {
        Run([&] { frame.notices.clear(); });
    }
    // Waits up to five seconds for the condition, checked on the frame's thread.
    bool WaitFor(const std::function<bool()>& condition) {
        for (int tries = 0; tries < 100; ++tries) {
            bool met = false;
            Run([&] { met = condition(); });
            if (met)
                return true;
            ::Sleep(50);
        }
        return false;
    }
    bool HasNotice(UINT code, UINT id) {
        return WaitFor([&] {
            for (const Notice& notice : frame.notices) {
                if (notice.code == code && notice.id == id)
                    return true;
            }
            return false;
        });
    }
    POINT ScreenPoint(POINT client) {
        ::ClientToScreen(frame.m_hWnd, &client);
        return client;
    }
    // The element's state, read on the frame's thread.
    DWORD State(UINT id) {
        DWORD state = 0;
        Run([&] { state = frame.GetView().FindElementById(id)->GetState(); });
        return state;
    }
    // What the view shows at a client point, printed into a canvas.
    COLORREF ViewPixel(POINT point) {
        DibCanvas canvas(490, 500);
        Run([&] {
            ::SendMessageW(frame.GetView(), WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), 0);
        });
        return canvas.Pixel(point.x, point.y);
    }

    TestFrame frame;
    // Runs on the frame's thread once its modal loop has ended.
    std::function<void()> afterModal;
    std::thread thread;
    INT_PTR result = -1;
    bool opened = false;
};

inline void SendMouse(DWORD flags, POINT screen = POINT{-1, -1}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (screen.x >= 0) {
        input.mi.dwFlags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    }
    ::SendInput(1, &input, sizeof input);
    ::Sleep(60);
}

// A key pressed and released, with Shift held down around it when asked.
inline void SendKey(WORD key, bool shift = false) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD virtualKey, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    if (shift)
        add(VK_SHIFT, 0);
    add(key, 0);
    add(key, KEYEVENTF_KEYUP);
    if (shift)
        add(VK_SHIFT, KEYEVENTF_KEYUP);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ::Sleep(60);
}

inline void MoveTo(FrameSession& session, POINT client) {
    SendMouse(0, session.ScreenPoint(client));
}

inline void Click(FrameSession& session, POINT client) {
    MoveTo(session, client);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
}
