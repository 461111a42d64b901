#include "platform/SystemFolder.h"

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Present from Windows 8, and on Windows 7 with KB2533623, which also taught LoadLibraryEx the
// LOAD_LIBRARY_SEARCH_* flags: its presence says whether they may be used.
SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() {
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
}

} // namespace

void RestrictLibrarySearch() {
    if (const auto setDefaultDirectories = FindSetDefaultDllDirectories())
        setDefaultDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    else
        ::SetDllDirectoryW(L"");
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH];
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::wstring(folder, length);
}

std::wstring SystemFolderPath(const wchar_t* fileName) {
    std::wstring path = SystemFolder();
    if (path.empty())
        return {};
    if (path.back() != L'\\')
        path += L'\\';
    return path + fileName;
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    if (FindSetDefaultDllDirectories() != nullptr)
        return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // By its full path; the altered search looks for its imports in its own folder first.
    const std::wstring path = SystemFolderPath(name);
    return path.empty() ? nullptr
                        : ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
