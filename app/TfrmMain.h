#pragma once

#include <QMainWindow>
#include <QStringList>
#include <exception>

class DirectoryListBox;
class DriveComboBox;
class HelpViewer;
class PatternListBox;
class TfrmAusschluss;
class TfrmOptionen;
class TfrmSuchmuster;
class QFrame;
class QLabel;
class QListWidget;
class QMenu;
class QAction;
class QPushButton;
class QStatusBar;
class QToolButton;
class TFileListView;

// The main window: directory choice above, the pattern list or the result
// list in the middle, the tool bar and the status line below.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // The six states of the window; each fixes which controls are enabled,
    // shown and how the action buttons read.
    enum class State {
        PatternView,
        SearchRunning,
        BuildingList,
        SearchResults,
        CrunchRunning,
        CrunchResults
    };

    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    bool StopSearch = true;
    QStringList ExcludeList;

    // The dialogs are made after the main window, in the order of start-up.
    void setDialogs(TfrmOptionen* options, TfrmAusschluss* exclusions, TfrmSuchmuster* editor);
    // Where the program's own files live: beside the executable.
    QString programDirectory() const { return m_programDirectory; }
    void setProgramDirectory(const QString& directory);

    void LoadPatterns();
    void LoadSettings();
    void SaveOptions();
    void SaveExcludeList();
    qint64 CrunchFile(const QByteArray& path);
    // The compaction helper, beside the program unless told otherwise.
    void setHelperPath(const QString& path) { m_helperPath = path; }

    State state() const { return m_state; }
    void setState(State state);
    QString statusText() const;
    void setStatusText(const QString& text);

public Q_SLOTS:
    void ToolButton3Click();
    void DirsClick();
    void BitBtn2Click();
    void FormCreate();
    void ToolButton4Click();
    void ToolButton6Click();
    void AlleSuchmusteranwhlen1Click();
    void AlleSuchmusterabwhlen1Click();
    void BitBtn3Click();
    void BitBtn1Click();
    void ToolButton7Click();
    void ToolButton19Click();
    void FormActivate();
    void BitBtn4Click();
    void FormDestroy();
    void MyHandler(QObject* sender, const std::exception& failure);
    void ToolButton1Click();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createDirectoryArea(QWidget* client);
    void createListArea(QWidget* client);
    void createToolBar(QWidget* client);
    void createStatusBar();
    void setTabOrder();
    bool option(int o) const;
    void lockForWalk(State walk);
    void unlockAfterWalk(State walk);
    void finishWalk(State walk);
    qint64 listFound(const QList<QByteArray>& names);
    void runSearch(const QStringList& patterns);
    void findStorageFiles();
    void deleteSelected();
    void crunchSelected();
    QToolButton* addToolButton(const char* name, const QString& caption, int image);
    void addSeparator(const char* name);

    DriveComboBox* DriveComboBox1;
    DirectoryListBox* Dirs;
    PatternListBox* Patterns;
    QFrame* ToolBar1;
    QToolButton* ToolButton1;
    QToolButton* ToolButton3;
    QToolButton* ToolButton4;
    QToolButton* ToolButton6;
    QToolButton* ToolButton7;
    QToolButton* ToolButton19;
    QList<QIcon> ImageList1;
    QPushButton* BitBtn2;
    QListWidget* ToDelete;
    QMenu* PMPatterns;
    QAction* AlleSuchmusteranwhlen1;
    QAction* AlleSuchmusterabwhlen1;
    QStatusBar* StatusBar1;
    QLabel* m_statusText;
    QPushButton* BitBtn1;
    QPushButton* BitBtn3;
    QFrame* Bevel2;
    TFileListView* Found;
    QPushButton* BitBtn4;
    QLabel* Label1;

    QString programFile(const char* name) const;

    HelpViewer* m_help = nullptr;
    TfrmOptionen* m_options = nullptr;
    TfrmAusschluss* m_exclusions = nullptr;
    TfrmSuchmuster* m_editor = nullptr;
    QString m_programDirectory;
    QString m_helperPath;
    State m_state = State::PatternView;
    bool m_centred = false;
    bool m_closeRequested = false;
    bool m_optionsOpen = false;
};
