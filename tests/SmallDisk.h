#pragma once

#include <QString>
#include <QTemporaryDir>

// A tiny file system of its own for tests of a full disk; only where the
// test may mount one (as root), otherwise isReady() is false.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool isReady() const { return m_mounted; }
    QString path() const { return m_dir.path(); }
    // Takes up whatever room is left, but about the given number of bytes.
    void fill(qint64 leave = 0) const;
    bool makeReadOnly() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};
