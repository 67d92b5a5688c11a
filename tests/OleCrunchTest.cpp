#include "cleanup/OleCrunch.h"

#include "CompoundBuilder.h"
#include "FileList/TFileListView.h"
#include "ModalAnswer.h"
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

} // namespace
