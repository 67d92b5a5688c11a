#pragma once

#include <QByteArray>

// The directory that holds an absolute path's last element, opened without
// following a symbolic link anywhere on the way. Paths found by the search
// hold no links; one that leads through a link now was changed since, and
// whatever the link points to was never chosen.
class ParentDirectory {
public:
    explicit ParentDirectory(const QByteArray& path);
    ~ParentDirectory();
    ParentDirectory(const ParentDirectory&) = delete;
    ParentDirectory& operator=(const ParentDirectory&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    // errno of the failed opening; ELOOP when a link was in the way.
    int error() const { return m_error; }
    // The last element, for the *at() calls.
    const char* name() const { return m_name.constData(); }

private:
    int m_fd = -1;
    int m_error = 0;
    QByteArray m_name;
};
