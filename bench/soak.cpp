// The whole program on a tree of a million files, driven through the object
// names of its window as a user drives it with the mouse: five searches in a
// row, 10,000 hits moved to the trash, 100 compound documents found and
// compacted. Prints the time and memory of every step; fails when a step does
// not do what it should or memory grows from search to search. The trashed
// files are put back from the trash at the end (and at the start, after an
// interrupted run), so the tree stays as it was.
//
//   soak [tree directory]   (default /var/tmp/kehrwerk-bench-tree)
#include "BenchSupport.h"
#include "BenchTree.h"
#include "CompoundBuilder.h"
#include "FileList/TFileListView.h"
#include "ModalAnswer.h"
#include "app/KehrwerkApplication.h"
#include "app/TfrmMain.h"
#include "platform/DirectoryListBox.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <cstdio>

namespace {

using namespace BenchSupport;

int g_faults = 0;

void check(bool ok, const char* what)
{
    if (!ok) {
        std::printf("  FAULT: %s\n", what);
        ++g_faults;
    }
}

// Resident and peak resident memory of this process, in MiB.
double memoryMiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}

// Every entry of the trash goes back to where its info file says it was.
int restoreFromTrash(const QByteArray& trash)
{
    int restored = 0;
    const QDir info(QFile::decodeName(trash + "/info"));
    for (const QString& name : info.entryList({"*.trashinfo"}, QDir::Files)) {
        QFile f(info.filePath(name));
        f.open(QIODevice::ReadOnly);
        QByteArray path;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith("Path="))
                path = QByteArray::fromPercentEncoding(line.mid(5));
        const QByteArray entry = trash + "/files/" + QFile::encodeName(name).chopped(10);
        if (!path.isEmpty() && rename(entry.constData(), path.constData()) == 0) {
            f.remove();
            ++restored;
        }
    }
    return restored;
}

class Soak {
public:
    Soak(const QByteArray& root, const QString& helper)
        : m_root(root)
        , m_options(&m_window)
        , m_exclusions(&m_window)
        , m_editor(&m_window)
    {
        writeOrExit(m_programDir.filePath("kw2.ini"),
                    "[Opt]\r\no_trash=1\r\no_backup=0\r\no_0byte=0\r\n"
                    "o_hidden=0\r\no_system=0\r\no_ro=0\r\n");
        writeOrExit(m_programDir.filePath("patterns.kwl"),
                    BenchTree::Patterns.join("\r\n").toUtf8() + "\r\n");
        m_window.setProgramDirectory(m_programDir.path());
        m_window.setDialogs(&m_options, &m_exclusions, &m_editor);
        m_window.setHelperPath(helper);
        m_window.LoadPatterns();
        m_window.show();
        QApplication::processEvents();
        action("AlleSuchmusteranwhlen1")->trigger();
        m_window.findChild<DirectoryListBox*>("Dirs")->setDirectory(root);
        click("BitBtn2");
    }

    void searches(int rounds)
    {
        std::vector<double> resident;
        for (int i = 0; i < rounds; ++i) {
            const double ms = timedMs([this] { click("ToolButton4"); });
            resident.push_back(memoryMiB("VmRSS:"));
            std::printf("  search %d: %7.0f ms, %d rows, resident %.1f MiB  (%s)\n", i + 1, ms,
                        found()->count(), resident.back(), qPrintable(m_window.statusText()));
        }
        // The first round grows the caches; later rounds must not add to them.
        check(resident.back() <= resident[1] * 1.05 + 4, "memory grows from search to search");
    }

    void trashHits(int count)
    {
        const int before = found()->count();
        selectRows(count);
        QList<QByteArray> chosen;
        for (int row : found()->selectedRows())
            chosen << found()->filePath(row);
        QStringList shown;
        const double ms = timedMs([&] {
            shown = textsOf(answerMessages(QMessageBox::Yes, [this] { click("BitBtn1"); }));
        });
        int gone = 0;
        for (const QByteArray& path : chosen)
            gone += QFile::exists(QFile::decodeName(path)) ? 0 : 1;
        std::printf("  delete %d to the trash: %7.0f ms, %d gone, %d rows left  (%s)\n", count, ms,
                    gone, found()->count(), qPrintable(m_window.statusText()));
        check(shown.size() == 1, "a message besides the question");
        check(gone == count && found()->count() == before - count, "not every chosen file went");
    }

