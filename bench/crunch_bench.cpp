// Compacting compound files beside copying them with cp, in the same run: a
// file of about 50 MB and a directory of 1,000 small ones.
//
//   crunch_bench [path of kehrwerk-crunch]   (default: beside this program's build)
#include "BenchSupport.h"
#include "CompoundBuilder.h"
#include "cleanup/OleCrunch.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using namespace BenchSupport;

double cp(const QStringList& args)
{
    return timedMs([&] {
        QProcess p;
        p.start("cp", args);
        p.waitForFinished(-1);
    });
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString helper = argc > 1
                               ? QString::fromLocal8Bit(argv[1])
                               : QCoreApplication::applicationDirPath() + "/../kehrwerk-crunch";
    QTemporaryDir dir(QDir::tempPath() + "/kw-crunch-XXXXXX");
    const OleCrunch crunch(helper);

    const QString large = dir.filePath("large.doc");
    writeOrExit(large, CompoundBuilder::build(4, 2560, 40 << 20));
    const double cpLarge = cp({large, dir.filePath("large-copy.doc")});
    const qint64 before = QFileInfo(large).size();
    OleCrunch::Outcome outcome;
    const double crunchLarge =
        timedMs([&] { outcome = crunch.crunch(QFile::encodeName(large), false); });

    QDir(dir.path()).mkdir("small");
    QList<QByteArray> small;
    const QByteArray body = CompoundBuilder::build(3);
    for (int i = 0; i < 1000; ++i) {
        const QString p = dir.filePath(QStringLiteral("small/s%1.xls").arg(i));
        writeOrExit(p, body);
        small.append(QFile::encodeName(p));
    }
    const double cpSmall = cp({"-r", dir.filePath("small"), dir.filePath("small-copy")});
    qint64 gainedSmall = 0;
    const double crunchSmall = timedMs([&] {
        for (const QByteArray& p : small)
            gainedSmall += crunch.crunch(p, false).gain;
    });

    std::printf("large file: %.1f MB, gained %.1f MB%s\n", double(before) / 1e6,
                double(outcome.gain) / 1e6,
                outcome.message == OleCrunch::Message::None ? "" : " (FAILED)");
    std::printf("  cp             %8.0f ms\n", cpLarge);
    std::printf("  crunch         %8.0f ms  %.2f x cp\n", crunchLarge, crunchLarge / cpLarge);
    std::printf("1,000 small files, gained %.1f MB\n", double(gainedSmall) / 1e6);
    std::printf("  cp -r          %8.0f ms\n", cpSmall);
    std::printf("  crunch each    %8.0f ms  %.2f x cp\n", crunchSmall, crunchSmall / cpSmall);
    return outcome.message == OleCrunch::Message::None ? 0 : 1;
}
