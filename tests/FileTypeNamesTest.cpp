#include "platform/FileTypeNames.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(FileTypeNamesTest, KnownTypesComeFromTheMimeDatabase)
{
    FileTypeNames names;
    const QString text = names.forName("/some/dir/readme.txt");
    EXPECT_FALSE(text.isEmpty());
    EXPECT_NE(text, "TXT File");
    EXPECT_EQ(names.forName("NOTES.TXT"), text);
    // By name only: a .txt that holds a PNG is still text.
    EXPECT_EQ(names.forName("picture.txt"), text);
}

TEST(FileTypeNamesTest, UnknownTypesReadAsOnTheClassicDesktop)
{
    FileTypeNames names;
    EXPECT_EQ(names.forName("x.kwzz"), "KWZZ File");
    EXPECT_EQ(names.forName("Y.KwZz"), "KWZZ File");
    EXPECT_EQ(names.forName("README"), "File");
    EXPECT_EQ(names.forName("trailing."), "File");
    EXPECT_EQ(names.forName("dir.d/plain"), "File");
    EXPECT_EQ(names.forName(".kwhidden"), "KWHIDDEN File");
}

TEST(FileTypeNamesTest, RepeatedExtensionsAreServedFromTheCache)
{
    FileTypeNames names;
    const QString first = names.forName("a.kwzz");
    EXPECT_EQ(names.forName("b.KWZZ").constData(), first.constData());
}

TEST(FileTypeNamesTest, MissingPathHasNoTypeName)
{
    QTemporaryDir dir;
    FileTypeNames names;
    EXPECT_FALSE(names.forPath(QFile::encodeName(dir.filePath("gone.txt"))).has_value());
    EXPECT_EQ(names.forPath(QFile::encodeName(dir.path())).value_or("?"), "File");
}

} // namespace
