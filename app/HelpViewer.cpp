#include "app/HelpViewer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget* parent)
    : QDialog(parent)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Kehrwerk Help"));
    m_browser->setObjectName(QStringLiteral("HelpText"));
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(620, 560);
}

QString HelpViewer::locate(const QString& fileName)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(fileName);
    if (QFileInfo(beside).isFile())
        return beside;
    if (QFileInfo(fileName).isFile())
        return QFileInfo(fileName).absoluteFilePath();
    return {};
}

bool HelpViewer::showContents(const QString& fileName)
{
    QFile file(locate(fileName));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return false;
    m_browser->setHtml(QString::fromUtf8(file.readAll()));
    show();
    raise();
    activateWindow();
    return true;
}
