#include "toolkit/controls/ButtonMark.h"

#include "platform/ScopedLibrary.h"
#include "toolkit/skins/ElementState.h"

namespace {

// The theme class "BUTTON"'s parts and states: 1 to 4 unchecked normal, hot, pressed and
// disabled, 5 to 8 the same checked.
constexpr int kRadioPart = 2;
constexpr int kCheckBoxPart = 3;

int ThemeState(DWORD state) {
    int index = 1;
    if (state & kStateDisabled)
        index = 4;
    else if (state & kStatePushed)
        index = 3;
    else if (state & kStateHover)
        index = 2;
    return (state & kStateChecked) ? index + 4 : index;
}

bool DrawThemed(HWND window, HDC dc, const RECT& box, int part, int state) {
    using OpenThemeDataFunction = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using DrawThemeBackgroundFunction =
        HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    using CloseThemeDataFunction = HRESULT(WINAPI*)(HANDLE);
    const ScopedLibrary uxtheme(L"uxtheme.dll");
    const auto open = uxtheme.Find<OpenThemeDataFunction>("OpenThemeData");
    const auto draw = uxtheme.Find<DrawThemeBackgroundFunction>("DrawThemeBackground");
    const auto close = uxtheme.Find<CloseThemeDataFunction>("CloseThemeData");
    if (open == nullptr || draw == nullptr || close == nullptr)
        return false;
    // Null while no theme is active.
    HANDLE theme = open(window, L"BUTTON");
    if (theme == nullptr)
        return false;
    const bool drawn = SUCCEEDED(draw(theme, dc, part, state, &box, nullptr));
    close(theme);
    return drawn;
}

UINT FrameControlState(ButtonMark mark, DWORD state) {
    UINT flags =
        (mark == ButtonMark::kRadio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | DFCS_TRANSPARENT;
    if (state & kStateDisabled)
        flags |= DFCS_INACTIVE;
    if (state & kStateHover)
        flags |= DFCS_HOT;
    if (state & kStatePushed)
        flags |= DFCS_PUSHED;
    if (state & kStateChecked)
        flags |= DFCS_CHECKED;
    return flags;
}

} // namespace

void DrawButtonMark(HWND window, HDC dc, const RECT& box, ButtonMark mark, DWORD state) {
    const int part = mark == ButtonMark::kRadio ? kRadioPart : kCheckBoxPart;
    if (DrawThemed(window, dc, box, part, ThemeState(state)))
        return;
    RECT frame = box;
    ::DrawFrameControl(dc, &frame, DFC_BUTTON, FrameControlState(mark, state));
}
