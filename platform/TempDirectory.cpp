#include "platform/TempDirectory.h"

#include <QtGlobal>
#include <sys/stat.h>

namespace TempDirectory {

QByteArray path()
{
    QByteArray dir = qgetenv("TMPDIR");
    struct stat st;
    if (dir.isEmpty() || stat(dir.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        dir = "/tmp";
    return dir.endsWith('/') ? dir : dir + '/';
}

} // namespace TempDirectory
