#include "BenchTree.h"

#include <QFile>
#include <QRandomGenerator>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace BenchTree {

const QStringList Patterns = {"*.tmp", "*.bak", "*.old", "~*.*"};

namespace {

void makeTree(const QByteArray& root)
{
    std::printf("making the tree in %s (once) ...\n", root.constData());
    static const char* const hits[] = {".tmp", ".BAK", ".old"};
    static const char* const others[] = {".txt", ".c", ".h", ".png", ".so", ".conf", ".md", ""};
    QRandomGenerator rng(3);
    mkdir(root.constData(), 0755);
    for (int t = 0; t < TopDirs; ++t) {
        const QByteArray top = root + "/t" + QByteArray::number(t);
        mkdir(top.constData(), 0755);
        for (int s = 0; s < SubDirs; ++s) {
            const QByteArray dir = top + "/s" + QByteArray::number(s);
            mkdir(dir.constData(), 0755);
            const int dfd = open(dir.constData(), O_RDONLY | O_DIRECTORY);
            for (int f = 0; f < FilesPerDir; ++f) {
                const int roll = int(rng.bounded(1000));
                QByteArray name = "f" + QByteArray::number(f);
                off_t size = 1 + rng.bounded(100000);
                if (roll < 20)
                    name = (roll < 5 ? "~" + name + ".x" : name + hits[roll % 3]);
                else
                    name += others[roll % 8];
                if (roll >= 20 && roll < 30)
                    size = 0;
                const int fd = openat(dfd, name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                if (fd < 0 || ftruncate(fd, size) != 0) {
                    std::perror(name.constData());
                    std::exit(1);
                }
                close(fd);
            }
            close(dfd);
        }
        if (t % 20 == 19)
            std::printf("  %d%%\n", (t + 1) * 100 / TopDirs);
    }
    QFile done(QFile::decodeName(root + "/.complete"));
    done.open(QIODevice::WriteOnly);
    done.write("made by search_bench\n");
}

} // namespace

QByteArray fromArguments(int argc, char** argv)
{
    const QByteArray root = argc > 1 ? QByteArray(argv[1]) : "/var/tmp/kehrwerk-bench-tree";
    if (!QFile::exists(QFile::decodeName(root + "/.complete")))
        makeTree(root);
    return root;
}

} // namespace BenchTree
