// The version reader on the program, on a program without a version resource and on a version
// resource without a translation table.
#include "app/GetFileVersion.h"

#include "tests/fixtures/ChildProcess.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>

namespace {

const wchar_t kProjectVersion[] = L"" CHRONALIGN_PROJECT_VERSION;

std::wstring ProgramPath() {
    return ProgramDirectory() + L"Chronalign.exe";
}

class OpenedProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_version.OpenFile(ProgramPath().c_str())); }

    CGetFileVersion m_version;
};

} // namespace

TEST_F(OpenedProgram, FileVersionIsTheBuildsVersion) {
    wchar_t value[512] = L"junk";
    EXPECT_TRUE(m_version.GetVersionString(L"FileVersion", value, 512));
    EXPECT_STREQ(value, kProjectVersion);
}

TEST_F(OpenedProgram, MissingValueGivesFalseAndAClearedBuffer) {
    wchar_t value[64] = L"junk";
    EXPECT_FALSE(m_version.GetVersionString(L"NoSuchValue", value, 64));
    EXPECT_STREQ(value, L"");
}

TEST_F(OpenedProgram, ValueTooLongForTheBufferIsNotCut) {
    // Room for the text but not its terminating zero, then for both.
    const int length = static_cast<int>(std::wcslen(kProjectVersion));
    std::wstring value(length, L'?');
    EXPECT_FALSE(m_version.GetVersionString(L"FileVersion", value.data(), length));
    EXPECT_STREQ(value.c_str(), L"");
    std::wstring exact(length + 1, L'?');
    EXPECT_TRUE(m_version.GetVersionString(L"FileVersion", exact.data(), length + 1));
    EXPECT_STREQ(exact.c_str(), kProjectVersion);
}

TEST_F(OpenedProgram, WithoutABufferOnlyTellsWhetherTheValueExists) {
    EXPECT_TRUE(m_version.GetVersionString(L"FileVersion", nullptr, 0));
    EXPECT_FALSE(m_version.GetVersionString(L"NoSuchValue", nullptr, 0));
}

TEST_F(OpenedProgram, NullNameOrNoCapacityIsRefusedWithoutTouchingTheBuffer) {
    wchar_t value[8] = L"junk";
    EXPECT_FALSE(m_version.GetVersionString(nullptr, value, 8));
    EXPECT_FALSE(m_version.GetVersionString(L"FileVersion", value, 0));
    EXPECT_FALSE(m_version.GetVersionString(L"FileVersion", value, -1));
    EXPECT_STREQ(value, L"junk");
}

TEST(GetFileVersion, ModuleWithoutVersionResourceIsInvalidWithAnEmptyValue) {
    CGetFileVersion version;
    EXPECT_FALSE(version.OpenModule(::GetModuleHandleW(nullptr)));
    EXPECT_FALSE(version.IsValid());
    wchar_t value[64] = L"junk";
    EXPECT_FALSE(version.GetVersionString(L"FileVersion", value, 64));
    EXPECT_STREQ(value, L"junk");
}

TEST(GetFileVersion, VersionResourceWithoutTranslationTableIsInvalid) {
    CGetFileVersion version;
    EXPECT_FALSE(version.OpenFile((ProgramDirectory() + L"VersionWithoutTranslation.dll").c_str()));
    EXPECT_FALSE(version.IsValid());
}

TEST(GetFileVersion, FailedOpenForgetsTheFileOpenedBefore) {
    CGetFileVersion version;
    ASSERT_TRUE(version.OpenFile(ProgramPath().c_str()));
    EXPECT_FALSE(version.OpenFile((ProgramDirectory() + L"no such file.exe").c_str()));
    EXPECT_FALSE(version.GetVersionString(L"FileVersion", nullptr, 0));
}

TEST(GetFileVersion, NullModuleOrPathIsRefused) {
    CGetFileVersion version;
    EXPECT_FALSE(version.OpenModule(nullptr));
    EXPECT_FALSE(version.OpenFile(nullptr));
}
