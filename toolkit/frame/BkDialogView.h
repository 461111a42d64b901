// The host view: the one real child window that covers a skinned frame's client area. It owns
// the header, body and footer element trees of a layout document, paints them through a back
// buffer, turns mouse input into element states and notifications for the frame, and shows
// the elements' tooltips.
#pragma once

#include "platform/GdiObjects.h"
#include "platform/WindowImpl.h"
#include "toolkit/styles/DisplayScale.h"
#include "toolkit/skins/BkImage.h"
#include "toolkit/elements/BkNotify.h"
#include "toolkit/elements/BkPanel.h"

#include <commctrl.h>
#include <oleacc.h>

#include <string>
#include <vector>

class CShadowWnd;
class ViewAccessible;

class CBkDialogView : public CWindowImpl<CBkDialogView>, public MessageHandledFlag {
public:
    // WS_CHILD, WS_VISIBLE, WS_CLIPCHILDREN, WS_TABSTOP; WS_EX_CONTROLPARENT.
    static constexpr DWORD kStyle = 0x52010000;
    static constexpr DWORD kExStyle = 0x10000;

    static const wchar_t* GetWndClassName() { return L"BkDialogView"; }
    static DWORD GetWndClassStyle() { return CS_DBLCLKS; }

    CBkDialogView();
    ~CBkDialogView() override;

    // The "xml" resource of that id; false when it is missing or no layout document.
    bool LoadLayout(UINT resourceId);
    // Replaces the three sections with those of the document (root "layer"); false, leaving
    // them empty, for a malformed document or another root.
    bool LoadLayoutText(const char* text);

