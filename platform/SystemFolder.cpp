#include "platform/SystemFolder.h"

SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() {
    return reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
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
    // Its presence says whether LoadLibraryEx knows the flag.
    if (FindSetDefaultDllDirectories() != nullptr)
        return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return LoadSystemLibraryByPath(name);
}

HMODULE LoadSystemLibraryByPath(const wchar_t* name) {
    // The altered search looks for its imports in its own folder first.
    const std::wstring path = SystemFolderPath(name);
    return path.empty() ? nullptr
                        : ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
