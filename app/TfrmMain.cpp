#include "app/TfrmMain.h"

#include "FileList/TFileListView.h"
#include "platform/DirectoryListBox.h"
#include "platform/DriveComboBox.h"
#include "platform/IoError.h"
#include "platform/Volumes.h"
#include "settings/ClassicWidgets.h"
#include "settings/FixedDialog.h"
#include "settings/PatternListBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

using ClassicWidgets::glyphButton;
using ClassicWidgets::place;

namespace {

constexpr int ClientWidth = 632;
constexpr int ClientHeight = 393;
constexpr int ToolBarHeight = 57;
constexpr int StatusBarHeight = 19;

} // namespace

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmMain"));
    m_programDirectory = QCoreApplication::applicationDirPath();
    m_helperPath = m_programDirectory + QStringLiteral("/kehrwerk-crunch");
    setWindowTitle(QStringLiteral("Kehrwerk 2.0  Kehrwerk developers"));
    setFont(FixedDialog::classicFont());
    for (const char* image : {"help", "exit", "search", "options", "emptytmp", "crunch"})
        ImageList1.append(QIcon(QStringLiteral(":/icons/%1.png").arg(QLatin1String(image))));

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    setCentralWidget(client);
    createDirectoryArea(client);
    createListArea(client);
    createToolBar(client);
    createStatusBar();
    setTabOrder();
    setFixedSize(ClientWidth, ClientHeight);
    setState(State::PatternView);
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    FormDestroy();
}

void TfrmMain::createDirectoryArea(QWidget* client)
{
    DriveComboBox1 = place(new DriveComboBox(client), "DriveComboBox1", {8, 8, 249, 19});
    Dirs = place(new DirectoryListBox(client), "Dirs", {8, 32, 249, 73});
    DriveComboBox1->setDirList(Dirs);
    BitBtn2 = place(glyphButton(client, "right", {}), "BitBtn2", {278, 32, 75, 25});
    BitBtn4 = place(glyphButton(client, "left", {}), "BitBtn4", {278, 72, 75, 25});
    BitBtn2->setToolTip(QStringLiteral("Add the directory to the directories to search"));
    BitBtn4->setToolTip(QStringLiteral("Remove the selected directory"));
    Label1 = place(new QLabel(QStringLiteral("Directories to search:"), client), "Label1",
                   {376, 16, 100, 13});
    Label1->adjustSize();
    ToDelete = place(new QListWidget(client), "ToDelete", {376, 32, 249, 73});
    ToDelete->setSelectionMode(QAbstractItemView::SingleSelection);
    Bevel2 = place(new QFrame(client), "Bevel2", {0, 112, 633, 9});
    Bevel2->setFrameStyle(QFrame::HLine | QFrame::Raised);

    DriveComboBox1->setVolumes(Volumes::mounted());
    Dirs->showWorkingDirectory();

    connect(Dirs, &QTreeWidget::itemClicked, this, &TfrmMain::DirsClick);
    connect(Dirs, &QTreeWidget::itemActivated, this, &TfrmMain::DirsClick);
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmMain::BitBtn2Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TfrmMain::BitBtn4Click);
}

void TfrmMain::createListArea(QWidget* client)
{
    Patterns = place(new PatternListBox(client), "Patterns", {8, 120, 617, 153});
    Patterns->setContextMenuPolicy(Qt::CustomContextMenu);
    PMPatterns = new QMenu(this);
    PMPatterns->setObjectName(QStringLiteral("PMPatterns"));
    AlleSuchmusteranwhlen1 = PMPatterns->addAction(QStringLiteral("Select all search patterns"));
    AlleSuchmusteranwhlen1->setObjectName(QStringLiteral("AlleSuchmusteranwhlen1"));
    AlleSuchmusterabwhlen1 = PMPatterns->addAction(QStringLiteral("De-select all search patterns"));
    AlleSuchmusterabwhlen1->setObjectName(QStringLiteral("AlleSuchmusterabwhlen1"));
    connect(Patterns, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PMPatterns->popup(Patterns->viewport()->mapToGlobal(at)); });
    connect(AlleSuchmusteranwhlen1, &QAction::triggered, this,
            &TfrmMain::AlleSuchmusteranwhlen1Click);
    connect(AlleSuchmusterabwhlen1, &QAction::triggered, this,
            &TfrmMain::AlleSuchmusterabwhlen1Click);

    Found = place(new TFileListView(client), "Found", {8, 120, 617, 153});
    Found->addColumn(QStringLiteral("Filename"));
    Found->addColumn(QStringLiteral("Filesize"), Qt::AlignRight);
    Found->addColumn(QStringLiteral("Type"));
    Found->addColumn(QStringLiteral("Date"));
    Found->addColumn(QStringLiteral("Attr"), Qt::AlignRight);
    Found->setSortType(TFileListView::stBoth);
    Found->hide();

    BitBtn1 = place(glyphButton(client, "delete", QStringLiteral("Delete")), "BitBtn1",
                    {238, 280, 75, 25});
    BitBtn3 =
        place(glyphButton(client, "done", QStringLiteral("Done")), "BitBtn3", {334, 280, 75, 25});
    connect(BitBtn1, &QPushButton::clicked, this, &TfrmMain::BitBtn1Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TfrmMain::BitBtn3Click);
}

