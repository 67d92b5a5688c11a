#include "platform/IoError.h"

#include <QFile>
#include <cerrno>
#include <cstring>

namespace {

std::string describe(int code, const QByteArray& path)
{
    return "I/O error " + std::to_string(code) + " (" + std::strerror(code) +
           "): " + path.toStdString();
}

} // namespace

IoError::IoError(int code, const QByteArray& path, Access access)
    : std::runtime_error(describe(code, path))
    , m_code(code)
    , m_path(path)
    , m_access(access)
{
}

IoError IoError::fromErrno(const QString& path, int fallback, Access access)
{
    return IoError(errno != 0 ? errno : fallback, QFile::encodeName(path), access);
}

bool IoError::isDriveNotReady() const
{
    return m_code == ENOMEDIUM || m_code == EIO || m_code == ENXIO || m_code == ENODEV;
}
