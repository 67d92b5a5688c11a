#include "FileList/TFileListView.h"

#include <QApplication>
#include <QMainWindow>
#include <cstdio>
#include <cstdlib>

namespace {

// Without this, Qt would end in a platform plugin error that says nothing
// about the missing display.
bool haveDisplay() {
    return std::getenv("QT_QPA_PLATFORM") || std::getenv("DISPLAY") ||
           std::getenv("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!haveDisplay()) {
        std::fputs("kehrwerk: no graphical display (DISPLAY and WAYLAND_DISPLAY are unset); "
                   "start it from a desktop session.\n",
                   stderr);
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kehrwerk"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Kehrwerk"));
    auto* found = new TFileListView(&window);
    found->setObjectName(QStringLiteral("Found"));
    window.setCentralWidget(found);
    window.resize(760, 480);
    window.show();
    return app.exec();
}
