#include "toolkit/frame/BkShadowWnd.h"
#include "toolkit/styles/DisplayScale.h"

#include "platform/GdiObjects.h"
#include "toolkit/skins/BkImage.h"
#include "toolkit/skins/BkSkinPool.h"

namespace {

constexpr wchar_t kShadowClassName[] = L"BkShadowWndClass";
// The shadow reaches this far beyond the frame on every side, at 96 DPI; the frame passes its
// messages on at its display scale.
constexpr int kReach = 4;
constexpr BYTE kConstantAlpha = 155;

ATOM RegisterShadowClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_HREDRAW | CS_VREDRAW;
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kShadowClassName;
        return ::RegisterClassExW(&windowClass);
    }();
    return atom;
}

} // namespace

void DrawShadowPieces(HDC dc, CBkSkinBase& skin, int W, int H) {
    const SIZE size = skin.GetSkinSize();
    const LONG sw = size.cx, sh = size.cy, k = (sw - 2) / 2;
    const struct {
        RECT source;
        RECT target;
    } pieces[] = {
        {{0, 0, k, k}, {0, 0, k, k}},           {{sw - k, 0, sw, k}, {W - k, 0, W, k}},
        {{0, sh - k, k, sh}, {0, H - k, k, H}}, {{sw - k, sh - k, sw, sh}, {W - k, H - k, W, H}},
        {{k, 0, k + 1, k}, {k, 0, W - k, k}},   {{k, sh - k, k + 1, sh}, {k, H - k, W - k, H}},
        {{0, k, k, k + 1}, {0, k, k, H - k}},   {{sw - k, k, sw, k + 1}, {W - k, k, W, H - k}},
    };
    for (const auto& piece : pieces)
        skin.DrawPart(dc, piece.target, piece.source);
}

CShadowWnd::~CShadowWnd() {
    if (m_window != nullptr)
        ::DestroyWindow(m_window);
}

bool CShadowWnd::Create(HWND owner) {
    if (m_created)
        return true;
    if (RegisterShadowClass() == 0)
        return false;
    m_window = ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClassName, nullptr,
                                 WS_POPUPWINDOW, 0, 0, 0, 0, owner, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    if (m_window == nullptr)
        return false;
    m_owner = owner;
    m_created = true;
    m_showWithOwner = true;
    return true;
}

bool CShadowWnd::OwnerRect(RECT& rect) const {
    return m_owner != nullptr && ::GetWindowRect(m_owner, &rect) && !::IsRectEmpty(&rect);
}

void CShadowWnd::Redraw() {
    RECT frame;
    if (m_window == nullptr || !OwnerRect(frame))
        return;
    const int reach = Scaled(kReach);
    const int W = frame.right - frame.left + 2 * reach;
    const int H = frame.bottom - frame.top + 2 * reach;

    WindowDC screen;
    MemoryDC memory(screen);
    CBkImage bitmap;
    if (!bitmap.CreateBitmap(memory, W, H))
        return;
    SelectObjectGuard select(memory, bitmap.GetBitmap());
    // Blended into the clear bitmap, the pieces leave their premultiplied alpha in it, as the
    // layered window takes it.
    if (CBkSkinBase* skin = GetSkin("dlg_shadow"))
        DrawShadowPieces(memory, *skin, W, H);
    ::GdiFlush();
    POINT position{frame.left - reach, frame.top - reach};
    SIZE size{W, H};
    POINT origin{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, kConstantAlpha, AC_SRC_ALPHA};
    ::UpdateLayeredWindow(m_window, screen, &position, &size, memory, &origin, 0, &blend,
                          ULW_ALPHA);
    ++m_redraws;
}

void CShadowWnd::Show() {
    ::ShowWindow(m_window, SW_SHOWNOACTIVATE);
    m_shown = true;
}

void CShadowWnd::Hide() {
    if (m_window != nullptr)
        ::ShowWindow(m_window, SW_HIDE);
    m_shown = false;
}

void CShadowWnd::OnOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_created)
        return;
    RECT frame;
    switch (message) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED || !OwnerRect(frame)) {
            Hide();
        } else if (::IsWindowVisible(m_owner)) {
            m_ownerVisible = true;
            if (!m_shown) {
                Redraw();
                Show();
            } else if (lParam != m_lastSize) {
                m_redrawAtNextPaint = true;
            }
        }
        m_lastSize = lParam;
        break;
    case WM_MOVE:
        if (!m_shown)
            break;
        if (!OwnerRect(frame))
            Hide();
        else
            ::SetWindowPos(m_window, nullptr, frame.left - Scaled(kReach),
                           frame.top - Scaled(kReach), 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    case WM_PAINT:
        if (m_redrawAtNextPaint) {
            m_redrawAtNextPaint = false;
            Redraw();
        }
        break;
    case WM_EXITSIZEMOVE:
        if (m_shown)
            Redraw();
        break;
    case WM_SHOWWINDOW:
        if (!wParam) {
            Hide();
            m_ownerVisible = false;
        }
        break;
    case WM_DESTROY:
        Hide();
        ::DestroyWindow(m_window);
        m_window = nullptr;
        m_owner = nullptr;
        m_created = false;
        break;
    default: // WM_MOVING and the rest change nothing
        break;
    }
}

void CShadowWnd::Refresh() {
    if (m_shown)
        Redraw();
}

void CShadowWnd::CheckShow() {
    if (!m_created || m_shown)
        return;
    if (::IsWindowVisible(m_owner) && !::IsIconic(m_owner)) {
        Redraw();
        Show();
    }
}
