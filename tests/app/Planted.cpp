// Planted beside the program under the name of a system library, or, built as a program, of a
// system program: when loaded or started it leaves a mark named after itself,
// "planted-<its file name>" in the Windows temporary folder, which the test of the program
// started from its download folder looks for.
#include <windows.h>

#include <cwchar>

namespace {

void LeaveMark(HMODULE module) {
    wchar_t path[MAX_PATH];
    if (::GetModuleFileNameW(module, path, MAX_PATH) == 0)
        return;
    const wchar_t* slash = std::wcsrchr(path, L'\\');
    wchar_t mark[MAX_PATH];
    const UINT length = ::GetWindowsDirectoryW(mark, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    std::swprintf(mark + length, MAX_PATH - length, L"\\temp\\planted-%ls",
                  slash != nullptr ? slash + 1 : path);
    const HANDLE file = ::CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
}

} // namespace

#ifdef PLANTED_PROGRAM
int wmain() {
    LeaveMark(nullptr);
    return 0;
}
#else
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        LeaveMark(instance);
    return TRUE;
}
#endif
