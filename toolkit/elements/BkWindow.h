// The element base: a lightweight object without a window of its own, built from one XML
// element of a layout document, owning a rectangle in its host view's client coordinates.
#pragma once

#include "toolkit/elements/BkMessageMap.h"
#include "toolkit/styles/BkNotation.h"
#include "toolkit/styles/BkObject.h"
#include "toolkit/styles/HighContrast.h"
#include "toolkit/skins/ElementState.h"
#include "toolkit/elements/PositionExpression.h"

#include <string>

class BkStyle;
class CBkWindow;

// Called around an element's own painting: before = true ahead of it (a FALSE answer skips
// the painting), before = false after it.
class IBkPaintHook {
public:
    virtual BOOL OnElementPaint(CBkWindow* element, HDC dc, const RECT& rect, BOOL before) = 0;

protected:
    ~IBkPaintHook() = default;
};

// Layout flags: how the width and the height are found, and whether the element floats over
// its siblings for the mouse.
enum BkLayoutFlags : UINT {
    kWidthFixed = 0x1,
    kWidthAuto = 0x2,
    kWidthFill = 0x4,
    kWidthModes = 0x7,
    kHeightFixed = 0x10,
    kHeightAuto = 0x20,
    kHeightFill = 0x40,
    kHeightModes = 0x70,
    kNotFloating = 0x100,
    kFloating = 0x200,
};

// What BeforePaint changed in a device context, for AfterPaint to put back.
struct BkPaintState {
    int oldBkMode = 0;
    COLORREF oldBkColor = CLR_INVALID;
    HGDIOBJ oldFont = nullptr;
    COLORREF oldTextColor = CLR_INVALID;
    bool bkModeSet = false;
    bool bkColorSet = false;
    bool textColorSet = false;
    // The element's rect shrunk by its style's margins.
    RECT textRect{};
};

class CBkWindow : public CBkObject, public MessageHandledFlag {
public:
    CBkWindow();
    CBkWindow(const CBkWindow&) = delete;
    CBkWindow& operator=(const CBkWindow&) = delete;
    // Unregisters the handle.
    ~CBkWindow() override;

    // The text, string references substituted; the attributes; "show"; then, unless a two- or
    // four-item position makes the size automatic, "width" and "height" (a number, "full" or
    // nothing) and "float".
    bool Load(const TiXmlElement* element) override;
    // The attributes every element takes: "class", "id", "crbg", "crtext", "font", "href",
    // "tip", "valign", "align", "pos", "transparent", "notify", and "tabstop" (nonzero: the
    // keyboard's Tab stops at the element; absent: as its control does by default).
    HRESULT SetAttribute(const std::string& name, const std::string& value, bool loading) override;

    // Sets the cursor that the style names.
    virtual void ApplyCursor();
    virtual void SetContainerWindow(HWND container);
    // The handle of the element under the point (left and top inclusive), else 0.
    virtual UINT HitTest(int x, int y);
    // Whether hover and press changes must repaint the element.
    virtual bool RedrawOnStateChange();
    // How the element looks under a high-contrast theme: unavailable when it or an ancestor is
    // disabled, highlighted under the pointer or pressed when its background shows that (a
    // hover colour, or a skin that draws by state), else normal.
    virtual ContrastLook GetContrastLook();
    virtual bool IsContainer() const { return false; }
    // Shows or hides the real window that the element stands for, as its visibility (its
    // ancestors' included) says; most elements stand for none.
    virtual void ShowRealWindow() {}
    // Whether Tab stops at the element when its document does not say: links and buttons.
    virtual bool TabStopByDefault() const { return false; }
    // What the element is to a screen reader: a ROLE_SYSTEM_ value of the accessibility
    // interfaces, 0 for elements that a person does not need told (images, lines, containers).
    virtual LONG AccessibleRole() const { return 0; }
    // What a screen reader reads for it: the text as drawn, without its "&" prefixes.
    virtual std::wstring AccessibleName() const;
    // Draws the background and the content when the rect touches the region (null: always);
    // false when it did not.
    virtual bool Redraw(HDC dc, HRGN region);
    // HandleMessage, the element's message dispatch, is defined by the message map below.

