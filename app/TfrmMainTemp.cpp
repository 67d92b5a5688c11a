#include "app/TfrmMain.h"
#include "platform/MessageBoxes.h"
#include "platform/ShellDelete.h"
#include "platform/TempDirectory.h"
#include "settings/Options.h"

#include <QFile>
#include <sys/stat.h>

// Everything in the temp directory goes, the directory stays. What running
// programs hold (sockets, pipes) and what other users own stays where it is.
void TfrmMain::ToolButton7Click()
{
    const QByteArray dir = TempDirectory::path();
    struct stat st;
    if (stat(dir.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        MessageBoxes::showMessage(
            this, QStringLiteral("The temporary directory %1 does not exist or is not a directory.")
                      .arg(QFile::decodeName(dir)));
        return;
    }
    if (!MessageBoxes::askYesNo(this, QFile::decodeName(dir),
                                QStringLiteral("Are you sure to empty the above directory?")))
        return;
    ShellDelete shell(this);
    shell.setOwnEntriesOnly(true);
    shell.run({dir + "*.*"}, option(o_trash));
}
