#include "app/GetFileVersion.h"

#include "app/ModulePath.h"
#include "platform/SystemFolder.h"

#include <cstring>
#include <cwchar>
#include <iterator>

namespace {

constexpr DWORD kFixedInfoSignature = 0xFEEF04BD;

// version.dll is not among the libraries that Windows always takes from the system folder, so it
// is loaded from there rather than imported.
struct VersionFunctions {
    using InfoSize = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using Info = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryValue = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

    InfoSize infoSize = FindSystemFunction<InfoSize>(kLibrary, "GetFileVersionInfoSizeW");
    Info info = FindSystemFunction<Info>(kLibrary, "GetFileVersionInfoW");
    QueryValue queryValue = FindSystemFunction<QueryValue>(kLibrary, "VerQueryValueW");

    static constexpr const wchar_t* kLibrary = L"version.dll";
};

const VersionFunctions& Version() {
    static const VersionFunctions functions;
    return functions;
}

// A value of the version block; false when it or the library is missing.
bool QueryVersionValue(const BYTE* block, const wchar_t* query, void** found, UINT* length) {
    const auto queryValue = Version().queryValue;
    return queryValue != nullptr && queryValue(block, query, found, length) && *found != nullptr;
}

} // namespace

CGetFileVersion::~CGetFileVersion() = default;

bool CGetFileVersion::OpenModule(HMODULE module) {
    if (module == nullptr)
        return false;
    const std::wstring path = ModuleFilePath(module);
    if (path.empty())
        return false;
    return OpenFile(path.c_str());
}

bool CGetFileVersion::OpenFile(const wchar_t* path) {
    if (path == nullptr)
        return false;
    Reset();
    if (!LoadVersionBlock(path) || !LoadTranslationTable())
        Reset();
    return m_valid;
}

bool CGetFileVersion::GetVersionString(const wchar_t* name, wchar_t* buffer, int capacity) const {
    if (!m_valid || name == nullptr || (buffer != nullptr && capacity <= 0))
        return false;
    if (buffer != nullptr)
        buffer[0] = L'\0';

    const DWORD translation = CurrentTranslation();
    wchar_t query[256];
    const int queryLength =
        std::swprintf(query, std::size(query), L"\\StringFileInfo\\%04X%04X\\%ls",
                      LOWORD(translation), HIWORD(translation), name);
    if (queryLength < 0)
        return false;

    void* found = nullptr;
    UINT foundLength = 0;
    if (!QueryVersionValue(m_versionBlock.get(), query, &found, &foundLength))
        return false;
    if (buffer == nullptr)
        return true;

    // The reported length may or may not count the terminator.
    const wchar_t* value = static_cast<const wchar_t*>(found);
    const std::size_t length = wcsnlen(value, foundLength);
    if (length >= static_cast<std::size_t>(capacity))
        return false;
    std::wmemcpy(buffer, value, length);
    buffer[length] = L'\0';
    return true;
}

void CGetFileVersion::Reset() {
    m_fixedInfo = VS_FIXEDFILEINFO{};
    m_versionBlock.reset();
    m_translations = nullptr;
    m_translationIndex = 0;
    m_translationCount = 0;
    m_valid = false;
}

bool CGetFileVersion::LoadVersionBlock(const wchar_t* path) {
    const VersionFunctions& version = Version();
    if (version.infoSize == nullptr || version.info == nullptr)
        return false;
    const DWORD size = version.infoSize(path, nullptr);
    if (size == 0)
        return false;
    m_versionBlock.reset(new BYTE[size]);
    if (!version.info(path, 0, size, m_versionBlock.get()))
        return false;

    void* root = nullptr;
    UINT rootLength = 0;
    if (!QueryVersionValue(m_versionBlock.get(), L"\\", &root, &rootLength) ||
        rootLength < sizeof m_fixedInfo)
        return false;
    std::memcpy(&m_fixedInfo, root, sizeof m_fixedInfo);
    m_valid = m_fixedInfo.dwSignature == kFixedInfoSignature;
    return m_valid;
}

bool CGetFileVersion::LoadTranslationTable() {
    if (!m_valid)
        return false;
    void* table = nullptr;
    UINT tableLength = 0;
    if (!QueryVersionValue(m_versionBlock.get(), L"\\VarFileInfo\\Translation", &table,
                           &tableLength))
        return false;
    m_translations = static_cast<const DWORD*>(table);
    m_translationCount = tableLength / sizeof(DWORD);
    return true;
}

DWORD CGetFileVersion::CurrentTranslation() const {
    return m_translationIndex < m_translationCount ? m_translations[m_translationIndex] : 0;
}