    UINT GetHandle() const { return m_handle; }
    UINT GetParentHandle() const { return m_parentHandle; }
    void SetParentHandle(UINT parent) { m_parentHandle = parent; }
    CBkWindow* GetParent() const;
    HWND GetContainerWindow() const { return m_containerWindow; }
    UINT GetCmdID() const { return m_id; }
    const RECT& GetRect() const { return m_rect; }
    const std::wstring& GetInnerText() const { return m_innerText; }
    const std::wstring& GetLinkUrl() const { return m_linkUrl; }
    const std::wstring& GetToolTipText() const { return m_toolTipText; }
    // The element's own text colour ("crtext"); none when the style's applies.
    COLORREF GetTextColor() const { return m_crText; }
    bool IsTransparent() const { return m_transparent != 0; }
    bool IsTabStop() const { return m_tabStop >= 0 ? m_tabStop != 0 : TabStopByDefault(); }
    // Whether a click on it does anything: it has an id for the owner or a link to open.
    bool TakesClicks() const { return m_id != 0 || !m_linkUrl.empty(); }
    bool IsFloating() const { return (m_layoutFlags & kFloating) != 0; }
    UINT GetLayoutFlags() const { return m_layoutFlags; }
    int GetPositionCount() const { return m_positionCount; }
    const PositionItem* GetPositionItems() const { return m_position; }
    DWORD GetState() const { return m_state; }
    // state = (state | add) & ~remove; returns the old state.
    DWORD ModifyState(DWORD add, DWORD remove);
    bool IsVisible(bool checkAncestors) const;
    bool IsDisabled(bool checkAncestors) const;
    // The style class that "class" names, or the default class.
    const BkStyle& GetStyle() const;

    // Replaces the text and, with an automatic size, measures again. Repainting is the
    // caller's.
    void SetText(const std::wstring& text);
    void SetPaintHook(IBkPaintHook* hook) { m_paintHook = hook; }
    // Asks the view to repaint a rectangle of this element.
    void NotifyInvalidate(const RECT& rect) const;
    // Tells the view, for its owner, of a WM_MOUSEMOVE or WM_MOUSELEAVE that the element's
    // "notify" bits ask for (bit 0 moves, bit 1 leaves).
    void NotifyMouseIfAsked(UINT message) const;

    // The background: the style's skin, else the element's or the style's colour (the hover
    // colour while hovered); under a high-contrast theme a colour is the role's face.
    void DrawBackground(HDC dc);
    // Selects the element's colours and font into the device context; under a high-contrast
    // theme the colours of the style's role, whatever the element's and the style's own say.
    void BeforePaint(HDC dc, BkPaintState& saved);
    void AfterPaint(HDC dc, const BkPaintState& saved);

    BK_BEGIN_MSG_MAP()
    MSG_WM_CREATE(OnCreate)
    MSG_WM_PAINT(OnPaint)
    MSG_WM_SHOWWINDOW(OnShowWindow)
    MSG_WM_WINDOWPOSCHANGED(OnWindowPosChanged)
    MSG_WM_NCCALCSIZE(OnNcCalcSize)
    BK_END_MSG_MAP()

protected:
    LRESULT OnCreate(LPCREATESTRUCTW) { return 1; }
    // Draws the inner text.
    void OnPaint(HDC dc);
    void OnShowWindow(BOOL show, int status);
    // Places the element at (x, y) in the space cx by cy.
    void OnWindowPosChanged(LPWINDOWPOS position);
    // The desired size: of a four-item box, else of the text with the style's margins.
    LRESULT OnNcCalcSize(BOOL constrain, LPARAM sizeRecord);

    // Whether the element, or with checkAncestors any ancestor, has the state bit.
    bool HasStateInChain(DWORD bit, bool checkAncestors) const;
    // The text measured as it would be painted, margins included.
    SIZE MeasureText(const RECT& rect) const;
    // Draws the inner text into the element's text rectangle (the text controls' painting).
    void DrawInnerText(HDC dc);
    // The font the element paints and measures with.
    HFONT ResolveFont(bool forMeasure) const;
    // The desired size for the given space (constrain: the space limits the text).
    SIZE QueryDesiredSize(bool constrain, SIZE space);

    UINT m_handle;
    UINT m_parentHandle = 0;
    HWND m_containerWindow = nullptr;
    UINT m_id = 0;
    RECT m_rect{};
    UINT m_layoutFlags = 0;
    std::wstring m_innerText;
    LONG m_fixedWidth = 0;
    LONG m_fixedHeight = 0;
    DWORD m_state = 0;
    UINT m_verticalAlign = 0;
    UINT m_horizontalAlign = 0;
    std::wstring m_linkUrl;
    int m_transparent = 0;
    std::wstring m_toolTipText;
    std::string m_className;
    COLORREF m_crBg = kNoColor;
    COLORREF m_crText = kNoColor;
    HFONT m_font = nullptr;
    // DrawText flags; 0 until the first paint copies the style's text mode.
    UINT m_textFormat = 0;
    int m_positionCount = 0;
    PositionItem m_position[4];
    IBkPaintHook* m_paintHook = nullptr;
    UINT m_notify = 0;
    // "tabstop": -1 until the document says.
    int m_tabStop = -1;
};

// Clears the element's handled flag, lets it handle the message and returns its result.
LRESULT SendElementMessage(CBkWindow* element, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
