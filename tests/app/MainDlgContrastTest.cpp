// The main window under Windows' high-contrast themes, given by their system colours: every
// pixel in the theme's colours, the link in the hot-light colour, the focus cue seen, and a
// change of theme followed while the window is open. With CHRONALIGN_CONTRAST_PICTURES set to
// a folder, the pictures drawn are saved there.
#include "MainDlgFixture.h"
#include "tests/fixtures/DibCanvas.h"
#include "tests/fixtures/ProgramResources.h"
#include "toolkit/resources/BkResource.h"
#include "toolkit/styles/HighContrast.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// The system colours that the window takes, by GetSysColor index, in the order of Theme::colors.
constexpr int kRoles[] = {COLOR_WINDOW,      COLOR_WINDOWTEXT,      COLOR_HOTLIGHT,
                          COLOR_GRAYTEXT,    COLOR_HIGHLIGHT,       COLOR_HIGHLIGHTTEXT,
                          COLOR_BTNFACE,     COLOR_BTNTEXT,         COLOR_ACTIVECAPTION,
                          COLOR_CAPTIONTEXT, COLOR_INACTIVECAPTION, COLOR_INACTIVECAPTIONTEXT,
                          COLOR_WINDOWFRAME};

struct Theme {
    const wchar_t* name;
    COLORREF colors[std::size(kRoles)]; // as RGB(...) writes them: 0x00BBGGRR
};

// "High Contrast Black" and "High Contrast White" as Windows gives them.
const Theme kThemes[] = {
    {L"black",
     {0x000000, 0xFFFFFF, 0x00FFFF, 0x3FF23F, 0xFFEB1A, 0x000000, 0x000000, 0xFFFFFF, 0x000000,
      0xFFFFFF, 0x000000, 0x3FF23F, 0xFFFFFF}},
    {L"white",
     {0xFFFFFF, 0x000000, 0x9F0000, 0x000060, 0x6E0037, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x6E0037,
      0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000}},
};

ContrastTheme Answer(const Theme& theme) {
    ContrastTheme answer;
    answer.on = true;
    for (COLORREF& color : answer.colors)
        color = theme.colors[0];
    for (size_t i = 0; i < std::size(kRoles); ++i)
        answer.colors[kRoles[i]] = theme.colors[i];
    return answer;
}

// Whether the colour lies on the line between two of the theme's colours, as anti-aliasing
// blends them (a pixel covered partly by one, partly by the other), within rounding.
bool IsThemeBlend(COLORREF pixel, const std::set<COLORREF>& palette) {
    const auto channels = [](COLORREF c) {
        return std::array<double, 3>{double(GetRValue(c)), double(GetGValue(c)),
                                     double(GetBValue(c))};
    };
    const auto p = channels(pixel);
    for (COLORREF first : palette) {
        for (COLORREF second : palette) {
            const auto a = channels(first), b = channels(second);
            double along = 0, length = 0;
            for (int c = 0; c < 3; ++c) {
                along += (p[c] - a[c]) * (b[c] - a[c]);
                length += (b[c] - a[c]) * (b[c] - a[c]);
            }
            const double t = length == 0 ? 0 : std::fmin(1, std::fmax(0, along / length));
            bool onLine = true;
            for (int c = 0; c < 3; ++c)
                onLine = onLine && std::fabs(a[c] + t * (b[c] - a[c]) - p[c]) <= 3;
            if (onLine)
                return true;
        }
    }
    return false;
}

class MainDlgContrastTest : public MainDlgTest {
protected:
    // The program's own skins, pictures and styles.
    static void SetUpTestSuite() {
        MainDlgTest::SetUpTestSuite();
        ASSERT_NE(UseProgramResources(), nullptr);
    }
    static void TearDownTestSuite() { BkResource::Instance().SetResourceModule(nullptr); }

    void TearDown() override {
        SetContrastThemeReader(nullptr);
        RefreshHighContrast();
    }

    static void Use(const ContrastTheme& theme) {
        SetContrastThemeReader([theme](ContrastTheme& read) { read = theme; });
    }

