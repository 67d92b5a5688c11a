#include "search/WildcardMask.h"

#include <gtest/gtest.h>

namespace {

bool match(const char* mask, const QByteArray& name)
{
    return WildcardMask(QString::fromUtf8(mask)).matches(name);
}

TEST(WildcardMaskTest, StarsQuestionMarksAndCase)
{
    EXPECT_TRUE(match("*.tmp", "a.TMP"));
    EXPECT_TRUE(match("*.TMP", "a.tmp"));
    EXPECT_FALSE(match("*.tmp", "a.tmpx"));
    EXPECT_FALSE(match("*.tmp", "tmp"));
    EXPECT_TRUE(match("~*.*", "~$doc.docx"));
    EXPECT_FALSE(match("~*.*", "~lock")); // needs a dot, unlike "*.*"
    EXPECT_TRUE(match("?.bak", "x.bak"));
    EXPECT_FALSE(match("?.bak", "xy.bak"));
    EXPECT_FALSE(match("?.bak", ".bak"));
    EXPECT_TRUE(match("a*b*c", "a-b-b-c"));
    EXPECT_FALSE(match("a*b*c", "a-b-b-d"));
    EXPECT_TRUE(match("*~", "notes.txt~"));
    EXPECT_TRUE(match("thumbs.db", "Thumbs.DB"));
}

TEST(WildcardMaskTest, CatchAllsMatchEveryName)
{
    for (const char* name : {"plain", ".hidden", "a.b.c", ""}) {
        EXPECT_TRUE(match("*", name)) << name;
        EXPECT_TRUE(match("*.*", name)) << name;
    }
    EXPECT_TRUE(WildcardMask("*.*").isCatchAll());
    EXPECT_FALSE(WildcardMask("*").isCatchAll());
}

TEST(WildcardMaskTest, NamesBeyondAscii)
{
    EXPECT_TRUE(match("m\xc3\xbcll*", "M\xc3\x9cLL.txt")); // Müll / MÜLL
    EXPECT_TRUE(match("*.tmp", "caf\xc3\xa9.tmp"));
    EXPECT_TRUE(match("caf?.tmp", "caf\xc3\xa9.tmp")); // é is one character
    EXPECT_TRUE(match("*.tmp", "caf\xe9.tmp"));        // not UTF-8 at all
    EXPECT_FALSE(match("*.doc", "caf\xe9.tmp"));
}

} // namespace
