#include "app/KehrwerkApplication.h"
#include "app/TfrmMain.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QDir>
#include <cstdio>
#include <cstdlib>

namespace {

// Without this, Qt would end in a platform plugin error that says nothing
// about the missing display.
bool haveDisplay()
{
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") ||
           std::getenv("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[])
{
    if (!haveDisplay()) {
        std::fputs("kehrwerk: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "start it from a desktop session.\n",
                   stderr);
        return 1;
    }
    KehrwerkApplication app(argc, argv);
    KehrwerkApplication::setApplicationName(QStringLiteral("Kehrwerk"));
    // The program's own files are found beside it; if that fails the program
    // still runs from where it was started.
    if (!QDir::setCurrent(KehrwerkApplication::applicationDirPath()))
        std::fprintf(stderr, "kehrwerk: cannot change to the program's directory %s\n",
                     qPrintable(KehrwerkApplication::applicationDirPath()));
    app.setHelpFile(QStringLiteral("Kehrwerk.hlp"));

    TfrmMain frmMain;
    TfrmOptionen frmOptionen(&frmMain);
    TfrmAusschluss frmAusschluss(&frmMain);
    TfrmSuchmuster frmSuchmuster(&frmMain);
    frmMain.setDialogs(&frmOptionen, &frmAusschluss, &frmSuchmuster);
    frmMain.show();
    return app.exec();
}
