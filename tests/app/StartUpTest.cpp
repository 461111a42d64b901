#include "app/StartUp.h"

#include <gtest/gtest.h>

TEST(StartUp, OnlyExactlySlashTSelectsTheInstallRecord) {
    EXPECT_TRUE(IsInstallRecordCommand(L"/t"));
    for (const wchar_t* other : {L"", L"/T", L"/t ", L" /t", L"-t", L"/tt", L"/t /t", L"t"})
        EXPECT_FALSE(IsInstallRecordCommand(other)) << "\"" << other << "\"";
    EXPECT_FALSE(IsInstallRecordCommand(nullptr));
}
