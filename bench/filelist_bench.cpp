// Fills the result list the way a search does and sets the time against its
// baseline, a bare lstat of the same files, measured in the same run.
//
//   filelist_bench [file count]   (default 100000; files go to a temp dir)
#include "BenchSupport.h"
#include "FileList/TFileListView.h"
#include "platform/DateTimeFormats.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<QByteArray> makeFiles(const QString& root, int count)
{
    static const char* const extensions[] = {"tmp", "bak", "log", "txt", "old",   "chk",
                                             "dmp", "gid", "dll", "exe", "~mp",   "$$$",
                                             "doc", "xls", "png", "jpg", "cache", ""};
    QRandomGenerator rng(7);
    std::vector<QByteArray> paths;
    paths.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const QByteArray dir = QFile::encodeName(root) + "/d" + QByteArray::number(i / 1000);
        if (i % 1000 == 0)
            mkdir(dir.constData(), 0755);
        const char* ext = extensions[rng.bounded(int(std::size(extensions)))];
        QByteArray p = dir + "/file" + QByteArray::number(i) + (*ext ? "." : "") + ext;
        const int fd = open(p.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || ftruncate(fd, rng.bounded(1 << 20)) != 0) {
            std::perror(p.constData());
            std::exit(1);
        }
        close(fd);
        paths.push_back(std::move(p));
    }
    return paths;
}

double lstatAll(const std::vector<QByteArray>& paths)
{
    QElapsedTimer t;
    t.start();
    struct stat st;
    long long total = 0;
    for (const QByteArray& p : paths)
        total += lstat(p.constData(), &st) == 0 ? st.st_size : 0;
    const double ms = double(t.nsecsElapsed()) / 1e6;
    std::printf("(checksum %lld)\n", total % 1000);
    return ms;
}

template <typename F> double timeEach(const std::vector<QByteArray>& paths, F f)
{
    QElapsedTimer t;
    t.start();
    for (const QByteArray& p : paths)
        f(p);
    return double(t.nsecsElapsed()) / 1e6;
}

// Where the time of one AddFile goes, step by step.
void printBreakdown(const std::vector<QByteArray>& paths)
{
    EntryReader entries;
    FileTypeNames types;
    qint64 sink = 0;
    std::printf("  entry look-up    %9.1f ms\n",
                timeEach(paths, [&](const QByteArray& p) { sink += entries.lookup(p)->size; }));
    std::printf("  type name        %9.1f ms\n", timeEach(paths, [&](const QByteArray& p) {
                    sink += types.forName(QFile::decodeName(p)).size();
                }));
    std::printf("  version resource %9.1f ms\n", timeEach(paths, [&](const QByteArray& p) {
                    sink += VersionResource::fromFile(p).isEmpty();
                }));
    std::printf("  date text        %9.1f ms\n", timeEach(paths, [&](const QByteArray& p) {
                    sink += DateTimeFormats::fileTimeText(p.size() * 1000000LL).size();
                }));
    std::printf("  (sink %lld)\n", sink % 10);
}

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessTold();
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir dir(QDir::tempPath() + "/kw-bench-XXXXXX");
    std::printf("making %d files in %s ...\n", count, qPrintable(dir.path()));
    const std::vector<QByteArray> paths = makeFiles(dir.path(), count);

    lstatAll(paths); // warm the cache for both runs
    const double baseline = lstatAll(paths);

    TFileListView view;
    for (const char* c : {"Filename", "Filesize", "Type", "Date", "Attr"})
        view.addColumn(c, QByteArray(c) == "Filesize" || QByteArray(c) == "Attr" ? Qt::AlignRight
                                                                                 : Qt::AlignLeft);
    view.setSortType(TFileListView::stBoth);
    view.resize(1000, 700);
    view.show();
    QApplication::processEvents();

    QElapsedTimer t;
    t.start();
    qint64 total = 0, size = 0;
    for (const QByteArray& p : paths)
        if (view.AddFile(p, size))
            total += size;
    const double adding = double(t.nsecsElapsed()) / 1e6;
    view.repaint();
    QApplication::processEvents();
    const double all = double(t.nsecsElapsed()) / 1e6;

    const bool sorted = view.count() == count && view.subItems(0)[0].toLongLong() <=
                                                     view.subItems(count - 1)[0].toLongLong();
    std::printf("rows %d, total %lld bytes, sorted by size: %s\n", view.count(), total,
                sorted ? "yes" : "NO");
    std::printf("baseline  lstat of %d files          %9.1f ms\n", count, baseline);
    std::printf("AddFile   %d files (rows only)       %9.1f ms\n", count, adding);
    std::printf("AddFile   listed, sorted and painted  %9.1f ms  (%.1f x baseline)\n", all,
                all / baseline);
    std::printf("breakdown of the same work:\n");
    printBreakdown(paths);
    return sorted ? 0 : 1;
}
