#include "toolkit/resources/BkString.h"

#include <map>

namespace {

std::map<int, std::wstring>& Table() {
    // Never destroyed: texts handed out stay valid while the process ends.
    static auto* const table = new std::map<int, std::wstring>;
    return *table;
}

void ReplaceAll(std::wstring& text, const wchar_t* sequence, wchar_t replacement) {
    for (std::size_t at = text.find(sequence); at != std::wstring::npos;
         at = text.find(sequence, at + 1))
        text.replace(at, 2, 1, replacement);
}

} // namespace

const wchar_t* BkString::Get(int id) {
    const auto found = Table().find(id);
    return found == Table().end() ? nullptr : found->second.c_str();
}

const wchar_t* BkString::GetEscaped(int id) {
    const auto found = Table().find(id);
    if (found == Table().end())
        return nullptr;
    std::wstring& text = found->second;
    ReplaceAll(text, L"\\r", L'\r');
    ReplaceAll(text, L"\\n", L'\n');
    return text.c_str();
}

void BkString::Set(int id, std::wstring text) {
    Table()[id] = std::move(text);
}