    // Every message of the view is handled at the view's display scale.
    BOOL RouteWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT& result) {
        const DpiScope scope(m_dpi);
        return ProcessWindowMessage(window, message, wParam, lParam, result);
    }

    // The display scale the view lays out and paints at (96 until the frame says).
    int GetDpi() const { return m_dpi; }
    // Lays the document out again at this scale and repaints it.
    void SetDpi(int dpi);
    // A 96-DPI number of the document in the view's device pixels.
    int ToDevice(int value) const { return ScaleToDpi(value, m_dpi); }
    // The document's size in the view's device pixels.
    SIZE GetDeviceSize() const { return SIZE{ToDevice(m_width), ToDevice(m_height)}; }

    bool IsLoaded() const { return m_loaded; }
    const std::wstring& GetTitle() const { return m_title; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetMinWidth() const { return m_minWidth; }
    int GetMinHeight() const { return m_minHeight; }
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    bool IsResizable() const { return m_resize; }
    bool HoldsSize() const { return m_holdSize; }
    bool IsMovable() const { return m_movable; }
    bool IsChildDocument() const { return (m_style & WS_CHILD) != 0; }

    // Creates the view window inside the frame (replacing an earlier one) with its tooltip.
    HWND CreateView(HWND frame);
    HWND GetToolTipWindow() const { return m_toolTip; }
    // The frame's shadow, told to show itself after paints; null for none.
    void AttachShadow(CShadowWnd* shadow) { m_shadow = shadow; }
    // Whether the frame is the active window, which its title bar shows under a high-contrast
    // theme: repaints then.
    void SetCaptionActive(bool active);
    // Repaints everything, after the high-contrast setting or the system colours changed.
    void RepaintAll();

    // Each answers TRUE when an element with the id exists (header, body, footer searched in
    // that order) and repaints what changed.
    BOOL SetElementText(UINT id, const std::wstring& text);
    BOOL SetElementAttribute(UINT id, const std::string& name, const std::string& value);
    // Disabling also clears the hover look.
    BOOL EnableElement(UINT id, BOOL enable);
    CBkWindow* FindElementById(UINT id);

    // Repaints the element's rectangle unless it or an ancestor is hidden.
    void InvalidateElement(const CBkWindow& element);
    // Adds the rectangle to what the next paint redraws into the back buffer.
    void InvalidateArea(const RECT& rect);
    // Places the three sections in the client area and repaints everything.
    void StackSections();

    // The sections that exist, in painting order.
    int Sections(CBkDialog* sections[3]);

    // Keyboard focus among the elements (BkDialogViewKeyboard.cpp): the enabled, visible
    // elements that take clicks and are tab stops, in reading order (the document's).
    std::vector<CBkWindow*> TabStops();
    CBkWindow* GetFocusElement() const;
    // Moves the keyboard focus to the element (null: none), telling accessibility clients.
    void SetFocusElement(CBkWindow* element);
    bool IsFocusCueShown() const { return m_focusCueShown; }
    // Whether a click on the element may happen now: it is shown and available, and the view and
    // its frame take input (a modal box over the frame disables it).
    bool CanClick(const CBkWindow& element) const;
    // Clicks the element later, from the message loop, as a mouse click would, provided that it
    // can still be clicked then.
    void PostClick(const CBkWindow& element);
    // What screen readers are told of (ViewAccessible.cpp): the elements with a role, in
    // reading order, the inside of such an element being its own business. The child id of
    // an element is its index in this list plus 1.
    const std::vector<UINT>& AccessibleElements() const { return m_accessibleElements; }
    LONG AccessibleChildId(const CBkWindow& element) const;
    // The object screen readers get for the client area, with a reference for the caller;
    // WM_GETOBJECT hands it out marshalled.
    IAccessible* GetAccessible();
    // The element under a client point: the header's, else the body's, else the footer's.
    CBkWindow* HitTestSections(POINT point);

    BEGIN_MSG_MAP(CBkDialogView)
    MESSAGE_RANGE_HANDLER(WM_MOUSEMOVE, WM_XBUTTONDBLCLK, OnRelayToTooltip)
    MSG_WM_SIZE(OnSize)
    MSG_WM_PRINT(OnPrint)
    MESSAGE_HANDLER(WM_PAINT, OnPaint)
    MSG_WM_DESTROY(OnDestroy)
    MSG_WM_ERASEBKGND(OnEraseBkgnd)
    MSG_WM_MOUSEMOVE(OnMouseMove)
    MSG_WM_MOUSELEAVE(OnMouseLeave)
    MSG_WM_LBUTTONDOWN(OnLButtonDown)
    MSG_WM_RBUTTONDOWN(OnRButtonDown)
    MSG_WM_LBUTTONUP(OnLButtonUp)
    MSG_WM_LBUTTONDBLCLK(OnLButtonDblClk)
    MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
    MESSAGE_HANDLER(WM_KEYDOWN, OnKeyDown)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_GETDLGCODE, OnGetDlgCode)
    MESSAGE_HANDLER(WM_SETFOCUS, OnSetFocus)
    MESSAGE_HANDLER(WM_KILLFOCUS, OnKillFocus)
    MESSAGE_HANDLER(WM_KEYUP, OnKeyUp)
    MESSAGE_HANDLER(WM_UPDATEUISTATE, OnUpdateUiState)
    MESSAGE_HANDLER(ClickMessage(), OnPostedClick)
    MESSAGE_HANDLER(ShadowCheckMessage(), OnShadowCheck)
    MESSAGE_HANDLER(WM_GETOBJECT, OnGetObject)
    NOTIFY_CODE_HANDLER(kBkNmInvalidate, OnInvalidateNotice)
    NOTIFY_CODE_HANDLER(NM_CUSTOMDRAW, OnReflectNotify)
    MESSAGE_HANDLER(WM_NOTIFY, OnPassToFrame)
    MESSAGE_HANDLER(WM_COMMAND, OnPassToFrame)
    MESSAGE_HANDLER(WM_VSCROLL, OnPassToFrame)
    MESSAGE_HANDLER(WM_HSCROLL, OnPassToFrame)
    MESSAGE_HANDLER(WM_PARENTNOTIFY, OnReflect)
    MESSAGE_HANDLER(WM_DRAWITEM, OnReflect)
    MESSAGE_HANDLER(WM_MEASUREITEM, OnReflect)
    MESSAGE_HANDLER(WM_COMPAREITEM, OnReflect)
    MESSAGE_HANDLER(WM_DELETEITEM, OnReflect)
    MESSAGE_HANDLER(WM_VKEYTOITEM, OnReflect)
    MESSAGE_HANDLER(WM_CHARTOITEM, OnReflect)
    MESSAGE_RANGE_HANDLER(WM_CTLCOLORMSGBOX, WM_CTLCOLORSTATIC, OnReflect)
    END_MSG_MAP()

