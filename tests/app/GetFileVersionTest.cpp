// The version reader on the program, on a program without a version resource and on a version
// resource without a translation table.
#include "app/GetFileVersion.h"

#include "tests/fixtures/ChildProcess.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
    EXPECT_STREQ(value, L"1.0.10.309");
}

TEST_F(OpenedProgram, MissingValueGivesFalseAndAClearedBuffer) {
    wchar_t value[64] = L"junk";
    EXPECT_FALSE(m_version.GetVersionString(L"NoSuchValue", value, 64));
    EXPECT_STREQ(value, L"");
}

TEST_F(OpenedProgram, ValueTooLongForTheBufferIsNotCut) {
    wchar_t value[10] = L"junk";
    EXPECT_FALSE(m_version.GetVersionString(L"FileVersion", value, 10));
    EXPECT_STREQ(value, L"");
    wchar_t exact[11];
    EXPECT_TRUE(m_version.GetVersionString(L"FileVersion", exact, 11));
    EXPECT_STREQ(exact, L"1.0.10.309");
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
