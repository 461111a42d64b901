#include "toolkit/resources/ResourceFetch.h"

#include "platform/ScopedHandle.h"

bool FetchFromModule(HMODULE module, WORD id, LPCWSTR type, std::string& bytes) {
    bytes.clear();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), type);
    if (found == nullptr)
        return false;
    const DWORD size = ::SizeofResource(module, found);
    if (size == 0)
        return false;
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded != nullptr ? ::LockResource(loaded) : nullptr;
    if (data != nullptr)
        bytes.assign(static_cast<const char*>(data), size);
    // A no-op on 32-bit Windows and later, kept for the pairing.
    if (loaded != nullptr)
        ::FreeResource(loaded);
    return !bytes.empty();
}

bool FetchFromDirectory(const std::wstring& directory, WORD id, LPCWSTR type, std::string& bytes) {
    bytes.clear();
    // A numbered type has no file name.
    if (IS_INTRESOURCE(type))
        return false;
    const std::wstring path = directory + L"\\" + std::to_wstring(id) + L"." + type;

    ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.IsValid() || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 ||
        size.QuadPart > MAXDWORD || static_cast<ULONGLONG>(size.QuadPart) > bytes.max_size())
        return false;

    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!::ReadFile(file.Get(), &content[0], static_cast<DWORD>(content.size()), &read, nullptr) ||
        read != content.size())
        return false;
    bytes.swap(content);
    return true;
}

bool FetchFromStream(IStream* stream, std::string& bytes) {
    bytes.clear();
    if (stream == nullptr)
        return false;
    std::string content;
    char chunk[4096];
    for (;;) {
        ULONG read = 0;
        const HRESULT result = stream->Read(chunk, sizeof chunk, &read);
        if (FAILED(result))
            return false;
        content.append(chunk, read);
        if (result == S_FALSE || read == 0)
            break;
    }
    bytes.swap(content);
    return !bytes.empty();
}
