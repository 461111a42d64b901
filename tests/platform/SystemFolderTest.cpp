#include "platform/SystemFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    return std::wstring(path, length);
}

} // namespace

// The libraries the program loads at run time come from the system folder, by their names there.
TEST(SystemFolder, LoadsLibrariesFromTheSystemFolder) {
    for (const wchar_t* name :
         {L"uxtheme.dll", L"oleacc.dll", L"version.dll", L"shcore.dll", L"user32.dll"}) {
        const HMODULE module = LoadSystemLibrary(name);
        ASSERT_NE(module, nullptr) << name;
        const std::wstring expected = SystemFolderPath(name);
        EXPECT_EQ(
            ::CompareStringOrdinal(ModulePath(module).c_str(), -1, expected.c_str(), -1, TRUE),
            CSTR_EQUAL)
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
