// Stands in for the Date and Time control panel applet, timedate.cpl, which Wine lacks: opened
// (CPL_DBLCLK), it writes the file that the tests of the whole program look for, so that they
// can tell the program opened the panel.
#include <windows.h>
#include <cpl.h>

extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND, UINT message, LPARAM, LPARAM info) {
    switch (message) {
    case CPL_INIT:
        return TRUE;
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE: {
        auto* applet = reinterpret_cast<CPLINFO*>(info);
        applet->idIcon = 0;
        applet->idName = 0;
        applet->idInfo = 0;
        applet->lData = 0;
        return 0;
    }
    case CPL_DBLCLK: {
        HANDLE opened = ::CreateFileW(L"C:\\windows\\temp\\timedate-opened", GENERIC_WRITE, 0,
                                      nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (opened != INVALID_HANDLE_VALUE)
            ::CloseHandle(opened);
        return 0;
    }
    default:
        return 0;
    }
}
