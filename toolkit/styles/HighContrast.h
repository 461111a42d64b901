// Windows' high-contrast themes. People with low vision turn one on, and every part of Windows
// then draws in the theme's few system colours; so do the toolkit's windows. Style classes and
// skins name the role they play ("hcrole"), and the role gives the pair of colours they take
// under the theme: a face for what is filled and an ink for text and marks.
#pragma once

#include <windows.h>

#include <functional>

enum class ContrastRole : unsigned char {
    kUnset,   // as the window's own texts and background
    kWindow,  // COLOR_WINDOW, COLOR_WINDOWTEXT
    kCaption, // COLOR_ACTIVECAPTION, COLOR_CAPTIONTEXT; the inactive pair in an inactive window
    kButton,  // COLOR_BTNFACE, COLOR_BTNTEXT
    kLink,    // COLOR_WINDOW, COLOR_HOTLIGHT
};

// How something looks in its role: as it is; under the pointer, pressed or with the keyboard
// focus (COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT); unavailable (its ink COLOR_GRAYTEXT).
enum class ContrastLook : unsigned char { kNormal, kHighlighted, kUnavailable };

struct ContrastColors {
    COLORREF face;
    COLORREF ink;
};

// What the system says of the theme: whether one is on, and its colours by GetSysColor index.
struct ContrastTheme {
    bool on = false;
    COLORREF colors[COLOR_MENUBAR + 1] = {};
};

// "window", "caption", "button" or "link"; false, the role untouched, for anything else. Free
// of platform state, as is the next.
bool ParseContrastRole(const char* text, ContrastRole& role);
// The colours of a role in that theme; `active`: whether the window is the active one.
ContrastColors RoleColors(const ContrastTheme& theme, ContrastRole role, ContrastLook look,
                          bool active);

// The process's view of the theme, read on first use and again by RefreshHighContrast.
bool IsHighContrast();
// The theme's colour of that GetSysColor index.
COLORREF ContrastColor(int index);
// The colours of a role in the current theme, for the window at work on this thread.
ContrastColors RoleColors(ContrastRole role, ContrastLook look);
// Reads the setting and the colours again, when Windows says that they may have changed.
void RefreshHighContrast();

// Where the theme is read from: the system (SystemParametersInfoW with SPI_GETHIGHCONTRAST, and
// GetSysColor), unless a test answers in its place; an empty function puts the system back.
void SetContrastThemeReader(std::function<void(ContrastTheme&)> reader);

// Whether the window at work on this thread is the active one: a view says so while it paints,
// so that its title bar takes the active or the inactive pair. Active outside any scope.
class CaptionActiveScope {
public:
    explicit CaptionActiveScope(bool active);
    CaptionActiveScope(const CaptionActiveScope&) = delete;
    CaptionActiveScope& operator=(const CaptionActiveScope&) = delete;
    ~CaptionActiveScope();

private:
    bool m_previous;
};
