#include "search/JunkSearch.h"

#include "TestFiles.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class NoProgress : public SearchProgress {
public:
    void showDirectory(const QByteArray& path) override { shown << path; }
    void letEventsRun() override {}
    QList<QByteArray> shown;
};

class JunkSearchTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QByteArray root = QFile::encodeName(QDir(tmp.path()).canonicalPath()) + "/";
    bool stop = false;
    NoProgress progress;

    QByteArray file(const QByteArray& relative, const QByteArray& content = "data")
    {
        const QByteArray path = root + relative;
        QDir().mkpath(QFile::decodeName(path.left(path.lastIndexOf('/'))));
        TestFiles::write(path, content);
        return path;
    }
    void dir(const QByteArray& relative) { QDir().mkpath(QFile::decodeName(root + relative)); }
    // Hits below root, relative to it, sorted by bytes.
    QList<QByteArray> search(const QStringList& patterns, bool ignoreEmpty = true,
                             quint32 ignore = 0, const QStringList& exclude = {},
                             const QList<QByteArray>& roots = {})
    {
        SearchOptions options{patterns, ignoreEmpty, ignore};
        JunkSearch s(options, exclude, stop, progress);
        for (const QByteArray& r : roots.isEmpty() ? QList<QByteArray>{root} : roots)
            s.SearchDirectory(r, s.maskList());
        QList<QByteArray> out;
        for (const QByteArray& p : s.FoundNames())
            out << (p.startsWith(root) ? p.mid(root.size()) : p);
        std::sort(out.begin(), out.end());
        return out;
    }
    using L = QList<QByteArray>;
};

TEST_F(JunkSearchTest, MasksNameFilesNotDirectories)
{
    file("a.tmp");
    file("B.TMP");
    file("keep.txt");
    file("old.bak/inside.bak");
    file("x.c");
    EXPECT_EQ(search({"*.tmp", "*.bak"}), L({"B.TMP", "a.tmp", "old.bak/inside.bak"}));
    EXPECT_EQ(search({"?.c"}), L({"x.c"}));
}

TEST_F(JunkSearchTest, EmptyFilesAndTheCatchAll)
{
    file("empty.tmp", "");
    file("empty.txt", "");
    file("full.tmp");
    EXPECT_EQ(search({"*.tmp"}, true), L({"full.tmp"}));
    EXPECT_EQ(search({"*.tmp"}, false), L({"empty.tmp", "empty.txt", "full.tmp"}));
    EXPECT_EQ(search({"*.*"}, false), L({"empty.tmp", "empty.txt"}));
    EXPECT_TRUE(search({"*.*"}, true).isEmpty());
}

TEST_F(JunkSearchTest, IgnoredAttributesSpareOnlyFilesWithContent)
{
    file(".hidden.tmp");
    file(".hidden-empty.tmp", "");
    chmod(file("readonly.tmp").constData(), 0444);
    file("plain.tmp");
    EXPECT_EQ(search({"*.tmp"}, false, 0x02 | 0x01), L({".hidden-empty.tmp", "plain.tmp"}));
    EXPECT_EQ(search({"*.tmp"}, true, 0x02), L({"plain.tmp", "readonly.tmp"}));
    EXPECT_EQ(search({"*.tmp"}, true, 0x01), L({".hidden.tmp", "plain.tmp"}));
    EXPECT_EQ(search({"*.tmp"}, true, 0), L({".hidden.tmp", "plain.tmp", "readonly.tmp"}));
}

TEST_F(JunkSearchTest, ExclusionsArePrefixesOfTheDirectory)
{
    file("Temp/a.tmp");
    file("Temp/deep/b.tmp");
    file("Temp2/c.tmp");
    file("other/d.tmp");
    const QString r = QFile::decodeName(root);
    EXPECT_EQ(search({"*.tmp"}, true, 0, {r + "Temp/"}), L({"Temp2/c.tmp", "other/d.tmp"}));
    EXPECT_EQ(search({"*.tmp"}, true, 0, {r + "other/", r + "Temp"}), L());
    EXPECT_EQ(search({"*.tmp"}, true, 0, {r + "TEMP/"}), L({"Temp2/c.tmp", "other/d.tmp"}));
    EXPECT_EQ(search({"*.tmp"}, true, 0, {"/elsewhere" + r + "Temp/"}).size(), 4);
}

TEST_F(JunkSearchTest, EachFileOnceHoweverItIsReached)
{
    file("sub/a.tmp");
    file("sub/A.TMP");
    file("top.tmp");
    const QByteArray noSlash = root.left(root.size() - 1);
    const L all({"sub/A.TMP", "sub/a.tmp", "top.tmp"});
    EXPECT_EQ(search({"*.tmp"}, true, 0, {}, {root, noSlash, root + "sub/", root + "sub"}), all);
    EXPECT_EQ(search({"*.tmp"}, true, 0, {}, {root + "vanished/", noSlash}), all);
}

