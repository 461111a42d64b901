#include "timeservice/RegStringRead.h"

namespace {

LONG ReadOnce(const RegValueRead& read, DWORD capacity, std::wstring& text) {
    std::wstring buffer(capacity, L'\0');
    DWORD bytes = capacity * sizeof(wchar_t);
    DWORD type = REG_NONE;
    const LONG result = read(reinterpret_cast<BYTE*>(&buffer[0]), &bytes, &type);
    if (result != ERROR_SUCCESS)
        return result;
    if ((type != REG_SZ && type != REG_EXPAND_SZ) || bytes % sizeof(wchar_t) != 0 ||
        bytes > capacity * sizeof(wchar_t))
        return ERROR_INVALID_DATA;
    const DWORD chars = bytes / sizeof(wchar_t);
    if (chars > 0 && buffer[chars - 1] != L'\0')
        return ERROR_INVALID_DATA;
    text.assign(buffer.c_str());
    return ERROR_SUCCESS;
}

} // namespace

LONG ReadRegString(const RegValueRead& read, std::wstring& out) {
    std::wstring text;
    LONG result = ReadOnce(read, kRegBufferChars, text);
    // Fixed steps rather than the size the failed read reported, which can change before the
    // next read; the first retry repeats the first size.
    for (DWORD step = 1; result == ERROR_MORE_DATA; ++step)
        result = ReadOnce(read, step * kRegBufferChars, text);
    if (result == ERROR_SUCCESS)
        out = std::move(text);
    return result;
}
