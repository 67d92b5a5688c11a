#include "app/HelpViewer.h"
#include "app/KehrwerkApplication.h"
#include "app/TfrmMain.h"
#include "platform/DirectoryListBox.h"
#include "platform/IoError.h"
#include "platform/MessageBoxes.h"
#include "settings/PatternFile.h"
#include "settings/PatternListBox.h"
#include "settings/SettingsFile.h"
#include "settings/TfrmAusschluss.h"
#include "settings/TfrmOptionen.h"
#include "settings/TfrmSuchmuster.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <cstdio>
#include <cstring>

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

// While the options dialog runs, its check boxes hold what the user is
// choosing: an activation of the main window then (the window system may
// deliver one before the dialog's result is saved) must not reload them from
// the file. Once the options are saved, reloading changes nothing.
void TfrmMain::FormActivate()
{
    if (!m_optionsOpen)
        LoadSettings();
}

void TfrmMain::ToolButton6Click()
{
    if (!m_options)
        return;
    const Options before = m_options->options();
    m_optionsOpen = true;
    const bool confirmed = m_options->exec() == QDialog::Accepted;
    m_optionsOpen = false; // no event runs from here until the options are saved
    if (!confirmed)
        m_options->setOptions(before);
    SaveOptions();
}

void TfrmMain::setDialogs(TfrmOptionen* options, TfrmAusschluss* exclusions, TfrmSuchmuster* editor)
{
    m_options = options;
    m_exclusions = exclusions;
    m_editor = editor;
    if (m_editor)
        m_editor->setMainList(Patterns, m_programDirectory);
    if (m_exclusions)
        m_exclusions->setExcludeList(&ExcludeList, [this] { SaveExcludeList(); });
    if (m_options)
        m_options->setDialogs(m_editor, m_exclusions);
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
    // Closing a dialog must not look like a save that did not happen.
    if (io && io->isSave())
        MessageBoxes::showMessage(
            this, QStringLiteral("%1\n\ncannot be saved: %2.\nIt keeps what it held before.")
                      .arg(QFile::decodeName(io->path()),
                           QString::fromLocal8Bit(std::strerror(io->code()))));
}

void TfrmMain::DirsClick()
{
    Dirs->openCurrentItem();
}

void TfrmMain::BitBtn2Click()
{
    const QByteArray path = Dirs->directoryEntry();
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

void TfrmMain::AlleSuchmusteranwhlen1Click()
{
    Patterns->setAllChecked(true);
}

void TfrmMain::AlleSuchmusterabwhlen1Click()
{
    Patterns->setAllChecked(false);
}
