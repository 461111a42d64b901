// The settings file model and the file it saves.
#include "app/IniFile.h"

#include "tests/fixtures/ScratchDirectory.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <string>

namespace {

class SavedIniFile : public ::testing::Test {
protected:
    // The scratch path is plain ASCII, so a byte-wise narrowing is exact.
    std::string NarrowPath(const std::wstring& name) const {
        const std::wstring wide = m_directory.PathOf(name);
        return std::string(wide.begin(), wide.end());
    }

    // Saves the file as "test.ini" and gives its bytes.
    std::string Saved() {
        m_ini.SetFileName(NarrowPath(L"test.ini"));
        EXPECT_TRUE(m_ini.Save());
        return m_directory.Read(L"test.ini");
    }

    ScratchDirectory m_directory;
    IniFile m_ini;
};

} // namespace

TEST_F(SavedIniFile, RecordIsTheHeaderTheKeysInOrderAndAnEmptyLineInCrLf) {
    m_ini.SetValue("common", "pid", "120");
    m_ini.SetValue("common", "uid", "6CD137A");
    m_ini.SetValue("common", "ver", CHRONALIGN_PROJECT_VERSION);
    EXPECT_EQ(Saved(),
              "[common]\r\npid=120\r\nuid=6CD137A\r\nver=" CHRONALIGN_PROJECT_VERSION "\r\n\r\n");
}

TEST_F(SavedIniFile, SettingAKeyAgainReplacesItsValueInItsFirstPosition) {
    m_ini.SetValue("s", "a", "1");
    m_ini.SetValue("s", "b", "2");
    m_ini.SetValue("s", "a", "3");
    EXPECT_EQ(Saved(), "[s]\r\na=3\r\nb=2\r\n\r\n");
}

TEST_F(SavedIniFile, NewKeysGoAfterTheSectionsKeysAndNewSectionsAfterAllSections) {
    m_ini.SetValue("first", "one", "1");
    m_ini.SetValue("second", "two", "2");
    m_ini.SetValue("first", "three", "3");
    EXPECT_EQ(Saved(), "[first]\r\none=1\r\nthree=3\r\n\r\n[second]\r\ntwo=2\r\n\r\n");
}

TEST_F(SavedIniFile, NamesDifferingOnlyInCaseAreDistinct) {
    m_ini.SetValue("common", "pid", "1");
    m_ini.SetValue("common", "PID", "2");
    m_ini.SetValue("Common", "pid", "3");
    EXPECT_EQ(Saved(), "[common]\r\npid=1\r\nPID=2\r\n\r\n[Common]\r\npid=3\r\n\r\n");
}

TEST_F(SavedIniFile, ValuesAreWrittenAsTheyAreWithoutQuotingOrSpaces) {
    m_ini.SetValue("s", "key", " spaced = \"quoted\" ;not a comment");
    m_ini.SetValue("s", "empty", "");
    EXPECT_EQ(Saved(), "[s]\r\nkey= spaced = \"quoted\" ;not a comment\r\nempty=\r\n\r\n");
}

TEST_F(SavedIniFile, LinesOf4000BytesAndMoreAreWrittenWhole) {
    const std::string longValue(5000, 'x');
    const std::string edgeValue(4000 - 4, 'y'); // "k=" plus CR LF make exactly 4000 bytes
    m_ini.SetValue("s", "k", edgeValue);
    m_ini.SetValue("s", "long", longValue);
    EXPECT_EQ(Saved(), "[s]\r\nk=" + edgeValue + "\r\nlong=" + longValue + "\r\n\r\n");
}

TEST_F(SavedIniFile, SaveReplacesAnExistingFileWhole) {
    ASSERT_TRUE(m_directory.Write(L"test.ini", "[other]\r\nkey=a much longer old value\r\n\r\n"
                                               "[common]\r\npid=7\r\nextra=1\r\n\r\n"));
    m_ini.SetValue("common", "pid", "120");
    EXPECT_EQ(Saved(), "[common]\r\npid=120\r\n\r\n");
}

TEST_F(SavedIniFile, NothingStoredGivesAnEmptyFile) {
    EXPECT_EQ(Saved(), "");
    EXPECT_TRUE(m_directory.Exists(L"test.ini"));
}

TEST_F(SavedIniFile, SaveIntoAMissingDirectoryFailsAndWritesNothing) {
    m_ini.SetValue("s", "k", "v");
    m_ini.SetFileName(NarrowPath(L"missing\\test.ini"));
    EXPECT_FALSE(m_ini.Save());
    EXPECT_FALSE(m_directory.Exists(L"missing"));
}

TEST(IniFile, SaveWithoutAFileNameFails) {
    IniFile ini;
    ini.SetValue("s", "k", "v");
    EXPECT_FALSE(ini.Save());
}

TEST(IniFile, SaveReportsAWriteThatFails) {
    // Under Wine the Unix full device refuses every write; elsewhere there is no such file.
    const char fullDevice[] = "Z:\\dev\\full";
    std::FILE* probe = std::fopen(fullDevice, "w");
    if (probe == nullptr)
        GTEST_SKIP() << "no device that refuses writes";
    std::fclose(probe);
    IniFile ini;
    ini.SetValue("s", "k", "v");
    ini.SetFileName(fullDevice);
    EXPECT_FALSE(ini.Save());
}

TEST(IniFile, FindGivesNoneForMissingSectionsAndKeys) {
    IniFile ini;
    EXPECT_EQ(ini.FindSection("s"), nullptr);
    EXPECT_EQ(ini.FindKey("s", "k"), nullptr);
    ini.SetValue("s", "k", "v");
    EXPECT_EQ(ini.FindKey("s", "other"), nullptr);
    EXPECT_EQ(ini.FindKey("other", "k"), nullptr);
    ASSERT_NE(ini.FindKey("s", "k"), nullptr);
    EXPECT_EQ(ini.FindKey("s", "k")->value, "v");
}

TEST(IniFile, AddSectionOfAnExistingNameKeepsItsEntries) {
    IniFile ini;
    ini.SetValue("s", "k", "v");
    EXPECT_TRUE(ini.AddSection("s"));
    ASSERT_NE(ini.FindSection("s"), nullptr);
    EXPECT_EQ(ini.FindSection("s")->entries.size(), 1u);
}

TEST(IniFile, FoundSectionsAndKeysStayValidWhileMoreAreAdded) {
    IniFile ini;
    ini.SetValue("first", "k", "v");
    IniSection* first = ini.FindSection("first");
    IniEntry* entry = ini.FindKey("first", "k");
    for (int i = 0; i < 100; ++i) {
        ini.SetValue("section" + std::to_string(i), "k", "v");
        ini.SetValue("first", "k" + std::to_string(i), "v");
    }
    EXPECT_EQ(first, ini.FindSection("first"));
    EXPECT_EQ(entry, ini.FindKey("first", "k"));
    EXPECT_EQ(entry->key, "k");
}
