#include "app/DirectoryListBox.h"
#include "app/HelpViewer.h"
#include "app/KehrwerkApplication.h"
#include "app/TfrmMain.h"
#include "platform/IoError.h"
#include "platform/MessageBoxes.h"
#include "settings/PatternFile.h"
#include "settings/PatternListBox.h"
#include "settings/SettingsFile.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <cstdio>

namespace {

KehrwerkApplication* application()
{
    return qobject_cast<KehrwerkApplication*>(QCoreApplication::instance());
}

} // namespace

void TfrmMain::FormCreate()
{
    if (KehrwerkApplication* app = application())
        app->setFailureHandler(
            [this](QObject* sender, const std::exception& failure) { MyHandler(sender, failure); });
    StopSearch = true;
    try {
        LoadPatterns();
    } catch (const std::exception& failure) {
        MyHandler(this, failure);
    }
    ExcludeList.clear();
}

void TfrmMain::FormDestroy()
{
    ExcludeList.clear();
    if (KehrwerkApplication* app = application())
        app->setFailureHandler(nullptr);
}

void TfrmMain::FormActivate()
{
    LoadSettings();
}

void TfrmMain::setDialogs(TfrmOptionen* options, TfrmAusschluss* exclusions, TfrmSuchmuster* editor)
{
    m_options = options;
    m_exclusions = exclusions;
    m_editor = editor;
    if (m_editor)
        m_editor->setMainList(Patterns, m_programDirectory);
}

void TfrmMain::setProgramDirectory(const QString& directory)
{
    m_programDirectory = directory;
    if (m_editor)
        m_editor->setMainList(Patterns, m_programDirectory);
}

QString TfrmMain::programFile(const char* name) const
{
    return QDir(m_programDirectory).filePath(QLatin1String(name));
}

void TfrmMain::LoadPatterns()
{
    for (const QString& pattern : PatternFile::read(programFile(PatternFile::FileName)))
        Patterns->addPattern(pattern);
}

void TfrmMain::LoadSettings()
{
    const SettingsFile file(programFile(SettingsFile::FileName));
    if (m_options)
        m_options->setOptions(file.loadOptions());
    ExcludeList = file.loadExcludeList();
}

void TfrmMain::SaveOptions()
{
    if (m_options)
        SettingsFile(programFile(SettingsFile::FileName)).saveOptions(m_options->options());
}

void TfrmMain::SaveExcludeList()
{
    SettingsFile(programFile(SettingsFile::FileName)).saveExcludeList(ExcludeList);
}

void TfrmMain::MyHandler(QObject*, const std::exception& failure)
{
    const auto* io = dynamic_cast<const IoError*>(&failure);
    if (io && io->isDriveNotReady()) {
        MessageBoxes::showMessage(this, QStringLiteral("The selected drive cannot be accessed!"));
        return;
    }
    std::fprintf(stderr, "kehrwerk: %s\n", failure.what());
}

void TfrmMain::DirsClick()
{
    if (QTreeWidgetItem* item = Dirs->currentItem())
        Dirs->setDirectory(Dirs->pathOf(item));
}

void TfrmMain::BitBtn2Click()
{
    QByteArray path = Dirs->directory();
    if (!path.endsWith('/'))
        path += '/';
    auto* item = new QListWidgetItem(QFile::decodeName(path), ToDelete);
    item->setData(Qt::UserRole, path);
}

void TfrmMain::BitBtn4Click()
{
    const QList<QListWidgetItem*> selected = ToDelete->selectedItems();
    if (!selected.isEmpty())
        delete selected.first();
}

void TfrmMain::BitBtn3Click()
{
    setState(State::PatternView);
}

void TfrmMain::ToolButton1Click()
{
    KehrwerkApplication* app = application();
    const QString file = app ? app->helpFile() : QStringLiteral("Kehrwerk.hlp");
    if (!m_help)
        m_help = new HelpViewer(this);
    if (!m_help->showContents(file))
        MessageBoxes::showMessage(
            this, QStringLiteral("The help file \"%1\" cannot be found.").arg(file));
}

void TfrmMain::ToolButton3Click()
{
    close();
}

// Actions that their own subsystems provide.
void TfrmMain::ToolButton6Click() {}
void TfrmMain::ToolButton7Click() {}
void TfrmMain::ToolButton19Click() {}

void TfrmMain::AlleSuchmusteranwhlen1Click()
{
    Patterns->setAllChecked(true);
}

void TfrmMain::AlleSuchmusterabwhlen1Click()
{
    Patterns->setAllChecked(false);
}
