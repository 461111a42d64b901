#include "app/StartUp.h"

#include "app/Globals.h"
#include "app/SingleInstance.h"

#include <winsock2.h>
#include <commctrl.h>
#include <objbase.h>

#include <cwchar>

namespace {

// The install record arrives with the settings file; until then the mode writes nothing.
int WriteInstallRecord(HINSTANCE) {
    return 0;
}

// The main window arrives with the toolkit; until then the mode ends at once.
int RunMainWindow() {
    return 0;
}

int RunWindowMode() {
    const int endCode = RunMainWindow();
    g_appModule.Term();
    ::WSACleanup();
    ::CoUninitialize();
    return endCode;
}

} // namespace

bool IsInstallRecordCommand(const wchar_t* commandLine) {
    return commandLine != nullptr && std::wcscmp(commandLine, L"/t") == 0;
}

int RunChronalign(HINSTANCE instance, const wchar_t* commandLine) {
    if (!CheckSingleInstance())
        return 0;

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
