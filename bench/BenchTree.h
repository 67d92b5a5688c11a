#pragma once

#include <QByteArray>
#include <QStringList>

// The large tree the benchmarks search: 1,000,000 files in 40,000
// directories, about 2% hits of Patterns and 1% empty files, made once and
// reused afterwards (it lives in /var/tmp by default).
namespace BenchTree {
constexpr int TopDirs = 200, SubDirs = 200, FilesPerDir = 25;
extern const QStringList Patterns;
// The tree named on the command line, or the default one; made unless a
// complete one is there already.
QByteArray fromArguments(int argc, char** argv);
} // namespace BenchTree
