#include "timeservice/RegKeyHepler.h"
#include "timeservice/RegStringRead.h"
#include "tests/fixtures/HandleCount.h"
#include "tests/fixtures/ScratchKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

class RegKeyHeplerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(key.Open(scratch.Root(), scratch.Path().c_str(), KEY_READ | KEY_WRITE), 0);
    }

    // The raw value as stored, read past the helper.
    struct StoredValue {
        LONG result;
        DWORD type;
        std::vector<BYTE> data;
    };
    StoredValue Stored(const std::wstring& subPath, const wchar_t* name) const {
        StoredValue value{0, REG_NONE, std::vector<BYTE>(4096)};
        DWORD size = static_cast<DWORD>(value.data.size());
        value.result =
            ::RegGetValueW(scratch.Root(), scratch.PathOf(subPath).c_str(), name,
                           RRF_RT_ANY | RRF_NOEXPAND, &value.type, value.data.data(), &size);
        value.data.resize(value.result == ERROR_SUCCESS ? size : 0);
        return value;
    }
    static std::vector<BYTE> Utf16WithNul(const std::wstring& text) {
        const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
        return std::vector<BYTE>(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    }

    ScratchKey scratch;
    CRegKeyHepler key;
};

} // namespace

TEST_F(RegKeyHeplerTest, FailedSecondOpenKeepsTheFirstKeyOpenAndUsable) {
    const HKEY first = key.m_hKey;
    EXPECT_EQ(key.Open(scratch.Root(), scratch.PathOf(L"missing").c_str(), KEY_READ | KEY_WRITE),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.m_hKey, first);
    EXPECT_EQ(key.SetDwordValue(L"after", 7), 0);
    EXPECT_EQ(Stored(L"", L"after").result, ERROR_SUCCESS);
}

TEST_F(RegKeyHeplerTest, SecondOpenClosesTheFirstHandleOnlyAfterSucceeding) {
    ASSERT_TRUE(scratch.CreateSubKey(L"second"));
    const DWORD handlesWithOne = CountOpenHandles();
    const HKEY first = key.m_hKey;
    EXPECT_EQ(key.Open(scratch.Root(), scratch.PathOf(L"second").c_str(), KEY_READ), 0);
    EXPECT_NE(key.m_hKey, first);
    EXPECT_EQ(CountOpenHandles(), handlesWithOne);
    EXPECT_EQ(key.SetDwordValue(L"denied", 1), ERROR_ACCESS_DENIED) << "holds the read-only key";
}

TEST_F(RegKeyHeplerTest, CloseAndDestructionReleaseTheHandleOnce) {
    const DWORD handlesWithOne = CountOpenHandles();
    EXPECT_EQ(key.Close(), 0);
    EXPECT_EQ(key.m_hKey, nullptr);
    EXPECT_EQ(CountOpenHandles(), handlesWithOne - 1);
    EXPECT_EQ(key.Close(), 0) << "nothing held";
    {
        CRegKeyHepler scoped;
        ASSERT_EQ(scoped.Open(scratch.Root(), scratch.Path().c_str(), KEY_READ), 0);
        EXPECT_EQ(CountOpenHandles(), handlesWithOne);
    }
    EXPECT_EQ(CountOpenHandles(), handlesWithOne - 1);
}

TEST_F(RegKeyHeplerTest, SetStringValueStoresTheTextWithItsNul) {
    EXPECT_EQ(key.SetStringValue(L"text", L"NTP"), 0);
    const StoredValue stored = Stored(L"", L"text");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(stored.data, Utf16WithNul(L"NTP")) << "2 x 3 + 2 bytes";
}

TEST_F(RegKeyHeplerTest, SetStringValueTakesTheGivenType) {
    EXPECT_EQ(key.SetStringValue(L"expand", L"%windir%", REG_EXPAND_SZ), 0);
    EXPECT_EQ(Stored(L"", L"expand").type, static_cast<DWORD>(REG_EXPAND_SZ));
}

TEST_F(RegKeyHeplerTest, EmptyValueNameIsTheDefaultValue) {
    EXPECT_EQ(key.SetStringValue(L"", L"2"), 0);
    EXPECT_EQ(Stored(L"", nullptr).data, Utf16WithNul(L"2"));
}