    void crunch(const QByteArray& docs, int count)
    {
        const double walk = timedMs([this] { click("ToolButton19"); });
        std::printf("  OLE-Crunch walk: %7.0f ms, %d compound files listed\n", walk,
                    found()->count());
        check(found()->count() == count, "not every document listed");
        qint64 before = 0, after = 0;
        for (const QString& name : QDir(QFile::decodeName(docs)).entryList(QDir::Files))
            before += QFileInfo(QFile::decodeName(docs) + '/' + name).size();
        selectRows(found()->count());
        QStringList shown;
        const double ms = timedMs([&] {
            shown = textsOf(answerMessages(QMessageBox::Ok, [this] { click("BitBtn1"); }));
        });
        const QStringList left = QDir(QFile::decodeName(docs)).entryList(QDir::Files);
        for (const QString& name : left)
            after += QFileInfo(QFile::decodeName(docs) + '/' + name).size();
        std::printf("  crunch %d: %7.0f ms, %lld -> %lld bytes  (%s)\n", count, ms, before, after,
                    qPrintable(m_window.statusText()));
        check(shown.isEmpty(), "a message during the compaction");
        check(left.size() == count && after < before, "documents not compacted in place");
    }

private:
    TFileListView* found() { return m_window.findChild<TFileListView*>("Found"); }
    QAction* action(const char* name) { return m_window.findChild<QAction*>(name); }
    void click(const char* name)
    {
        m_window.findChild<QAbstractButton*>(name)->click();
        QApplication::processEvents();
    }
    // As a click on a row and a shift-click on the last row of the list.
    void selectRows(int count)
    {
        QAbstractItemModel* model = found()->model();
        const int rows = found()->count();
        found()->selectionModel()->select(
            QItemSelection(model->index(rows - count, 0), model->index(rows - 1, 0)),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QByteArray m_root;
    QTemporaryDir m_programDir;
    TfrmMain m_window;
    TfrmOptionen m_options;
    TfrmAusschluss m_exclusions;
    TfrmSuchmuster m_editor;
};

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessTold();
    KehrwerkApplication app(argc, argv);
    const QByteArray root = BenchTree::fromArguments(argc, argv);
    // The trash on the tree's own file system, where the program moves to it.
    const QByteArray data = root + "-soak-data";
    QDir().mkpath(QFile::decodeName(data));
    qputenv("XDG_DATA_HOME", data);
    if (const int left = restoreFromTrash(data + "/Trash"))
        std::printf("put back %d files left in the trash by an interrupted run\n", left);

    const QByteArray docs = root + "/soak-docs";
    QDir(QFile::decodeName(docs)).removeRecursively();
    QDir().mkpath(QFile::decodeName(docs));
    constexpr int Documents = 100;
    for (int i = 0; i < Documents; ++i)
        writeOrExit(QFile::decodeName(docs) + QStringLiteral("/report%1.doc").arg(i),
                    CompoundBuilder::build(3 + i % 2, 40, 20000 + 500 * i));

    QElapsedTimer total;
    total.start();
    std::printf("soak on %s (%d files and %d documents)\n", root.constData(),
                BenchTree::TopDirs * BenchTree::SubDirs * BenchTree::FilesPerDir, Documents);
    {
        Soak soak(root, QCoreApplication::applicationDirPath() + "/../kehrwerk-crunch");
        soak.searches(5);
        soak.trashHits(10000);
        soak.crunch(docs, Documents);
    }
    const double seconds = double(total.elapsed()) / 1000;
    const int restored = restoreFromTrash(data + "/Trash");
    check(restored == 10000, "the trash does not hold the 10,000 files");
    QDir(QFile::decodeName(docs)).removeRecursively();
    std::printf("all steps: %.1f s; peak resident memory %.1f MiB; put back from the trash: %d\n",
                seconds, memoryMiB("VmHWM:"), restored);
    std::printf(g_faults ? "%d FAULTS\n" : "no faults\n", g_faults);
    return g_faults ? 1 : 0;
}
