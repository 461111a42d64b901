// The resources that the build embeds in the program.
#include "res/resource.h"
#include "tests/fixtures/ChildProcess.h"
#include "toolkit/resources/BkResource.h"
#include "toolkit/resources/BkString.h"
#include "toolkit/resources/StringTableLoader.h"
#include "toolkit/styles/DisplayScale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>

namespace {

class ProgramResources : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = ::LoadLibraryExW((ProgramDirectory() + L"Chronalign.exe").c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(m_program, nullptr);
    }
    void TearDown() override { ::FreeLibrary(m_program); }

    std::string Bytes(LPCWSTR id, LPCWSTR type) const {
        HRSRC found = ::FindResourceW(m_program, id, type);
        if (found == nullptr)
            return std::string();
        const char* bytes =
            static_cast<const char*>(::LockResource(::LoadResource(m_program, found)));
        return std::string(bytes, ::SizeofResource(m_program, found));
    }

    HMODULE m_program = nullptr;
};

uint32_t BigEndian32(const std::string& bytes, size_t at) {
    uint32_t value = 0;
    for (size_t i = at; i < at + 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[i]);
    return value;
}

} // namespace

// The small (16), standard (32) and large (48) icons at 100, 125, 150, 175 and 200 %, and 256.
TEST_F(ProgramResources, IconGroup107HoldsTheSizesOfTheShellAtEveryScale) {
    // The icon group's directory as stored: packed, the same on every pointer size.
#pragma pack(push, 2)
    struct GroupIconDirectory {
        WORD reserved;
        WORD type;
        WORD count;
    };
    struct GroupIconEntry {
        BYTE width; // 0 for 256
        BYTE height;
        BYTE colorCount;
        BYTE reserved;
        WORD planes;
        WORD bitCount;
        DWORD bytesInRes;
        WORD id;
    };
#pragma pack(pop)
    static_assert(sizeof(GroupIconDirectory) == 6 && sizeof(GroupIconEntry) == 14);

    const std::string group = Bytes(MAKEINTRESOURCEW(107), RT_GROUP_ICON);
    GroupIconDirectory directory{};
    ASSERT_GE(group.size(), sizeof directory);
    std::memcpy(&directory, group.data(), sizeof directory);
    EXPECT_EQ(directory.type, 1); // icons, not cursors
    const int sizes[] = {16, 20, 24, 28, 32, 40, 48, 56, 60, 64, 72, 84, 96, 256};
    ASSERT_EQ(directory.count, std::size(sizes));
    ASSERT_EQ(group.size(), sizeof directory + directory.count * sizeof(GroupIconEntry));
    for (size_t i = 0; i < std::size(sizes); ++i) {
        SCOPED_TRACE(sizes[i]);
        GroupIconEntry entry{};
        std::memcpy(&entry, group.data() + sizeof directory + i * sizeof entry, sizeof entry);
        EXPECT_EQ(entry.width, sizes[i] % 256);
        EXPECT_EQ(entry.height, sizes[i] % 256);
        EXPECT_EQ(entry.planes, 1);
        EXPECT_EQ(entry.bitCount, 32);
        // The picture that the entry names is there, of the size it gives.
        EXPECT_EQ(Bytes(MAKEINTRESOURCEW(entry.id), RT_ICON).size(), entry.bytesInRes);
    }
}

// The skins draw these at fixed places and cut them into fixed-width states. Each scale's set
// has the 100 % picture's size at its DPI, by whole sub-images ("dlg_btn_sync" at 125 %: 4 x 163
// by 163).
TEST_F(ProgramResources, SkinPicturesAreRgbaPngsOfTheirSizesAtEveryScale) {
    struct Picture {
        int id;
        int width;
        int height;
        int subImages;
    };
    const Picture pictures[] = {{300, 490, 30, 1},  {301, 489, 465, 1}, {302, 490, 4, 1},
                                {303, 99, 20, 3},   {304, 111, 20, 3},  {305, 16, 16, 1},
                                {306, 520, 130, 4}, {900, 20, 20, 1},   {310, 33, 20, 1},
                                {311, 37, 20, 1},   {312, 16, 16, 1},   {313, 130, 130, 1}};
    const int dpis[] = {96, 120, 144, 168, 192};
    for (const Picture& picture : pictures) {
        for (int set = 0; set < static_cast<int>(std::size(dpis)); ++set) {
            const int id = picture.id + set * IDB_SCALE_STEP;
            SCOPED_TRACE(id);
            const int subWidth = ScaleToDpi(picture.width / picture.subImages, dpis[set]);
            const std::string png = Bytes(MAKEINTRESOURCEW(id), L"png");
            ASSERT_GE(png.size(), 26u);
            EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n"));
            EXPECT_EQ(png.substr(12, 4), "IHDR");
            EXPECT_EQ(BigEndian32(png, 16), static_cast<uint32_t>(picture.subImages * subWidth));
            EXPECT_EQ(BigEndian32(png, 20),
                      static_cast<uint32_t>(ScaleToDpi(picture.height, dpis[set])));
            EXPECT_EQ(png[24], 8); // bits per channel
            EXPECT_EQ(png[25], 6); // colour type: RGB with alpha
        }
    }
}

TEST_F(ProgramResources, ManifestAsksForAdministratorAndCommonControls6) {
    const std::string manifest = Bytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    EXPECT_NE(manifest.find("level=\"requireAdministrator\""), std::string::npos);
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos);
}

TEST_F(ProgramResources, StringTableIsAUtf8DocumentWithTheThreeTexts) {
    EXPECT_EQ(Bytes(MAKEINTRESOURCEW(IDR_STRING_TABLE), L"XML").substr(0, 3), "\xEF\xBB\xBF");

    // This test program holds no string table, so the texts can only come from the program.
    BkResource::Instance().SetResourceModule(m_program);
    const bool loaded = LoadStringTable(IDR_STRING_TABLE);
    BkResource::Instance().SetResourceModule(nullptr);
    ASSERT_TRUE(loaded);
    EXPECT_STREQ(BkString::Get(10), L"Connect to time server...");
    EXPECT_STREQ(BkString::Get(11), L"Error connecting to time server.");
    EXPECT_STREQ(BkString::Get(12),
                 L"The clock was successfully synchronized with time server on %s.");
}
