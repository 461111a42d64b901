// The machine identifier and its scramble.
#include "app/MachineId.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>

TEST(MachineId, IsTheUuidsNodeFieldInByteOrder) {
    UUID uuid{};
    uuid.Data1 = 0x11111111;
    uuid.Data2 = 0x2222;
    uuid.Data3 = 0x3333;
    const unsigned char data4[8] = {0x44, 0x44, 0x00, 0x1A, 0x2B, 0xC3, 0xD4, 0xEF};
    std::copy(std::begin(data4), std::end(data4), uuid.Data4);
    EXPECT_EQ(MachineIdFromUuid(uuid), "001A2BC3D4EF");
}

TEST(MachineId, IsTwelveUpperCaseDigitsAndTheSameEveryTime) {
    const std::string id = MakeMachineId();
    EXPECT_TRUE(std::regex_match(id, std::regex("[0-9A-F]{12}"))) << id;
    EXPECT_EQ(MakeMachineId(), id);
}

TEST(ScrambleMachineId, XorsWithTheKeyCyclicallyAndPrintsWithoutLeadingZeros) {
    // '0' ^ 0x3A = 0x0A at the fourth position of each key round gives the single digit "A".
    EXPECT_EQ(ScrambleMachineId("000000000000"), "6CD137AE816A17F6CD137A");
    // 'F' ^ 0x4F = 0x09 at the eighth position gives "9".
    EXPECT_EQ(ScrambleMachineId("FFFFFFFF"), "1AA7417C9E60D79");
}

TEST(ScrambleMachineId, AnIdWithoutSmallResultsGivesTwoDigitsPerCharacter) {
    EXPECT_EQ(ScrambleMachineId("001A2BC3D4EF"), "6CD1367BEA64D27C18D5427C");
}

TEST(ScrambleMachineId, BytesAboveAsciiGiveTwoDigitsNotASignExtension) {
    EXPECT_EQ(ScrambleMachineId("\xFF"), "A3");
}

TEST(ScrambleMachineId, EmptyIdGivesEmptyText) {
    EXPECT_EQ(ScrambleMachineId(""), "");
}