TEST_F(JunkSearchTest, LinksAreNeverFollowed)
{
    QTemporaryDir outside;
    TestFiles::write(QFile::encodeName(outside.filePath("far.tmp")), "x");
    dir("real");
    ASSERT_EQ(symlink(QFile::encodeName(outside.path()).constData(), (root + "out").constData()),
              0);
    ASSERT_EQ(symlink(".", (root + "real/loop").constData()), 0);
    ASSERT_EQ(symlink("nowhere", (root + "dangling.tmp").constData()), 0);
    ASSERT_EQ(symlink("real", (root + "dirlink.tmp").constData()), 0);
    ASSERT_EQ(mkfifo((root + "pipe.tmp").constData(), 0644), 0);
    EXPECT_EQ(search({"*.tmp"}, false), L({"dangling.tmp"}));
}

TEST_F(JunkSearchTest, OddNamesComeBackByteForByte)
{
    file("with blanks .tmp");
    file("caf\xe9.tmp");
    file("\xe4\xb8\xad.tmp");
    EXPECT_EQ(search({"*.tmp"}), L({"caf\xe9.tmp", "with blanks .tmp", "\xe4\xb8\xad.tmp"}));
}

TEST_F(JunkSearchTest, UnreadableDirectoriesArePassedOver)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every directory";
    file("locked/a.tmp");
    file("open/b.tmp");
    chmod((root + "locked").constData(), 0);
    EXPECT_EQ(search({"*.tmp"}), L({"open/b.tmp"}));
    chmod((root + "locked").constData(), 0755);
}

TEST_F(JunkSearchTest, StopEndsTheWalkAndSkipsLaterRoots)
{
    for (int i = 0; i < 200; ++i)
        file("first/d" + QByteArray::number(i) + "/x.tmp");
    file("second/y.tmp");
    class StopAtOnce : public SearchProgress {
    public:
        explicit StopAtOnce(bool& stop)
            : m_stop(stop)
        {
        }
        void showDirectory(const QByteArray&) override {}
        void letEventsRun() override { m_stop = true; }
        bool& m_stop;
    } stopper(stop);
    JunkSearch s(SearchOptions{{"*.tmp"}, true, 0}, {}, stop, stopper);
    s.SearchDirectory(root + "first/", s.maskList());
    s.SearchDirectory(root + "second/", s.maskList());
    EXPECT_TRUE(stop);
    EXPECT_LT(s.FoundNames().size(), 200);
    EXPECT_FALSE(s.FoundNames().contains(root + "second/y.tmp"));
}

// The walk keeps its own stack: depth costs no program stack.
TEST_F(JunkSearchTest, ADeepTreeIsWalkedToTheBottom)
{
    QByteArray deep;
    for (int i = 0; i < 1000; ++i)
        deep += "d/";
    dir(deep);
    file(deep + "bottom.tmp");
    EXPECT_EQ(search({"*.tmp"}), L({deep + "bottom.tmp"}));
}

TEST_F(JunkSearchTest, ADirectoryOfAHundredThousandEntries)
{
    dir("wide");
    L expected;
    for (int i = 0; i < 100000; ++i) {
        const QByteArray name = "wide/" + QByteArray::number(i) + (i % 10 ? ".txt" : ".tmp");
        const int fd = open((root + name).constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(write(fd, "x", 1), 1);
        close(fd);
        if (i % 10 == 0)
            expected << name;
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(search({"*.tmp"}), expected);
}

TEST_F(JunkSearchTest, FindsWhatGnuFindFinds)
{
    if (QStandardPaths::findExecutable("find").isEmpty())
        GTEST_SKIP() << "no find here";
    QRandomGenerator rng(11);
    const char* const names[] = {"a.tmp", "B.Bak", "c.txt", "d.TMP", "e", ".f.tmp", "g.old", "h.c"};
    for (int i = 0; i < 1500; ++i) {
        const QByteArray d = "d" + QByteArray::number(rng.bounded(60)) + "/s" +
                             QByteArray::number(rng.bounded(5)) + "/";
        const QByteArray name = QByteArray::number(i) + names[rng.bounded(8)];
        file(d + name, rng.bounded(10) == 0 ? "" : "content");
    }
    QProcess find;
    find.start("find", {tmp.path(), "-type", "f", "(", "-iname", "*.tmp", "-o", "-iname", "*.bak",
                        "-o", "-iname", "*.old", "-o", "-size", "0", ")"});
    ASSERT_TRUE(find.waitForFinished());
    QSet<QByteArray> expected;
    for (const QByteArray& line : find.readAllStandardOutput().split('\n'))
        if (!line.isEmpty())
            expected.insert(line.mid(QFile::encodeName(tmp.path()).size() + 1));
    const L found = search({"*.tmp", "*.bak", "*.old"}, false);
    EXPECT_EQ(QSet<QByteArray>(found.begin(), found.end()), expected);
    EXPECT_EQ(found.size(), expected.size());
}

} // namespace
