#include "platform/LibrarySearch.h"
#include "platform/SystemFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length);
}

bool SamePath(const std::wstring& one, const std::wstring& other) {
    return ::CompareStringOrdinal(one.c_str(), -1, other.c_str(), -1, TRUE) == CSTR_EQUAL;
}

} // namespace

// The libraries the program loads at run time come from the system folder, by their names there.
TEST(SystemFolder, LoadsLibrariesFromTheSystemFolder) {
    for (const wchar_t* name :
         {L"uxtheme.dll", L"oleacc.dll", L"version.dll", L"shcore.dll", L"user32.dll"}) {
        const HMODULE module = LoadSystemLibrary(name);
        ASSERT_NE(module, nullptr) << name;
        const std::wstring expected = SystemFolderPath(name);
        EXPECT_TRUE(SamePath(ModulePath(module), expected))
            << ModulePath(module) << " for " << expected;
        ::FreeLibrary(module);
    }
    EXPECT_EQ(LoadSystemLibrary(L"chronalign-no-such-library.dll"), nullptr);
}

TEST(SystemFolder, FindsFunctionsOnlyWhereBothExist) {
    using TickCountFunction = DWORD(WINAPI*)();
    const auto tickCount = FindSystemFunction<TickCountFunction>(L"kernel32.dll", "GetTickCount");
    ASSERT_NE(tickCount, nullptr);
    EXPECT_GT(tickCount(), 0u);
    EXPECT_EQ(FindSystemFunction<TickCountFunction>(L"kernel32.dll", "NoSuchFunction"), nullptr);
    EXPECT_EQ(
        FindSystemFunction<TickCountFunction>(L"chronalign-no-such-library.dll", "GetTickCount"),
        nullptr);
}

// Windows 7 without SetDefaultDllDirectories: the libraries that Windows' components load by
// bare name, the program's folder first, are in memory from the system folder before any of
// them asks. Wine lacks some of them; those are named as absent.
TEST(LibrarySearch, PreloadsFromTheSystemFolderWhereTheSearchCannotBeRestricted) {
    RestrictLibrarySearch(nullptr);
    for (const wchar_t* name :
         {L"uxtheme.dll", L"userenv.dll", L"setupapi.dll", L"apphelp.dll", L"propsys.dll",
          L"dwmapi.dll", L"cryptbase.dll", L"oleacc.dll", L"clbcatq.dll", L"version.dll",
          L"oleaccrc.dll", L"ntmarta.dll", L"mswsock.dll", L"wshtcpip.dll", L"wship6.dll",
          L"dnsapi.dll", L"iphlpapi.dll", L"winnsi.dll", L"rasadhlp.dll"}) {
        const std::wstring expected = SystemFolderPath(name);
        if (::GetFileAttributesW(expected.c_str()) == INVALID_FILE_ATTRIBUTES) {
            std::printf("  %ls: not in this system folder\n", name);
            continue;
        }
        const HMODULE module = ::GetModuleHandleW(name);
        ASSERT_NE(module, nullptr) << name << " was not loaded";
        EXPECT_TRUE(SamePath(ModulePath(module), expected)) << ModulePath(module);
        std::printf("  %ls: loaded from %ls\n", name, ModulePath(module).c_str());
    }
}
