// Reads string values of a file's version resource, in the file's first translation.
#pragma once

#include <windows.h>

#include <memory>

class CGetFileVersion {
public:
    CGetFileVersion() = default;
    // The translation table points into the version block.
    CGetFileVersion(const CGetFileVersion&) = delete;
    CGetFileVersion& operator=(const CGetFileVersion&) = delete;
    virtual ~CGetFileVersion();

    // Both give the valid flag: true when the file has a version resource with a translation
    // table.
    bool OpenModule(HMODULE module);
    bool OpenFile(const wchar_t* path);

    bool IsValid() const { return m_valid; }
    // True when the value exists (and, given a buffer, was copied whole into it). The buffer is
    // cleared first and stays empty on failure.
    bool GetVersionString(const wchar_t* name, wchar_t* buffer, int capacity) const;

private:
    void Reset();
    bool LoadVersionBlock(const wchar_t* path);
    bool LoadTranslationTable();
    DWORD CurrentTranslation() const;

    VS_FIXEDFILEINFO m_fixedInfo{};
    std::unique_ptr<BYTE[]> m_versionBlock;
    // Language in the low 16 bits, code page in the high 16 bits.
    const DWORD* m_translations = nullptr;
    UINT m_translationIndex = 0;
    UINT m_translationCount = 0;
    bool m_valid = false;
};
