// The "/t" mode of the real program, run from a copy in a scratch directory.
#include "app/MachineId.h"
#include "tests/app/ProgramRun.h"
#include "tests/fixtures/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

namespace {

const wchar_t kSettings[] = L"tockwell.ini";
const std::vector<std::wstring> kNoWindows;

class InstallRecord : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_directory.CopyProgram(L"Chronalign.exe")); }

    // The uid of the record, empty when the file does not have the record's exact form.
    std::string RecordedUid() const {
        static const std::regex record(
            "\\[common\\]\r\npid=120\r\nuid=([0-9A-F]{12,24})\r\nver=" +
            std::regex_replace(CHRONALIGN_PROJECT_VERSION, std::regex("\\."), "\\.") + "\r\n\r\n");
        const std::string content = m_directory.Read(kSettings);
        std::smatch match;
        return std::regex_match(content, match, record) ? match[1].str() : std::string();
    }

    ScratchDirectory m_directory;
};

} // namespace

TEST_F(InstallRecord, SlashTWritesTheFiveLineRecordBesideTheProgramWithoutAWindow) {
    const ProgramRun run = RunProgramIn(m_directory.Path(), L" /t");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.showedWindow);
    EXPECT_EQ(run.otherWindows, kNoWindows);
    EXPECT_NE(RecordedUid(), "") << m_directory.Read(kSettings);
}

TEST_F(InstallRecord, UidIsTheScrambledNodeFieldAndStaysTheSameAcrossRuns) {
    ASSERT_EQ(RunProgramIn(m_directory.Path(), L" /t").exitCode, 0u);
    const std::string first = RecordedUid();
    ASSERT_NE(first, "");
    EXPECT_EQ(first, ScrambleMachineId(MakeMachineId()));

    ASSERT_EQ(RunProgramIn(m_directory.Path(), L" /t").exitCode, 0u);
    EXPECT_EQ(RecordedUid(), first);
}

TEST_F(InstallRecord, ExistingFileWithOtherSectionsIsReplacedWhole) {
    ASSERT_TRUE(m_directory.Write(kSettings, "[other]\r\nkey=a value longer than the record's, "
                                             "so that a partial rewrite would show\r\n\r\n"
                                             "[common]\r\npid=1\r\nlast=1\r\n\r\n"));
    ASSERT_EQ(RunProgramIn(m_directory.Path(), L" /t").exitCode, 0u);
    EXPECT_NE(RecordedUid(), "") << m_directory.Read(kSettings);
}

TEST_F(InstallRecord, OnlyExactlySlashTWritesTheFile) {
    // The program with servers on loopback: these starts open its window.
    ASSERT_TRUE(m_directory.CopyProgram(L"ChronalignLoopback.exe"));
    for (const wchar_t* arguments : {L" /T", L" /t ", L" -t", L""}) {
        const ProgramRun run =
            RunProgramIn(m_directory.Path(), arguments, L"ChronalignLoopback.exe");
        SCOPED_TRACE(testing::Message() << "\"" << arguments << "\"");
        // Closed by the run, as a person would close it: not a crash, not an error box.
        EXPECT_TRUE(run.showedWindow);
        EXPECT_EQ(run.exitCode, 2u);
        EXPECT_EQ(run.otherWindows, kNoWindows);
        EXPECT_FALSE(m_directory.Exists(kSettings));
    }
}

TEST(InstallRecordPath, DirectoryNotNamedExactlyInTheAnsiCodePageGetsNoRecord) {
    // "ā" has no exact ANSI form in most code pages; its best fit, "a", names the sibling.
    const wchar_t exact[] = L"t\u0101st\\";
    BOOL lossy = FALSE;
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, exact, -1, nullptr, 0, nullptr, &lossy);
    if (!lossy)
        GTEST_SKIP() << "the ANSI code page " << ::GetACP() << " holds the name";

    ScratchDirectory directory;
    ASSERT_TRUE(directory.CopyProgram(L"Chronalign.exe", exact));
    ASSERT_TRUE(directory.MakeDirectory(L"tast\\"));
    EXPECT_EQ(RunProgramIn(directory.PathOf(exact), L" /t").exitCode, 0u);
    EXPECT_FALSE(directory.Exists(std::wstring(exact) + kSettings));
    EXPECT_FALSE(directory.Exists(std::wstring(L"tast\\") + kSettings));
}