TEST_F(RegKeyHeplerTest, SetStringValueRefusesANullText) {
    EXPECT_EQ(key.SetStringValue(L"null", nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Stored(L"", L"null").result, ERROR_FILE_NOT_FOUND);
}

TEST_F(RegKeyHeplerTest, SetDwordValueStoresFourBytes) {
    EXPECT_EQ(key.SetDwordValue(L"number", 0xFFFFFFFF), 0);
    const StoredValue stored = Stored(L"", L"number");
    EXPECT_EQ(stored.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(stored.data, std::vector<BYTE>(4, 0xFF));
}

TEST_F(RegKeyHeplerTest, QueryStringReadsAShortValue) {
    ASSERT_TRUE(scratch.SetString(L"", L"Std", L"Pacific Standard Time"));
    std::wstring text = L"old";
    EXPECT_EQ(key.QueryString(L"Std", text), 0);
    EXPECT_EQ(text, L"Pacific Standard Time");
}

TEST_F(RegKeyHeplerTest, QueryStringReadsAValueLongerThanTheFirstBuffer) {
    const std::wstring long700(700, L'x');
    ASSERT_TRUE(scratch.SetString(L"", L"long", long700));
    std::wstring text;
    EXPECT_EQ(key.QueryString(L"long", text), 0);
    EXPECT_EQ(text, long700);
}

TEST_F(RegKeyHeplerTest, A700CharacterValueIsReadOnTheFourthRead) {
    ASSERT_TRUE(scratch.SetString(L"", L"long", std::wstring(700, L'x')));
    std::vector<DWORD> capacities;
    const RegValueRead countingRead = [&](BYTE* data, DWORD* byteSize, DWORD* type) {
        capacities.push_back(*byteSize / sizeof(wchar_t));
        return ::RegQueryValueExW(key.m_hKey, L"long", nullptr, type, data, byteSize);
    };
    std::wstring text;
    EXPECT_EQ(ReadRegString(countingRead, text), 0);
    EXPECT_EQ(capacities, (std::vector<DWORD>{260, 260, 520, 780}));
    EXPECT_EQ(text.size(), 700u);
}

TEST_F(RegKeyHeplerTest, QueryStringOfADwordGives13AndLeavesTheTextAlone) {
    ASSERT_TRUE(scratch.SetDword(L"", L"number", 30));
    std::wstring text = L"unchanged";
    EXPECT_EQ(key.QueryString(L"number", text), ERROR_INVALID_DATA);
    EXPECT_EQ(text, L"unchanged");
}

TEST_F(RegKeyHeplerTest, QueryStringRefusesTextWithoutItsNul) {
    const wchar_t unterminated[] = {L'a', L'b'};
    ASSERT_TRUE(scratch.SetRaw(L"", L"bare", REG_SZ, unterminated, sizeof unterminated));
    const BYTE oddLength[] = {'a', 0, 0};
    ASSERT_TRUE(scratch.SetRaw(L"", L"odd", REG_SZ, oddLength, sizeof oddLength));
    std::wstring text = L"unchanged";
    EXPECT_EQ(key.QueryString(L"bare", text), ERROR_INVALID_DATA);
    EXPECT_EQ(key.QueryString(L"odd", text), ERROR_INVALID_DATA);
    EXPECT_EQ(text, L"unchanged");
}

TEST_F(RegKeyHeplerTest, QueryStringRefusesALongValueOfAnotherType) {
    const std::wstring long700(700, L'x');
    ASSERT_TRUE(scratch.SetRaw(L"", L"binary", REG_BINARY, long700.c_str(),
                               static_cast<DWORD>((long700.size() + 1) * sizeof(wchar_t))));
    std::wstring text = L"unchanged";
    EXPECT_EQ(key.QueryString(L"binary", text), ERROR_INVALID_DATA);
    EXPECT_EQ(text, L"unchanged");
}

TEST_F(RegKeyHeplerTest, QueryStringReadsExpandableTextUnexpanded) {
    ASSERT_TRUE(scratch.SetRaw(L"", L"expand", REG_EXPAND_SZ, L"%windir%", 9 * sizeof(wchar_t)));
    std::wstring text;
    EXPECT_EQ(key.QueryString(L"expand", text), 0);
    EXPECT_EQ(text, L"%windir%");
}

TEST_F(RegKeyHeplerTest, QueryStringOfAnEmptyValueIsTheEmptyText) {
    ASSERT_TRUE(scratch.SetRaw(L"", L"empty", REG_SZ, nullptr, 0));
    std::wstring text = L"old";
    EXPECT_EQ(key.QueryString(L"empty", text), 0);
    EXPECT_EQ(text, L"");
}

TEST_F(RegKeyHeplerTest, QueryStringStopsAtTheFirstNul) {
    const wchar_t twoStrings[] = L"ab\0cd";
    ASSERT_TRUE(scratch.SetRaw(L"", L"two", REG_SZ, twoStrings, sizeof twoStrings));
    std::wstring text;
    EXPECT_EQ(key.QueryString(L"two", text), 0);
    EXPECT_EQ(text, L"ab");
}

TEST_F(RegKeyHeplerTest, QueryStringOfAMissingValueLeavesTheTextAlone) {
    std::wstring text = L"unchanged";
    EXPECT_EQ(key.QueryString(L"missing", text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, L"unchanged");
}

TEST_F(RegKeyHeplerTest, EnumSubKeyNamesEachSubKeyThenGives259) {
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"})
        ASSERT_TRUE(scratch.CreateSubKey(name));
    std::vector<std::wstring> names;
    std::wstring name;
    for (DWORD index = 0; index < 3; ++index) {
        ASSERT_EQ(key.EnumSubKey(index, name), 0);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Alpha", L"Beta", L"Gamma"}));
    name = L"unchanged";
    EXPECT_EQ(key.EnumSubKey(3, name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(name, L"unchanged");
}

TEST_F(RegKeyHeplerTest, ForEachSubKeyVisitsEverySubKey) {
    for (const wchar_t* name : {L"One", L"Two"})
        ASSERT_TRUE(scratch.CreateSubKey(name));
    std::vector<std::wstring> names;
    ForEachSubKey(key, [&](const std::wstring& name) { names.push_back(name); });
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"One", L"Two"}));
}

TEST_F(RegKeyHeplerTest, ForEachSubKeyEndsOnAKeyDeletedUnderIt) {
    ASSERT_TRUE(scratch.CreateSubKey(L"One"));
    ASSERT_EQ(::RegDeleteTreeW(scratch.Root(), scratch.Path().c_str()), ERROR_SUCCESS);
    std::wstring name;
    const LONG failure = key.EnumSubKey(0, name);
    EXPECT_NE(failure, ERROR_SUCCESS);
    EXPECT_NE(failure, ERROR_NO_MORE_ITEMS) << "the walk must not wait for 259 alone";
    int visits = 0;
    ForEachSubKey(key, [&](const std::wstring&) { ++visits; });
    EXPECT_EQ(visits, 0);
}
