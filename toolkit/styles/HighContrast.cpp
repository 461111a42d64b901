#include "toolkit/styles/HighContrast.h"

#include <cstring>
#include <iterator>
#include <utility>

namespace {

void ReadSystemTheme(ContrastTheme& theme) {
    HIGHCONTRASTW setting{};
    setting.cbSize = sizeof setting;
    theme.on = ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
               (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
    for (int index = 0; index < static_cast<int>(std::size(theme.colors)); ++index)
        theme.colors[index] = ::GetSysColor(index);
}

struct ContrastState {
    std::function<void(ContrastTheme&)> reader = ReadSystemTheme;
    ContrastTheme theme;
    bool read = false;
};

// Touched by the windows' thread only, as the toolkit's other registries.
ContrastState& State() {
    static ContrastState* const state = new ContrastState;
    return *state;
}

const ContrastTheme& Theme() {
    ContrastState& state = State();
    if (!state.read) {
        state.reader(state.theme);
        state.read = true;
    }
    return state.theme;
}

thread_local bool t_captionActive = true;

} // namespace

bool ParseContrastRole(const char* text, ContrastRole& role) {
    static const struct {
        const char* name;
        ContrastRole role;
    } kRoles[] = {{"window", ContrastRole::kWindow},
                  {"caption", ContrastRole::kCaption},
                  {"button", ContrastRole::kButton},
                  {"link", ContrastRole::kLink}};
    for (const auto& known : kRoles) {
        if (std::strcmp(text, known.name) == 0) {
            role = known.role;
            return true;
        }
    }
    return false;
}

ContrastColors RoleColors(const ContrastTheme& theme, ContrastRole role, ContrastLook look,
                          bool active) {
    const COLORREF* color = theme.colors;
    if (look == ContrastLook::kHighlighted)
        return {color[COLOR_HIGHLIGHT], color[COLOR_HIGHLIGHTTEXT]};
    ContrastColors colors{color[COLOR_WINDOW], color[COLOR_WINDOWTEXT]};
    switch (role) {
    case ContrastRole::kCaption:
        colors =
            active ? ContrastColors{color[COLOR_ACTIVECAPTION], color[COLOR_CAPTIONTEXT]}
                   : ContrastColors{color[COLOR_INACTIVECAPTION], color[COLOR_INACTIVECAPTIONTEXT]};
        break;
    case ContrastRole::kButton:
        colors = {color[COLOR_BTNFACE], color[COLOR_BTNTEXT]};
        break;
    case ContrastRole::kLink:
        colors.ink = color[COLOR_HOTLIGHT];
        break;
    default:
        break;
    }
    if (look == ContrastLook::kUnavailable)
        colors.ink = color[COLOR_GRAYTEXT];
    return colors;
}

bool IsHighContrast() {
    return Theme().on;
}

COLORREF ContrastColor(int index) {
    const ContrastTheme& theme = Theme();
    return index >= 0 && index < static_cast<int>(std::size(theme.colors)) ? theme.colors[index]
                                                                           : CLR_INVALID;
}

ContrastColors RoleColors(ContrastRole role, ContrastLook look) {
    return RoleColors(Theme(), role, look, t_captionActive);
}

void RefreshHighContrast() {
    ContrastState& state = State();
    state.reader(state.theme);
    state.read = true;
}

void SetContrastThemeReader(std::function<void(ContrastTheme&)> reader) {
    ContrastState& state = State();
    state.reader = reader ? std::move(reader) : ReadSystemTheme;
    state.read = false;
}

CaptionActiveScope::CaptionActiveScope(bool active) : m_previous(t_captionActive) {
    t_captionActive = active;
}

CaptionActiveScope::~CaptionActiveScope() {
    t_captionActive = m_previous;
}
