// Finds the raw bytes of the toolkit's resources: documents ("xml") and images ("png", "jpg").
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>
#include <vector>

// Supplies resources as streams ahead of every other source.
class IBkResourceProvider {
public:
    virtual ~IBkResourceProvider() = default;
    // Each returns a stream the caller releases, or null when it has no such resource. Only
    // the first lookup is consulted when every source is asked.
    virtual IStream* OpenResource(LPCWSTR type, WORD id) = 0;
    virtual IStream* OpenFallbackResource(LPCWSTR type, WORD id) = 0;
};

// Process-wide, created on first use and never destroyed. Its optional sources (a provider, an
// override directory, a resource module) are empty in the product; the image the toolkit is
// linked into always answers last.
class BkResource {
public:
    static BkResource& Instance();

    // Not owned; null removes it.
    void SetProvider(IBkResourceProvider* provider) { m_provider = provider; }
    // Files named "<id>.<type>"; empty removes it.
    void SetOverrideDirectory(const std::wstring& directory) { m_directory = directory; }
    // Not owned; null removes it.
    void SetResourceModule(HMODULE module) { m_module = module; }

    // The bytes from the first source that has the resource. Type names match without regard
    // to case. c_str() hands the bytes to a parser as text.
    bool LoadData(WORD id, LPCWSTR type, std::string& bytes) const;
    // The bytes from every source that has it, in source order; true when there is any.
    bool LoadDataAll(WORD id, LPCWSTR type, std::vector<std::string>& all) const;
    // A bitmap from the first source that has it: the provider's stream (type "bmp"), the file
    // "<id>.bmp", the resource module, the image itself. The caller owns it; null when none.
    HBITMAP LoadBitmap(WORD id) const;

private:
    BkResource() = default;

    IBkResourceProvider* m_provider = nullptr;
    std::wstring m_directory;
    HMODULE m_module = nullptr;
};

bool LoadResourceData(WORD id, LPCWSTR type, std::string& bytes);
bool LoadResourceDataAll(WORD id, LPCWSTR type, std::vector<std::string>& all);
