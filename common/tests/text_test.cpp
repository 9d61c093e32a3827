#include "text/ansi.h"
#include "text/wide.h"

#include <gtest/gtest.h>

namespace mb {
namespace {

TEST(Text, AnsiRoundTripsJapaneseAsCp932) {
    struct { const char* utf8; const char* cp932; } cases[] = {
        {"abc", "abc"},
        {"日本語", "\x93\xFA\x96\x7B\x8C\xEA"},
        {"表ソ", "\x95\x5C\x83\x5C"},      // trail byte 0x5C, the backslash
        {"ｶﾅ", "\xB6\xC5"},                // half-width kana are single bytes
        {"　", "\x81\x40"},                 // ideographic space
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToAnsi(c.utf8), c.cp932) << c.utf8;
        EXPECT_EQ(FromAnsi(c.cp932), c.utf8) << c.utf8;
    }
}

TEST(Text, WideRoundTrips) {
    for (const char* s : {"", "abc", "Message from MBTimer", "確認", "𠮷野家", "\xE2\x82\xAC"}) {
        EXPECT_EQ(Narrow(Widen(s)), s);
    }
    EXPECT_EQ(Widen("確認"), std::wstring(L"\u78BA\u8A8D"));
}

TEST(Text, InvalidUtf8BecomesReplacement) {
    EXPECT_EQ(Narrow(Widen("a\xFF" "b")), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(Narrow(Widen("\xE3\x81")), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace mb
