#include "platform/AnsiText.h"

#include <gtest/gtest.h>

#include <windows.h>

// Runs under the prefix's ANSI code page, and under UTF-8 from the code-page script.
TEST(ToAnsiExactly, KeepsWhatTheCodePageHoldsAndRefusesTheRest) {
    const bool utf8 = ::GetACP() == CP_UTF8;
    const struct {
        const wchar_t* text;
        bool exact;
        const char* ansi;
    } cases[] = {
        {L"", true, ""},
        {L"C:\\dir\\tockwell.ini", true, "C:\\dir\\tockwell.ini"},
        // In no single- or double-byte code page: "?" would name another file.
        {L"x\U0001F600", utf8, utf8 ? "x\xF0\x9F\x98\x80" : ""},
        // UTF-8 would turn it into U+FFFD, the others into "?".
        {L"x\xD800", false, ""},
    };
    for (const auto& c : cases) {
        std::string ansi = "left over";
        EXPECT_EQ(ToAnsiExactly(c.text, ansi), c.exact) << "code page " << ::GetACP();
        EXPECT_EQ(ansi, c.ansi) << "code page " << ::GetACP();
    }
}
