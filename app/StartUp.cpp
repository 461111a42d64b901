#include "app/StartUp.h"

#include "app/Globals.h"
#include "app/InstallRecord.h"
#include "app/MainDlg.h"
#include "app/SingleInstance.h"
#include "res/resource.h"
#include "toolkit/skins/BkImagePools.h"
#include "toolkit/skins/SkinListLoader.h"
#include "toolkit/styles/StyleSheetLoader.h"
#include "toolkit/resources/StringTableLoader.h"

#include <winsock2.h>
#include <commctrl.h>
#include <objbase.h>

#include <cwchar>

namespace {

// Fills the toolkit's registries once, before any window exists; a missing document leaves
// its table empty. The pools go first: skins hold references into them.
void LoadSkinResources() {
    BkPngPool::Instance().Clear();
    BkBmpPool::Instance().Clear();
    BkJpgPool::Instance().Clear();
    LoadSkins(IDR_SKIN_LIST);
    LoadStyles(IDR_STYLE_SHEET);
    LoadStringTable(IDR_STRING_TABLE);
}

int RunWindowMode() {
    CMainDlg mainWindow;
    // The window's end code: 2 when closed, 0 when it could not be made.
    const int endCode = static_cast<int>(mainWindow.DoModal(nullptr));
    // With the window gone, a new start may show its own while this one finishes.
    ReleaseSingleInstance();
    WaitForConfigurationThread(g_fixTimeThread);
    g_appModule.Term();
    ::WSACleanup();
    ::CoUninitialize();
    return endCode;
}

} // namespace

bool IsInstallRecordCommand(const wchar_t* commandLine) {
    return commandLine != nullptr && std::wcscmp(commandLine, L"/t") == 0;
}

void WaitForConfigurationThread(const WinMod::AWinRunnable& configurationThread) {
    HANDLE thread = configurationThread.GetThread();
    if (thread == nullptr)
        return;
    // Messages sent to this thread meanwhile (by a screen reader, or a broadcast) are answered.
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
}

int RunChronalign(HINSTANCE instance, const wchar_t* commandLine) {
    if (!CheckSingleInstance())
        return 0;
    LoadSkinResources();

    ::CoInitialize(nullptr);
    WSADATA wsaData;
    ::WSAStartup(MAKEWORD(2, 2), &wsaData);
    ::SetErrorMode(SEM_NOOPENFILEERRORBOX | SEM_NOALIGNMENTFAULTEXCEPT);
    // Before any window exists, so that user32 is fully set up for this thread.
    ::DefWindowProcW(nullptr, 0, 0, 0);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    g_appModule.Init(nullptr, instance);

    if (IsInstallRecordCommand(commandLine))
        return WriteInstallRecord(instance);
    return RunWindowMode();
}