    // The view as it paints now.
    static void Print(HWND view, DibCanvas& canvas) {
        ::SendMessageW(view, WM_PRINT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
    }

    // The colours of the canvas that are no blend of two of the theme's colours.
    static std::set<COLORREF> Strays(const DibCanvas& canvas, const ContrastTheme& theme) {
        const std::set<COLORREF> palette(std::begin(theme.colors), std::end(theme.colors));
        std::set<COLORREF> seen, strays;
        for (int y = 0; y < canvas.Height(); ++y) {
            for (int x = 0; x < canvas.Width(); ++x) {
                const COLORREF pixel = canvas.Pixel(x, y);
                if (seen.insert(pixel).second && !IsThemeBlend(pixel, palette))
                    strays.insert(pixel);
            }
        }
        return strays;
    }

    static int CountInRect(const DibCanvas& canvas, const RECT& rect, COLORREF color) {
        int count = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                count += canvas.Pixel(x, y) == color ? 1 : 0;
        return count;
    }

    static void Save(const DibCanvas& canvas, const std::wstring& name) {
        const char* folder = std::getenv("CHRONALIGN_CONTRAST_PICTURES");
        if (folder == nullptr)
            return;
        const std::wstring path =
            std::wstring(folder, folder + std::strlen(folder)) + L"\\" + name + L".png";
        EXPECT_TRUE(canvas.SavePng(path.c_str()))
            << "could not save " << std::string(path.begin(), path.end());
    }

    const RECT& Rect(UINT id) { return dialog.GetView().FindElementById(id)->GetRect(); }
};

TEST_F(MainDlgContrastTest, DrawsEveryStateInTheThemesColoursOnly) {
    WhileOpen(dialog, [&](HWND view) {
        for (const Theme& theme : kThemes) {
            SCOPED_TRACE(std::string(theme.name, theme.name + std::wcslen(theme.name)));
            const ContrastTheme answer = Answer(theme);
            Use(answer);
            ::SendMessageW(::GetParent(view), WM_SYSCOLORCHANGE, 0, 0);
            struct State {
                const wchar_t* name;
                HRESULT result;
                bool focusCue;
            };
            for (const State& state :
                 {State{L"waiting", E_FAIL, false}, State{L"running", S_OK, false},
                  State{L"failed", S_FALSE, false}, State{L"focus", S_OK, true}}) {
                SCOPED_TRACE(std::string(state.name, state.name + std::wcslen(state.name)));
                server.result = state.result;
                server.serverUtc = Utc(2026, 12, 8, 9, 30, 5);
                // As the window opens: "Update Now" unavailable until a server time comes.
                dialog.GetView().EnableElement(kElementUpdateNow, FALSE);
                dialog.RefreshTimeLabels();
                dialog.GetView().SetFocusElement(nullptr);
                if (state.focusCue) {
                    // Tab, Tab: past the link to "Update Now", with the keyboard's focus cue.
                    ::SetFocus(view);
                    ::SendMessageW(view, WM_KEYDOWN, VK_TAB, 0);
                    ::SendMessageW(view, WM_KEYDOWN, VK_TAB, 0);
                }
                DibCanvas canvas(490, 500);
                Print(view, canvas);
                Save(canvas, std::wstring(L"high-contrast-") + theme.name + L"-" + state.name);

                const std::set<COLORREF> strays = Strays(canvas, answer);
                EXPECT_TRUE(strays.empty()) << std::hex << ::testing::PrintToString(strays);
                EXPECT_GT(CountInRect(canvas, Rect(kElementChangeTimeZone),
                                      answer.colors[COLOR_HOTLIGHT]),
                          0);
                // The sync mark above the caption, in the button's ink or, unavailable, grey.
                const RECT& button = Rect(kElementUpdateNow);
                const COLORREF mark =
                    answer.colors[state.result == S_OK ? COLOR_BTNTEXT : COLOR_GRAYTEXT];
                EXPECT_GT(CountInRect(canvas,
                                      RECT{button.left + 40, button.top + 30, button.right - 40,
                                           button.top + 75},
                                      mark),
                          30);
                // The cue stands 3 pixels off the button, where nothing else is highlighted.
                RECT ring = Rect(kElementUpdateNow);
                ::InflateRect(&ring, 5, 5);
                const COLORREF highlight = answer.colors[COLOR_HIGHLIGHT];
                const int cue = CountInRect(canvas, ring, highlight) -
                                CountInRect(canvas, Rect(kElementUpdateNow), highlight);
                if (state.focusCue)
                    EXPECT_GT(cue, 50);
                else
                    EXPECT_EQ(cue, 0);
            }
        }
    });
}

// Turned on, changed and turned off while the window is open, by each of the messages that
// Windows sends for that.
TEST_F(MainDlgContrastTest, FollowsAChangeOfThemeAtOnce) {
    ContrastTheme off;
    Use(off);
    RefreshHighContrast();
    WhileOpen(dialog, [&](HWND view) {
        HWND frame = ::GetParent(view);
        // A point of the body away from texts and pictures, and one of the title bar's.
        const POINT body{460, 480}, title{300, 4};
        struct Step {
            ContrastTheme theme;
            UINT message;
            WPARAM wParam;
        };
        const Step steps[] = {{Answer(kThemes[0]), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST},
                              {Answer(kThemes[1]), WM_SYSCOLORCHANGE, 0},
                              {off, WM_THEMECHANGED, 0}};
        DibCanvas before(490, 500);
        Print(view, before);
        for (const Step& step : steps) {
            Use(step.theme);
            ::ValidateRect(view, nullptr);
            ::SendMessageW(frame, step.message, step.wParam, 0);
            EXPECT_TRUE(::GetUpdateRect(view, nullptr, FALSE)) << "no repaint asked for";
            DibCanvas canvas(490, 500);
            Print(view, canvas);
            if (step.theme.on) {
                EXPECT_EQ(canvas.Pixel(body.x, body.y), step.theme.colors[COLOR_WINDOW]);
                EXPECT_TRUE(
                    canvas.Pixel(title.x, title.y) == step.theme.colors[COLOR_ACTIVECAPTION] ||
                    canvas.Pixel(title.x, title.y) == step.theme.colors[COLOR_INACTIVECAPTION]);
                EXPECT_TRUE(Strays(canvas, step.theme).empty());
            } else {
                // As it was before any theme.
                EXPECT_EQ(canvas.Pixel(body.x, body.y), before.Pixel(body.x, body.y));
                EXPECT_EQ(canvas.Pixel(title.x, title.y), before.Pixel(title.x, title.y));
            }
        }
    });
}

} // namespace
