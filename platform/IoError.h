#pragma once

#include <QByteArray>
#include <QString>
#include <stdexcept>

// An input/output failure with the operating system's error code, raised by
// file operations and caught by the application's failure handler.
class IoError : public std::runtime_error {
public:
    enum class Access { Read, Save };

    IoError(int code, const QByteArray& path, Access access = Access::Read);
    // The failure errno describes, or the fallback code when errno is clear.
    static IoError fromErrno(const QString& path, int fallback, Access access = Access::Read);

    int code() const { return m_code; }
    const QByteArray& path() const { return m_path; }
    // The volume has no medium or cannot be read at all.
    bool isDriveNotReady() const;
    // A file of the program's own could not be saved; it keeps what it held.
    bool isSave() const { return m_access == Access::Save; }

private:
    int m_code;
    QByteArray m_path;
    Access m_access;
};
