// The junk search against GNU find on a large tree, in the same run.
//
//   search_bench [tree directory]   (default /var/tmp/kehrwerk-bench-tree)
//
// The tree (1,000,000 files in 40,000 directories, about 2% pattern hits and
// 1% empty files) is made on the first run and reused afterwards.
#include "BenchSupport.h"
#include "BenchTree.h"
#include "FileList/TFileListView.h"
#include "app/KehrwerkApplication.h"
#include "app/TfrmMain.h"
#include "platform/DirectoryListBox.h"
#include "search/JunkSearch.h"
#include "settings/PatternListBox.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

using namespace BenchTree;

double runFind(const QByteArray& root, QSet<QByteArray>* found)
{
    QStringList args{QFile::decodeName(root), "-type", "f", "("};
    for (const QString& p : Patterns)
        args << "-iname" << p << "-o";
    args << "-size"
         << "0"
         << ")";
    QElapsedTimer t;
    t.start();
    QProcess find;
    find.start("find", args);
    find.waitForFinished(-1);
    const QByteArray out = find.readAllStandardOutput();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (found)
        for (const QByteArray& line : out.split('\n'))
            if (!line.isEmpty())
                found->insert(line);
    return ms;
}

class Quiet : public SearchProgress {
public:
    void showDirectory(const QByteArray&) override {}
    void letEventsRun() override {}
};

double runEngine(const QByteArray& root, QList<QByteArray>* found)
{
    bool stop = false;
    Quiet quiet;
    QElapsedTimer t;
    t.start();
    JunkSearch search(SearchOptions{Patterns, false, 0}, {}, stop, quiet);
    search.SearchDirectory(root, search.maskList());
    const QList<QByteArray> names = search.FoundNames();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    if (found)
        *found = names;
    return ms;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessTold();
    KehrwerkApplication app(argc, argv);
    const QByteArray root = BenchTree::fromArguments(argc, argv);

    QSet<QByteArray> byFind;
    QList<QByteArray> byEngine;
    runFind(root, &byFind); // warm the caches for everyone
    runEngine(root, &byEngine);
    const bool same = byFind == QSet<QByteArray>(byEngine.begin(), byEngine.end()) &&
                      byEngine.size() == byFind.size();
    std::printf("tree: %d directories, %d files; hits: find %lld, search %lld, same files: %s\n",
                TopDirs * SubDirs + TopDirs + 1, TopDirs * SubDirs * FilesPerDir,
                qint64(byFind.size()), qint64(byEngine.size()), same ? "yes" : "NO");

    std::vector<double> finds, walks, clicks;
    TfrmMain window;
    TfrmOptionen options(&window);
    TfrmAusschluss exclusions(&window);
    TfrmSuchmuster editor(&window);
    // The options come from the settings file at every activation: empty
    // files on, no attribute ignored, so that the search asks what find asks.
    QTemporaryDir programDir;
    QFile ini(programDir.filePath("kw2.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write("[Opt]\r\no_0byte=0\r\no_hidden=0\r\no_system=0\r\no_ro=0\r\n");
    ini.close();
    window.setProgramDirectory(programDir.path());
    window.setDialogs(&options, &exclusions, &editor);
    window.findChild<DirectoryListBox*>("Dirs")->setDirectory(root);
    window.BitBtn2Click();
    auto* patterns = window.findChild<PatternListBox*>("Patterns");
    for (const QString& p : Patterns)
        patterns->addPattern(p);
    patterns->setAllChecked(true);
    window.show();
    for (int round = 0; round < 3; ++round) {
        finds.push_back(runFind(root, nullptr));
        walks.push_back(runEngine(root, nullptr));
        QElapsedTimer t;
        t.start();
        window.ToolButton4Click();
        QApplication::processEvents();
        clicks.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    const double f = median(finds), w = median(walks), c = median(clicks);
    const int rows = window.findChild<TFileListView*>("Found")->count();
    std::printf("median of 3 rounds:\n");
    std::printf("  GNU find                         %8.0f ms\n", f);
    std::printf("  search engine (walk + sort)      %8.0f ms  %.2f x find\n", w, w / f);
    std::printf("  whole click (%d rows listed)  %8.0f ms  %.2f x find\n", rows, c, c / f);
    std::printf("  status line: %s\n", qPrintable(window.statusText()));
    return same ? 0 : 1;
}
