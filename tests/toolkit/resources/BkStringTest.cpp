// The string table and its loader, on documents in the test program's own resources.
#include "toolkit/resources/BkString.h"
#include "toolkit/resources/StringTableLoader.h"

#include "ToolkitTestResources.h"

#include <gtest/gtest.h>

TEST(StringTable, ShippedDocumentHoldsTheThreeTexts) {
    ASSERT_TRUE(LoadStringTable(IDR_STRING_TABLE));
    EXPECT_STREQ(BkString::Get(10), L"Connect to time server...");
    EXPECT_STREQ(BkString::Get(11), L"Error connecting to time server.");
    EXPECT_STREQ(BkString::Get(12),
                 L"The clock was successfully synchronized with time server on %s.");
}

TEST(StringTable, EntryWithoutTextStoresTheEmptyTextNotNothing) {
    ASSERT_TRUE(LoadStringTable(IDR_STRING_CASES));
    ASSERT_NE(BkString::Get(1002), nullptr);
    EXPECT_STREQ(BkString::Get(1002), L"");
    ASSERT_NE(BkString::Get(1003), nullptr);
    EXPECT_STREQ(BkString::Get(1003), L"");
}

TEST(StringTable, IdIsReadAsDecimalUpToTheFirstOtherCharacter) {
    ASSERT_TRUE(LoadStringTable(IDR_STRING_CASES));
    EXPECT_STREQ(BkString::Get(1001), L"plain text");
    EXPECT_STREQ(BkString::Get(0), L"stored under zero");
    EXPECT_STREQ(BkString::Get(1004), L"stored under the digits");
    EXPECT_STREQ(BkString::Get(-1005), L"negative id");
}

TEST(StringTable, LaterEntryOfTheSameIdWins) {
    ASSERT_TRUE(LoadStringTable(IDR_STRING_CASES));
    EXPECT_STREQ(BkString::Get(1006), L"second of two");
}

TEST(StringTable, EntriesWithoutIdAndOtherElementsAreSkipped) {
    ASSERT_TRUE(LoadStringTable(IDR_STRING_CASES));
    EXPECT_EQ(BkString::Get(1007), nullptr);
}

TEST(StringTable, TextIsConvertedFromUtf8) {
    ASSERT_TRUE(LoadStringTable(IDR_STRING_CASES));
    EXPECT_STREQ(BkString::Get(1009), L"Gr\u00FC\u00DFe \u2014 \u2713 \U0001F551");
}

TEST(StringTable, IdWithoutEntryGivesNull) {
    EXPECT_EQ(BkString::Get(IDR_NOWHERE), nullptr);
    EXPECT_EQ(BkString::GetEscaped(IDR_NOWHERE), nullptr);
}

TEST(StringTable, LoadingAgainAddsAndReplacesWithoutEmptying) {
    ASSERT_TRUE(LoadStringTable(IDR_STRINGS_FIRST));
    ASSERT_TRUE(LoadStringTable(IDR_STRINGS_AGAIN));
    EXPECT_STREQ(BkString::Get(2000), L"kept");
    EXPECT_STREQ(BkString::Get(2001), L"replacement");
    EXPECT_STREQ(BkString::Get(2002), L"added");
}

TEST(StringTable, MalformedDocumentOrWrongRootChangesNothing) {
    ASSERT_TRUE(LoadStringTable(IDR_STRINGS_FIRST));
    for (WORD document :
         {IDR_STRINGS_MALFORMED, IDR_STRINGS_WRONG_ROOT, IDR_STRINGS_ROOT_CASE, IDR_EMPTY}) {
        EXPECT_FALSE(LoadStringTable(document)) << document;
        for (int id : {3000, 3001, 3002, 3003})
            EXPECT_EQ(BkString::Get(id), nullptr) << document << ": " << id;
        EXPECT_STREQ(BkString::Get(2000), L"kept") << document;
    }
}

TEST(StringTable, MissingDocumentFails) {
    EXPECT_FALSE(LoadStringTable(IDR_NOWHERE));
}

TEST(StringTableEscapes, BackslashRAndNBecomeControlCharactersForGood) {
    ASSERT_TRUE(LoadStringTable(IDR_STRING_CASES));
    EXPECT_STREQ(BkString::Get(1008), L"line\\nnext\\rend\\r\\n");
    EXPECT_STREQ(BkString::GetEscaped(1008), L"line\nnext\rend\r\n");
    EXPECT_STREQ(BkString::Get(1008), L"line\nnext\rend\r\n");
    EXPECT_STREQ(BkString::GetEscaped(1008), L"line\nnext\rend\r\n");
}

TEST(StringTableEscapes, TextWithoutEscapesComesBackUnchanged) {
    BkString::Set(4000, L"no escapes \\t here");
    const wchar_t* before = BkString::Get(4000);
    EXPECT_EQ(BkString::GetEscaped(4000), before);
    EXPECT_STREQ(BkString::Get(4000), L"no escapes \\t here");
}
