// Deleting 10,000 files: the bare unlink beside the shell stand-in (for good
// and into the trash) and beside whole "Delete" clicks on 10,000 listed rows.
//
//   delete_bench [file count]   (default 10000; the trash is a temporary one)
#include "BenchSupport.h"
#include "FileList/TFileListView.h"
#include "app/KehrwerkApplication.h"
#include "app/TfrmMain.h"
#include "platform/ShellDelete.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

using namespace BenchSupport;

QList<QByteArray> makeFiles(const QByteArray& dir, int count)
{
    QList<QByteArray> paths;
    for (int i = 0; i < count; ++i) {
        const QByteArray p = dir + "/f" + QByteArray::number(i) + ".tmp";
        const int fd = open(p.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || write(fd, "junk", 4) != 4)
            std::exit(1);
        close(fd);
        paths.append(p);
    }
    return paths;
}

double click(TfrmMain& window, TfrmOptionen& options, bool trash, const QList<QByteArray>& files)
{
    auto* found = window.findChild<TFileListView*>("Found");
    found->clear();
    qint64 size = 0;
    for (const QByteArray& f : files)
        found->AddFile(f, size);
    if (!files.isEmpty())
        found->selectAll();
    Options o = options.options();
    o[o_trash] = trash;
    options.setOptions(o);
    QTimer yes;
    QObject::connect(&yes, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Yes)->click();
    });
    yes.start(1);
    const double ms = timedMs([&] { window.BitBtn1Click(); });
    std::printf("    (%s; %d rows left)\n", qPrintable(window.statusText()), found->count());
    return ms;
}

} // namespace

int main(int argc, char** argv)
{
    BenchSupport::offscreenUnlessTold();
    KehrwerkApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    QTemporaryDir work(QDir::tempPath() + "/kw-delete-XXXXXX"),
        data(QDir::tempPath() + "/kw-trash-XXXXXX");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QByteArray dir = QFile::encodeName(work.path());

    QList<QByteArray> files = makeFiles(dir, count);
    const double unlinkMs = timedMs([&] {
        for (const QByteArray& f : files)
            unlink(f.constData());
    });
    files = makeFiles(dir, count);
    const double eraseMs = timedMs([&] { ShellDelete(nullptr).run(files, false); });
    files = makeFiles(dir, count);
    const double trashMs = timedMs([&] { ShellDelete(nullptr).run(files, true); });

    TfrmMain window;
    TfrmOptionen options(&window);
    TfrmAusschluss exclusions(&window);
    TfrmSuchmuster editor(&window);
    window.setDialogs(&options, &exclusions, &editor);
    window.setState(TfrmMain::State::SearchResults);
    window.show();
    std::printf("whole clicks:\n");
    const double clickNothing = click(window, options, false, {});
    const double clickErase = click(window, options, false, makeFiles(dir, count));
    const double clickTrash = click(window, options, true, makeFiles(dir, count));

    std::printf("%d files\n", count);
    std::printf("  baseline unlink                 %8.0f ms\n", unlinkMs);
    std::printf("  shell stand-in, for good        %8.0f ms  %.2f x unlink\n", eraseMs,
                eraseMs / unlinkMs);
    std::printf("  shell stand-in, to the trash    %8.0f ms  %.2f x unlink\n", trashMs,
                trashMs / unlinkMs);
    std::printf("  \"Delete\" click, nothing selected %8.0f ms  (the question and the list)\n",
                clickNothing);
    std::printf("  \"Delete\" click, for good        %8.0f ms\n", clickErase);
    std::printf("  \"Delete\" click, to the trash    %8.0f ms\n", clickTrash);
    return 0;
}
