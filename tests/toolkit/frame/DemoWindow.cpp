// Opens a window that shows every control of the toolkit in the program's look, and reports in
// its status line what the view notifies. Chronalign.exe must sit beside it.
#include "platform/GdiplusSession.h"
#include "tests/fixtures/ProgramResources.h"
#include "toolkit/frame/BkDialogImpl.h"
#include "toolkit/styles/BkFontPool.h"
#include "toolkit/frame/RoundRectFrameHelper.h"
#include "toolkit/styles/StyleSheetLoader.h"

#include "ToolkitTestResources.h"

#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

namespace {

class DemoFrame : public CBkDialogImpl<DemoFrame> {
public:
    DemoFrame() : CBkDialogImpl(IDR_DEMO_LAYOUT) {}

    BEGIN_MSG_MAP(DemoFrame)
    NOTIFY_ID_HANDLER(kBkViewControlId, OnViewNotify)
    CHAIN_MSG_MAP(CBkDialogImpl<DemoFrame>)
    CHAIN_MSG_MAP_MEMBER(m_roundFrame)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    END_MSG_MAP()

private:
    LRESULT OnViewNotify(int, LPNMHDR header, BOOL& handled) {
        const auto* notice = reinterpret_cast<const BkNmHeader*>(header);
        std::wstring status;
        if (header->code == kBkNmClick) {
            const char* tag = reinterpret_cast<const BkNmCommand*>(header)->szItemClass;
            status = L"Click on " + std::to_wstring(notice->uItemID) + L" (" +
                     std::wstring(tag, tag + std::char_traits<char>::length(tag)) + L")";
            if (notice->uItemID == 2 || notice->uItemID == 60001)
                EndModal(2);
            else if (notice->uItemID == 60003)
                ::SendMessageW(m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        } else if (header->code == kBkNmTabSelect) {
            const auto* select = reinterpret_cast<const BkNmTabSelect*>(header);
            status = L"Tab " + std::to_wstring(select->nTabItemIDOld) + L" to " +
                     std::to_wstring(select->nTabItemIDNew);
        } else {
            handled = FALSE;
            return 0;
        }
        m_view.SetElementText(140, status);
        return 0;
    }

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&) {
        // A real window for the "realwnd" element, made on its rectangle: the element moves it
        // when it moves.
        const RECT place = m_view.FindElementById(131)->GetRect();
        HWND edit = ::CreateWindowExW(
            WS_EX_CLIENTEDGE, L"EDIT", L"An edit control", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
            place.left, place.top, place.right - place.left, place.bottom - place.top, m_view,
            reinterpret_cast<HMENU>(131), ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(edit, WM_SETFONT,
                       reinterpret_cast<WPARAM>(BkFontPool::Instance().GetFont(0)), FALSE);
        // An image made in memory for the "memimage" element.
        EnsureGdiplusStarted();
        m_memoryImage = std::make_unique<Gdiplus::Bitmap>(240, 80, PixelFormat32bppARGB);
        {
            Gdiplus::Graphics graphics(m_memoryImage.get());
            Gdiplus::LinearGradientBrush gradient(Gdiplus::Point(0, 0), Gdiplus::Point(240, 0),
                                                  Gdiplus::Color(255, 0x2A, 0x77, 0xB2),
                                                  Gdiplus::Color(255, 0x8F, 0xC1, 0xE6));
            graphics.FillRectangle(&gradient, 0, 0, 240, 80);
        }
        m_view.SetElementAttribute(122, "mempointer",
                                   std::to_string(reinterpret_cast<uintptr_t>(
                                       static_cast<Gdiplus::Image*>(m_memoryImage.get()))));
        m_view.StackSections();
        return 0;
    }

    CWHRoundRectFrameHelper<DemoFrame> m_roundFrame;
    std::unique_ptr<Gdiplus::Bitmap> m_memoryImage;
};

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    if (UseProgramResources(false) == nullptr) {
        ::MessageBoxW(nullptr, L"Chronalign.exe must sit beside this program.", L"Demo",
                      MB_ICONERROR);
        return 1;
    }
    LoadStyles(IDR_DEMO_STYLES);
    DemoFrame demo;
    return static_cast<int>(demo.DoModal());
}
