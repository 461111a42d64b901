#include "timeservice/RegMuiString.h"

#include "platform/SystemFolder.h"
#include "timeservice/RegStringRead.h"

LONG LoadMuiString(HKEY key, const wchar_t* name, std::wstring& out) {
    const std::wstring folder = SystemFolder();
    // Without the folder the file would be looked for in the current directory.
    if (folder.empty())
        return ERROR_PATH_NOT_FOUND;
    std::wstring text(kRegBufferChars, L'\0');
    const LONG result = ::RegLoadMUIStringW(key, name, &text[0], kRegBufferChars * sizeof(wchar_t),
                                            nullptr, 0, folder.c_str());
    if (result == ERROR_SUCCESS)
        out.assign(text.c_str());
    return result;
}
