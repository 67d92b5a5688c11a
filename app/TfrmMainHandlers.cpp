#include "app/DirectoryListBox.h"
#include "app/HelpViewer.h"
#include "app/KehrwerkApplication.h"
#include "app/TfrmMain.h"
#include "platform/IoError.h"
#include "platform/MessageBoxes.h"

#include <QCoreApplication>
#include <QFile>
#include <QListWidget>
#include <cstdio>

namespace {

KehrwerkApplication* application() {
    return qobject_cast<KehrwerkApplication*>(QCoreApplication::instance());
}

} // namespace

void TfrmMain::FormCreate() {
    if (KehrwerkApplication* app = application())
        app->setFailureHandler(
            [this](QObject* sender, const std::exception& failure) { MyHandler(sender, failure); });
    StopSearch = true;
    // The pattern file is loaded here once the pattern list exists.
    ExcludeList.clear();
}

void TfrmMain::FormDestroy() {
    ExcludeList.clear();
    if (KehrwerkApplication* app = application())
        app->setFailureHandler(nullptr);
}

// The settings file is read here once settings exist; nothing else changes.
void TfrmMain::FormActivate() {}

void TfrmMain::MyHandler(QObject*, const std::exception& failure) {
    const auto* io = dynamic_cast<const IoError*>(&failure);
    if (io && io->isDriveNotReady()) {
        MessageBoxes::showMessage(this, QStringLiteral("The selected drive cannot be accessed!"));
        return;
    }
    std::fprintf(stderr, "kehrwerk: %s\n", failure.what());
}

void TfrmMain::DirsClick() {
    if (QTreeWidgetItem* item = Dirs->currentItem())
        Dirs->setDirectory(Dirs->pathOf(item));
}

void TfrmMain::BitBtn2Click() {
    QByteArray path = Dirs->directory();
    if (!path.endsWith('/'))
        path += '/';
    auto* item = new QListWidgetItem(QFile::decodeName(path), ToDelete);
    item->setData(Qt::UserRole, path);
}

void TfrmMain::BitBtn4Click() {
    const QList<QListWidgetItem*> selected = ToDelete->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

void TfrmMain::BitBtn3Click() {
    setState(State::PatternView);
}

void TfrmMain::ToolButton1Click() {
    KehrwerkApplication* app = application();
    const QString file = app ? app->helpFile() : QStringLiteral("Kehrwerk.hlp");
    if (!m_help)
        m_help = new HelpViewer(this);
    if (!m_help->showContents(file))
        MessageBoxes::showMessage(
            this, QStringLiteral("The help file \"%1\" cannot be found.").arg(file));
}

void TfrmMain::ToolButton3Click() {
    close();
}

// Actions that their own subsystems provide.
void TfrmMain::ToolButton4Click() {}
void TfrmMain::ToolButton6Click() {}
void TfrmMain::ToolButton7Click() {}
void TfrmMain::ToolButton19Click() {}
void TfrmMain::BitBtn1Click() {}
void TfrmMain::AlleSuchmusteranwhlen1Click() {}
void TfrmMain::AlleSuchmusterabwhlen1Click() {}