QToolButton* TfrmMain::addToolButton(const char* name, const QString& caption, int image)
{
    auto* b = new QToolButton(ToolBar1);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setIcon(ImageList1.value(image));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setAutoRaise(true);
    b->setFixedHeight(52);
    ToolBar1->layout()->addWidget(b);
    return b;
}

void TfrmMain::addSeparator(const char* name)
{
    auto* gap = new QWidget(ToolBar1);
    gap->setObjectName(QString::fromLatin1(name));
    gap->setFixedSize(8, 52);
    ToolBar1->layout()->addWidget(gap);
}

// A strip of its own along the bottom of the client area: exact gaps, and no
// overflow menu that could hide "Exit".
void TfrmMain::createToolBar(QWidget* client)
{
    ToolBar1 =
        place(new QFrame(client), "ToolBar1",
              {0, ClientHeight - StatusBarHeight - ToolBarHeight, ClientWidth, ToolBarHeight});
    auto* row = new QHBoxLayout(ToolBar1);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);

    addSeparator("ToolButton2");
    ToolButton4 = addToolButton("ToolButton4", QStringLiteral("Start search"), 2);
    addSeparator("ToolButton5");
    ToolButton7 = addToolButton("ToolButton7", QStringLiteral("Empty TMP-Dir"), 4);
    addSeparator("ToolButton8");
    ToolButton19 = addToolButton("ToolButton19", QStringLiteral("OLE-Crunch"), 5);
    for (const char* name : {"ToolButton9", "ToolButton10", "ToolButton11"})
        addSeparator(name);
    ToolButton6 = addToolButton("ToolButton6", QStringLiteral("Options"), 3);
    for (const char* name : {"ToolButton12", "ToolButton13", "ToolButton14", "ToolButton15"})
        addSeparator(name);
    ToolButton1 = addToolButton("ToolButton1", QStringLiteral("Help"), 0);
    for (const char* name : {"ToolButton16", "ToolButton17", "ToolButton18"})
        addSeparator(name);
    ToolButton3 = addToolButton("ToolButton3", QStringLiteral("Exit"), 1);
    row->addStretch(1);

    // Every button as wide as the widest caption, as on a classic tool bar,
    // within the width the 13 gaps leave.
    const QList<QToolButton*> buttons{ToolButton4, ToolButton7, ToolButton19,
                                      ToolButton6, ToolButton1, ToolButton3};
    int width = 52;
    for (QToolButton* b : buttons)
        width = std::max(width, b->fontMetrics().horizontalAdvance(b->text()) + 10);
    width = std::min(width, (ClientWidth - 13 * 8) / int(buttons.size()));
    for (QToolButton* b : buttons)
        b->setFixedWidth(width);

    connect(ToolButton4, &QToolButton::clicked, this, &TfrmMain::ToolButton4Click);
    connect(ToolButton7, &QToolButton::clicked, this, &TfrmMain::ToolButton7Click);
    connect(ToolButton19, &QToolButton::clicked, this, &TfrmMain::ToolButton19Click);
    connect(ToolButton6, &QToolButton::clicked, this, &TfrmMain::ToolButton6Click);
    connect(ToolButton1, &QToolButton::clicked, this, &TfrmMain::ToolButton1Click);
    connect(ToolButton3, &QToolButton::clicked, this, &TfrmMain::ToolButton3Click);
}

// One simple text: a label, so that hovering a tool button never wipes it.
void TfrmMain::createStatusBar()
{
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setFixedHeight(StatusBarHeight);
    m_statusText = new QLabel(StatusBar1);
    m_statusText->setObjectName(QStringLiteral("StatusText"));
    m_statusText->setTextFormat(Qt::PlainText);
    m_statusText->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatusBar1->addWidget(m_statusText, 1);
    setStatusBar(StatusBar1);
    setStatusText(QString(85, u' ') + QStringLiteral("Welcome to Kehrwerk!"));
}

void TfrmMain::setTabOrder()
{
    QWidget* order[] = {DriveComboBox1, Dirs,        Patterns,    ToolButton4, ToolButton7,
                        ToolButton19,   ToolButton6, ToolButton1, ToolButton3, BitBtn2,
                        ToDelete,       BitBtn1,     BitBtn3,     Found,       BitBtn4};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

QString TfrmMain::statusText() const
{
    return m_statusText->text();
}

void TfrmMain::setStatusText(const QString& text)
{
    m_statusText->setText(text);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    if (!m_centred) {
        m_centred = true;
        // Without a window manager the window may never be activated; the
        // settings must be read all the same.
        FormActivate();
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    QMainWindow::showEvent(event);
}

void TfrmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate();
}

// Closing while a walk runs stops the walk; the window closes once the walk
// has unwound and the window is whole again.
void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (m_state == State::SearchRunning || m_state == State::BuildingList ||
        m_state == State::CrunchRunning) {
        StopSearch = true;
        m_closeRequested = true;
        event->ignore();
        return;
    }
    event->accept();
}
