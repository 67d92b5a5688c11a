#include "app/WindowProgress.h"

#include "app/TfrmMain.h"

#include <QCoreApplication>
#include <QFile>
#include <QStatusBar>

void WindowProgress::showDirectory(const QByteArray& path)
{
    m_window.setStatusText(QFile::decodeName(path));
    m_window.statusBar()->repaint();
}

void WindowProgress::letEventsRun()
{
    QCoreApplication::processEvents();
}
