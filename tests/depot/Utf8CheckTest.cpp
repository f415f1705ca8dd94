// Where the text of a route list or feed table stops being UTF-8: the
// readers name the line from this offset.
#include "depot/Utf8Check.h"

#include <gtest/gtest.h>

#include <string>

TEST(Utf8Check, FindsTheFirstByteThatIsNotWellFormed)
{
    struct Case {
        std::string text;
        std::ptrdiff_t bad;
    };
    const Case cases[] = {
        {"", -1},
        {"route 12", -1},
        {"\xE1\x83\x95\xE1\x83\x90", -1},    // Georgian, three bytes a letter
        {"\xF0\x9F\x98\x80", -1},            // four bytes, the highest plane used
        {"ab\xC3\x28", 2},                   // a lead byte without its follower
        {"a\xC0\xAF", 1},                    // an overlong '/'
        {"\xE0\x80\xAF", 0},                 // overlong in three bytes
        {"x\xED\xA0\x80", 1},                // a surrogate
        {"\xF4\x90\x80\x80", 0},             // past U+10FFFF
        {"ok\xE1\x83", 2},                   // cut short at the end
        {"\x80", 0},                         // a follower alone
        {"\xFF\xFE", 0},                     // never in UTF-8
        {std::string("a\0b", 3), -1},       // NUL is well-formed
    };
    for (const Case& c : cases)
        EXPECT_EQ(vexel::firstBadUtf8(c.text.data(), c.text.size()), c.bad) << testing::PrintToString(c.text);
}
