// Stands in for a system program that the installer runs: appends its command line, as a line
// of UTF-8, to the file of its own path and ".log", and ends with the code given in
// CHRONALIGN_RECORDER_EXIT, 0 without it.
#include <windows.h>

#include <string>

int wmain() {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring log = std::wstring(path, length) + L".log";

    const wchar_t* commandLine = ::GetCommandLineW();
    const int size =
        ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, nullptr, 0, nullptr, nullptr);
    std::string line(size, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, commandLine, -1, line.data(), size, nullptr, nullptr);
    line.back() = '\n';

    const HANDLE file = ::CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);

    wchar_t code[16];
    return ::GetEnvironmentVariableW(L"CHRONALIGN_RECORDER_EXIT", code, 16) != 0 ? _wtoi(code)
                                                                                 : 0;
}
