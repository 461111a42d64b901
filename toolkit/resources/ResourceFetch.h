// Reading the raw bytes of one resource from one kind of source.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <string>

// Each leaves bytes empty on failure; an empty resource counts as missing.
bool FetchFromModule(HMODULE module, WORD id, LPCWSTR type, std::string& bytes);
// The file "<directory>\<id>.<type>", which must be read whole.
bool FetchFromDirectory(const std::wstring& directory, WORD id, LPCWSTR type, std::string& bytes);
// Reads the stream to its end.
bool FetchFromStream(IStream* stream, std::string& bytes);
