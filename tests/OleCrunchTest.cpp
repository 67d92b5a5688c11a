#include "cleanup/OleCrunch.h"

#include "CompoundBuilder.h"
#include "FileList/TFileListView.h"
#include "ModalAnswer.h"
#include "SmallDisk.h"
#include "TestFiles.h"
#include "app/TfrmMain.h"
#include "search/SizeText.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

mode_t modeOf(const QByteArray& path)
{
    struct stat st;
    return lstat(path.constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

// The compacted file, read by an independent reader: its tree, class ids and
// a digest of every stream.
QString describe(const QByteArray& path)
{
    QProcess python;
    python.start("/usr/bin/python3", {"-c",
                                      "import olefile,hashlib,sys\n"
                                      "o=olefile.OleFileIO(sys.argv[1])\n"
                                      "print(o.root.clsid)\n"
                                      "for e in o.listdir(streams=True,storages=True):\n"
                                      "  print('/'.join(e), o.getclsid(e) if o.get_type(e)==1 else "
                                      "hashlib.sha1(o.openstream(e).read()).hexdigest())\n",
                                      QFile::decodeName(path)});
    python.waitForFinished();
    return python.exitCode() == 0 ? QString::fromUtf8(python.readAllStandardOutput()) : QString();
}

class OleCrunchTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QByteArray root = QFile::encodeName(QDir(dir.path()).canonicalPath());
    OleCrunch crunch{QStringLiteral(KW_CRUNCH_HELPER)};

    QByteArray document(const char* name, int version = 3, mode_t mode = 0644)
    {
        const QByteArray path = root + '/' + name;
        TestFiles::write(path, CompoundBuilder::build(version));
        chmod(path.constData(), mode);
        return path;
    }
    // A helper that fails the way a crashing or endless one would.
    QString fakeHelper(const char* body)
    {
        const QString path = dir.filePath("fake-helper");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("#!/bin/sh\n") + body + "\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        return path;
    }
};

TEST_F(OleCrunchTest, CompactsAndKeepsEveryElement)
{
    bool readIndependently = false;
    for (int version : {3, 4}) {
        SCOPED_TRACE(version);
        const QByteArray path = document("report.doc", version);
        const qint64 before = TestFiles::read(path).size();
        const QString original = describe(path);
        const OleCrunch::Outcome out = crunch.crunch(path, false);
        EXPECT_EQ(out.message, OleCrunch::Message::None);
        EXPECT_EQ(out.gain, before - TestFiles::read(path).size());
        EXPECT_GT(out.gain, 0);
        EXPECT_FALSE(TestFiles::exists(path + ".KW2"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                  QStringList({"report.doc"}))
            << "no temporary file left behind";
        if (original.isEmpty())
            continue;
        EXPECT_TRUE(original.contains("ObjectPool/Inner")) << original.toStdString();
        EXPECT_EQ(describe(path), original);
        readIndependently = true;
    }
    if (!readIndependently)
        GTEST_SKIP() << "python3-olefile is not installed: the independent reading was skipped";
}

TEST_F(OleCrunchTest, BackupsStayOnRequestAndTwiceIsFine)
{
    const QByteArray path = document("sheet.xls");
    const QByteArray before = TestFiles::read(path);
    const OleCrunch::Outcome first = crunch.crunch(path, true);
    EXPECT_GT(first.gain, 0);
    EXPECT_EQ(TestFiles::read(path + ".KW2"), before);
    const QByteArray compacted = TestFiles::read(path);
    const OleCrunch::Outcome second = crunch.crunch(path, true);
    EXPECT_EQ(second.message, OleCrunch::Message::None);
    EXPECT_EQ(TestFiles::read(path + ".KW2"),
              compacted); // the second backup holds the compacted file
    EXPECT_LE(second.gain, 0 + 512);
}

TEST_F(OleCrunchTest, PermissionsAreKeptAndReadOnlyFilesLeftAlone)
{
    const QByteArray privateDoc = document("private.doc", 3, 0600);
    crunch.crunch(privateDoc, true);
    EXPECT_EQ(modeOf(privateDoc), mode_t(0600));
    EXPECT_EQ(modeOf(privateDoc + ".KW2"), mode_t(0600));

    const QByteArray readOnly = document("readonly.doc", 3, 0444);
    const QByteArray before = TestFiles::read(readOnly);
    EXPECT_EQ(crunch.crunch(readOnly, true).gain, 0);
    EXPECT_EQ(TestFiles::read(readOnly), before);
    EXPECT_FALSE(TestFiles::exists(readOnly + ".KW2"));
}

TEST_F(OleCrunchTest, FailuresLeaveTheFileAsItWas)
{
    // A damaged body behind a valid header.
    QByteArray damaged = CompoundBuilder::build(3);
    damaged.replace(512, 512, QByteArray(512, '\x7f'));
    const QByteArray path = root + "/damaged.doc";
    TestFiles::write(path, damaged);
    const OleCrunch::Outcome out = crunch.crunch(path, false);
    EXPECT_NE(out.message, OleCrunch::Message::None);
    EXPECT_EQ(out.gain, 0);
    EXPECT_EQ(TestFiles::read(path), damaged);
    EXPECT_EQ(TestFiles::read(path + ".KW2"), damaged);

    const QByteArray good = document("good.doc");
    const QByteArray before = TestFiles::read(good);
    for (const char* body : {"kill -SEGV $$", "exec sleep 30"}) {
        const OleCrunch broken(fakeHelper(body), 500);
        const OleCrunch::Outcome o = broken.crunch(good, false);
        EXPECT_EQ(o.message, OleCrunch::Message::CrunchingFailed) << body;
        EXPECT_EQ(o.gain, 0);
        EXPECT_EQ(TestFiles::read(good), before);
        EXPECT_TRUE(TestFiles::exists(good + ".KW2"));
    }
}

TEST_F(OleCrunchTest, CrunchModeRemovesTheRowsAndSumsTheGain)
{
    const QString startDir = QDir::currentPath();
    TfrmMain window;
    TfrmOptionen options(&window);
    TfrmAusschluss exclusions(&window);
    TfrmSuchmuster editor(&window);
    window.setProgramDirectory(dir.path());
    window.setDialogs(&options, &exclusions, &editor);
    window.setHelperPath(QStringLiteral(KW_CRUNCH_HELPER));
    auto* found = window.findChild<TFileListView*>("Found");
    qint64 size = 0;
    const QByteArray a = document("a.doc"), b = document("b.doc"), c = document("c.doc");
    for (const QByteArray& p : {a, b, c})
        found->AddFile(p, size);
    window.setState(TfrmMain::State::CrunchResults);
    found->show();
    found->setSelected(0, true);
    found->setSelected(2, true);
    const qint64 before = TestFiles::read(a).size();
    window.BitBtn1Click();
    EXPECT_EQ(found->count(), 1);
    const qint64 gained = 2 * (before - TestFiles::read(a).size());
    EXPECT_EQ(window.statusText(), "Gained " + SizeText(gained) + " by crunching  2 files!");
    QDir::setCurrent(startDir);
}

// Whatever stopped the compaction: the file as it was, and beside it only
// the given other names.
void expectAsItWas(const QByteArray& path, const QByteArray& content, const QStringList& beside)
{
    EXPECT_EQ(TestFiles::read(path), content);
    const QString dir = QFile::decodeName(path.left(path.lastIndexOf('/')));
    QStringList expected = beside;
    expected << QFile::decodeName(path.mid(path.lastIndexOf('/') + 1));
    expected.sort();
    EXPECT_EQ(QDir(dir)
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                  .join(" | ")
                  .toStdString(),
              expected.join(" | ").toStdString());
}

TEST_F(OleCrunchTest, AHelperKilledMidCopyLeavesTheFileAndNoScraps)
{
    const QByteArray path = root + "/large.doc";
    const QByteArray content = CompoundBuilder::build(4, 20, 40 << 20);
    TestFiles::write(path, content);
    // Killed as soon as the first kilobyte it writes is on the disk.
    const OleCrunch killing(fakeHelper("\"" KW_CRUNCH_HELPER "\" \"$1\" \"$2\" & pid=$!\n"
                                       "while kill -0 $pid && [ -z \"$(find \"${1%/*}\" "
                                       "-name '.?*' -size +1k)\" ]; do :; done\n"
                                       "kill -KILL $pid; wait $pid\n"
                                       "[ $? -eq 137 ] && touch \"${1%/*}/killed\"\n"
                                       "kill -KILL $$"),
                            20000);
    const OleCrunch::Outcome out = killing.crunch(path, false);
    EXPECT_EQ(out.message, OleCrunch::Message::CrunchingFailed);
    EXPECT_EQ(out.gain, 0);
    expectAsItWas(path, content, {"fake-helper", "killed", "large.doc.KW2"});
    EXPECT_EQ(TestFiles::read(path + ".KW2"), content);
}

TEST_F(OleCrunchTest, ABackupThatCannotBeWrittenStopsBeforeAnyChange)
{
    const QByteArray path = document("plan.doc");
    const QByteArray content = TestFiles::read(path);
    // A directory in the backup's place.
    ASSERT_TRUE(QDir().mkdir(QFile::decodeName(path + ".KW2")));
    OleCrunch::Outcome out = crunch.crunch(path, false);
    EXPECT_EQ(out.message, OleCrunch::Message::None);
    EXPECT_EQ(out.gain, 0);
    expectAsItWas(path, content, {"plan.doc.KW2"});
    ASSERT_TRUE(QDir().rmdir(QFile::decodeName(path + ".KW2")));
    // A link in its place is not followed.
    TestFiles::write(root + "/elsewhere", "not chosen");
    ASSERT_EQ(symlink((root + "/elsewhere").constData(), (path + ".KW2").constData()), 0);
    out = crunch.crunch(path, false);
    EXPECT_EQ(out.gain, 0);
    expectAsItWas(path, content, {"elsewhere", "plan.doc.KW2"});
    EXPECT_EQ(TestFiles::read(root + "/elsewhere"), "not chosen");
}

TEST_F(OleCrunchTest, ADirectoryThatBecameALinkIsNotFollowed)
{
    // docs was a directory when it was searched.
    QTemporaryDir elsewhere;
    const QByteArray outside = QFile::encodeName(elsewhere.path()) + "/report.doc";
    TestFiles::write(outside, CompoundBuilder::build(3));
    const QByteArray content = TestFiles::read(outside);
    ASSERT_EQ(
        symlink(QFile::encodeName(elsewhere.path()).constData(), (root + "/docs").constData()), 0);
    const OleCrunch::Outcome out = crunch.crunch(root + "/docs/report.doc", true);
    EXPECT_EQ(out.gain, 0);
    expectAsItWas(outside, content, {});
}

TEST_F(OleCrunchTest, AFullDiskLeavesTheFileAsItWas)
{
    SmallDisk disk(2048);
    if (!disk.isReady())
        GTEST_SKIP() << "no file system of its own can be mounted here";
    const QByteArray path = QFile::encodeName(disk.path()) + "/report.doc";
    const QByteArray content = CompoundBuilder::build(3, 20, 300000);
    TestFiles::write(path, content);
    // No room for the backup: nothing changes, and nothing is said.
    disk.fill();
    OleCrunch::Outcome out = crunch.crunch(path, false);
    EXPECT_EQ(out.message, OleCrunch::Message::None);
    EXPECT_EQ(out.gain, 0);
    expectAsItWas(path, content, {"filler"});
    // Room for the backup, but the disk fills while the copy is written.
    ASSERT_TRUE(QFile::remove(disk.path() + "/filler"));
    disk.fill(content.size() + 16384);
    out = crunch.crunch(path, false);
    EXPECT_EQ(out.message, OleCrunch::Message::CrunchingFailed);
    EXPECT_EQ(out.gain, 0);
    expectAsItWas(path, content, {"filler", "report.doc.KW2"});
    EXPECT_EQ(TestFiles::read(path + ".KW2"), content);
}

} // namespace
