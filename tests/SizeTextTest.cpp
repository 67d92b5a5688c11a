#include "search/SizeText.h"

#include <gtest/gtest.h>

namespace {

TEST(SizeTextTest, EdgeTable)
{
    const struct {
        qint64 count;
        const char* text;
    } table[] = {{0, "0 Byte"},
                 {1, "1 Byte"},
                 {2, "2 Bytes"},
                 {1500, "1500 Bytes"},
                 {2047, "2047 Bytes"},
                 {2048, "~2 Kilobytes"},
                 {3071, "~2 Kilobytes"},
                 {1048575, "~1023 Kilobytes"},
                 {1048576, "~1 Megabyte"},
                 {2097151, "~1 Megabyte"},
                 {2097152, "~2 Megabytes"},
                 {1073741824, "~1024 Megabytes"},
                 {2147483647, "~2047 Megabytes"},
                 {-1, "-1 Byte"},
                 {-1500, "-1500 Byte"},
                 {-2048, "-2048 Byte"},
                 // Beyond 32 bits the count goes on in megabytes.
                 {5368709120LL, "~5120 Megabytes"},
                 {-5368709120LL, "-5368709120 Byte"}};
    for (const auto& row : table)
        EXPECT_EQ(SizeText(row.count), row.text) << row.count;
}

} // namespace
