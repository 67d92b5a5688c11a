#include "platform/DateTimeFormats.h"

#include "FileList/TFileListView.h"

#include <gtest/gtest.h>

namespace {

using Parts = DateTimeFormats::Parts;

class DateTimeFormatsTest : public ::testing::Test {
protected:
    // Constructing the view installs the program's formats.
    TFileListView view;
    QString sep = DateTimeFormats::text(Parts{2024, 3, 10, 0, 0, 0}).mid(2, 1);
};

TEST_F(DateTimeFormatsTest, ViewInstallsTheProgramFormats)
{
    EXPECT_EQ(DateTimeFormats::shortDateFormat(), "dd/mm/yyyy");
    EXPECT_EQ(DateTimeFormats::longTimeFormat(), "hh:nn");
}

TEST_F(DateTimeFormatsTest, TimeIsLeftOutOnlyAtMidnight)
{
    EXPECT_EQ(DateTimeFormats::text({2024, 3, 10, 0, 0, 0}), "10" + sep + "03" + sep + "2024");
    EXPECT_EQ(DateTimeFormats::text({2024, 3, 10, 0, 0, 2}).size(), 16);
    EXPECT_TRUE(DateTimeFormats::text({2024, 3, 10, 13, 5, 0}).endsWith("13:05") ||
                DateTimeFormats::text({2024, 3, 10, 13, 5, 0}).endsWith("13.05"));
    EXPECT_EQ(DateTimeFormats::text({1601, 1, 1, 9, 0, 0}).left(10),
              "01" + sep + "01" + sep + "1601");
}

TEST_F(DateTimeFormatsTest, ParsesItsOwnTextsAndRejectsOthers)
{
    for (const Parts p : {Parts{2024, 2, 29, 23, 59, 0}, Parts{1970, 1, 1, 0, 0, 0},
                          Parts{2200, 12, 31, 7, 1, 0}}) {
        const auto back = DateTimeFormats::parse(DateTimeFormats::text(p));
        ASSERT_TRUE(back.has_value()) << DateTimeFormats::text(p).toStdString();
        EXPECT_EQ(DateTimeFormats::minuteKey(*back), DateTimeFormats::minuteKey(p));
    }
    for (const char* bad : {"", "hello", "32/01/2024", "29/02/2023", "01/13/2024",
                            "01/01/2024 25:00", "01/01/2024 10:00 junk"})
        EXPECT_FALSE(DateTimeFormats::parse(QString::fromUtf8(bad).replace("/", sep)).has_value())
            << bad;
}

TEST_F(DateTimeFormatsTest, MinuteKeysOrderAcrossMonthsYearsAndCenturies)
{
    const qint64 a = DateTimeFormats::minuteKey({1969, 12, 31, 23, 59, 0});
    const qint64 b = DateTimeFormats::minuteKey({1970, 1, 1, 0, 0, 0});
    const qint64 c = DateTimeFormats::minuteKey({2024, 2, 29, 0, 0, 0});
    const qint64 d = DateTimeFormats::minuteKey({2024, 3, 1, 0, 0, 0});
    EXPECT_EQ(b - a, 1);
    EXPECT_EQ(d - c, 1440);
    EXPECT_LT(d, DateTimeFormats::minuteKey({9999, 1, 1, 0, 0, 0}));
}

} // namespace