private:
    // Painting (BkDialogViewPaint.cpp).
    void OnSize(UINT type, SIZE size);
    void OnPrint(HDC dc, UINT flags);
    LRESULT OnPaint(UINT, WPARAM, LPARAM, BOOL&);
    void OnDestroy();
    LRESULT OnEraseBkgnd(HDC) { return 1; }
    // Redraws what changed into the back buffer and copies all of it to the device context.
    void PaintTo(HDC dc);
    // The frame's outline, drawn into the back buffer where the region (none: all) is.
    void DrawOutline(HRGN region);
    // After a paint, a hidden shadow checks whether to show.
    static UINT ShadowCheckMessage();
    LRESULT OnShadowCheck(UINT, WPARAM, LPARAM, BOOL&);

    // Input (BkDialogViewInput.cpp).
    LRESULT OnRelayToTooltip(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    void OnMouseMove(UINT flags, POINT point);
    void OnMouseLeave();
    void OnLButtonDown(UINT flags, POINT point);
    void OnRButtonDown(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnLButtonDblClk(UINT flags, POINT point);
    // A press whose capture went elsewhere (Alt+Tab, a box popping up) is over.
    LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL&);
    // The view wants every key: Tab and Shift+Tab move the focus, Space and Enter click the
    // focused element; Esc, and Enter without a focused element, go on to the frame.
    LRESULT OnKeyDown(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    LRESULT OnKeyUp(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    LRESULT OnKillFocus(UINT, WPARAM, LPARAM, BOOL& handled);
    // The frame's keyboard cues changed: the focus cue follows them.
    LRESULT OnUpdateUiState(UINT message, WPARAM wParam, LPARAM lParam, BOOL&);
    static UINT ClickMessage();
    LRESULT OnPostedClick(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnGetObject(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);
    // Clicks the element as a release over it does: it gets WM_LBUTTONUP, then its link opens
    // or the owner gets the click.
    void ClickElement(UINT handle, UINT flags, POINT point);
    void MoveFocus(bool backward);
    // Shows or hides the focus cue, through the frame's keyboard cues.
    void ShowFocusCue(bool show);
    // The area the focus cue of the element covers.
    RECT FocusCueRect(const CBkWindow& element) const;
    void InvalidateFocusCue();
    void DrawFocusCue(HDC dc);
    void BuildAccessibleElements();
    // Cuts the accessible object off the view (its clients get CO_E_OBJNOTCONNECTED from then
    // on) and drops the view's reference.
    void ReleaseAccessible();
    void NotifyAccessibility(DWORD event, const CBkWindow& element) const;
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnGetDlgCode(UINT, WPARAM, LPARAM, BOOL&) { return 0x85; }
    LRESULT OnSetFocus(UINT, WPARAM, LPARAM, BOOL& handled);
    // Whether a press on this header element drags the frame instead.
    bool DragsFrame(CBkWindow* headerHit) const;
    // Sets or clears state bits, repainting when the element's look depends on them.
    void ChangeState(CBkWindow& element, DWORD add, DWORD remove);
    void UpdateToolTip(const CBkWindow* element);
    void CreateToolTip();

    // Notifications (BkDialogViewInput.cpp).
    void NotifyOwner(UINT code, const CBkWindow* element);
    void NotifyOwnerCommand(UINT code, const CBkWindow& element);
    LRESULT OnInvalidateNotice(int, LPNMHDR header, BOOL&);
    LRESULT OnReflectNotify(int, LPNMHDR header, BOOL& handled);
    LRESULT OnPassToFrame(UINT message, WPARAM wParam, LPARAM lParam, BOOL&);
    LRESULT OnReflect(UINT message, WPARAM wParam, LPARAM lParam, BOOL& handled);

    // The document.
    CBkDialog m_header;
    CBkDialog m_body;
    CBkDialog m_footer;
    bool m_hasHeader = false;
    bool m_hasBody = false;
    bool m_hasFooter = false;
    std::wstring m_title;
    int m_width = 0;
    int m_height = 0;
    int m_minWidth = 0;
    int m_minHeight = 0;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    bool m_resize = false;
    bool m_holdSize = false;
    bool m_movable = true;
    bool m_loaded = false;
    std::string m_frameSkin;
    int m_dpi = kDefaultDpi;
    bool m_captionActive = true;

    // Input and painting state.
    UINT m_hoverElement = 0;
    UINT m_pushedElement = 0;
    bool m_tracking = false;
    bool m_captured = false;
    CBkImage m_backBuffer;
    HWND m_toolTip = nullptr;
    std::wstring m_toolTipText;
    ScopedGdiObject<HRGN> m_dirtyRegion;
    bool m_needsRedraw = false;
    bool m_fullRepaint = false;
    CShadowWnd* m_shadow = nullptr;
    bool m_shadowCheckPosted = false;

    // Keyboard and accessibility state.
    UINT m_focusElement = 0;
    UINT m_keyPressed = 0; // the element that Space is held down on
    bool m_focusCueShown = false;
    std::vector<UINT> m_accessibleElements;
    ViewAccessible* m_accessible = nullptr; // one reference, released with the window
};
