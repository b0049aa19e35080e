#include "ui/MainWindow.h"

#include "page/AppInfo.h"
#include "page/OutOfMemory.h"
#include "shell/StartupSetting.h"
#include "ui/BrowsePanel.h"
#include "ui/Controls.h"
#include "ui/CsvTab.h"
#include "ui/DesktopLauncher.h"
#include "ui/LinkTab.h"
#include "ui/PageOptionsPanel.h"
#include "ui/QtUserDialogs.h"
#include "ui/TabPage.h"
#include "ui/TextTab.h"
#include "ui/TwoStateCheckBox.h"
#include "ui/WindowSaveContext.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

namespace tabulink {

MainWindow::MainWindow(UserDialogs *dialogs, QWidget *parent, Launcher *launcher)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("main1"));
    setWindowTitle(AppInfo::windowCaption());
    if (dialogs) {
        m_dialogs = dialogs;
    } else {
        m_ownDialogs = std::make_unique<QtUserDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    if (launcher) {
        m_launcher = launcher;
    } else {
        m_ownLauncher = std::make_unique<DesktopLauncher>();
        m_launcher = m_ownLauncher.get();
    }

    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("clientArea"));
    m_area->setFixedSize(846, 528);
    setCentralWidget(m_area);

    m_pathLabel = placeAt(new QLabel(m_area), "Label1", 0, 0, 841, 17);
    m_browse = new BrowsePanel(m_area, m_pathLabel, *m_dialogs, *m_launcher);
    m_options = new PageOptionsPanel(m_area);

    m_tabs = placeAt(new QTabWidget(m_area), "SSTab1", 304, 24, 537, 369);
    m_saveContext = std::make_unique<WindowSaveContext>(*m_dialogs, *m_options, *m_browse, *m_pathLabel);
    m_csvTab = new CsvTab(*m_saveContext, m_options->tableBorderBox());
    m_textTab = new TextTab(*m_saveContext);
    m_linkTab = new LinkTab(*m_saveContext, [browse = m_browse] { return browse->fileNames(); });
    m_tabs->addTab(m_csvTab, QStringLiteral("ＣＳＶ　／　ＨＴＭＬ"));
    m_tabs->addTab(m_textTab, QStringLiteral("ＴＥＸＴ　／　ＨＴＭＬ"));
    m_tabs->addTab(m_linkTab, QStringLiteral("リンクＨＴＭＬ"));
    m_tabs->tabBar()->setExpanding(true);
    m_tabs->setDocumentMode(false);
    connect(m_csvTab, &CsvTab::csvFileDropped, this, [this](const DroppedPath &dropped) {
        if (m_browse->openDropped(dropped))
            OutOfMemory::runTellingUser(*m_dialogs, [this] { m_csvTab->readCsvFile(); });
    });

    buildMenu();
    // Paths, file names and texts from outside show as they are: a file
    // named a<b>x.csv must not turn bold and lose its "<b>".
    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    showStartState();

    // Logging off ends the program without a close event.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &MainWindow::storeFolder);
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &MainWindow::storeFolder);
}

MainWindow::~MainWindow()
{
    // The panels use services that are members of this window and go before
    // the widgets do; a selector losing the focus while the window is torn
    // down must not reach them.
    for (QObject *child : findChildren<QObject *>())
        child->blockSignals(true);
}

void MainWindow::buildMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("ファイル"));
    menu->setObjectName(QStringLiteral("menu"));
    QAction *helpp = Controls::addNamedAction(menu, "helpp", QStringLiteral("使用方法"));
    QAction *about = Controls::addNamedAction(menu, "about", QStringLiteral("バージョン"));
    QAction *eend = Controls::addNamedAction(menu, "eend", QStringLiteral("終了"));
    connect(helpp, &QAction::triggered, this, &MainWindow::showUsage);
    connect(about, &QAction::triggered, this, &MainWindow::showVersion);
    connect(eend, &QAction::triggered, this, &MainWindow::close);
}

void MainWindow::showStartState()
{
    m_browse->start(StartupSetting(1, FolderKey));
    m_options->restore(KeptOptions::read(), m_area->findChildren<TwoStateCheckBox *>());
    m_csvTab->sizeGridFromSelectors();
    m_tabs->setCurrentIndex(1);
    m_linkTab->showInstructions();
}

void MainWindow::storeFolder()
{
    const KeptOptions options = m_options->keptOptions(m_area->findChildren<TwoStateCheckBox *>());
    if (m_storedOptions != options) {
        options.store();
        m_storedOptions = options;
    }
    const QString folder = m_browse->currentFolder();
    if (m_storedFolder == folder)
        return;
    StartupSetting(2, FolderKey, folder);
    m_storedFolder = folder;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_linkTab->mayClose()) {
        event->ignore();
        return;
    }
    storeFolder();
    event->accept();
}

void MainWindow::showUsage()
{
    m_dialogs->notify(AppInfo::usageText());
}

void MainWindow::showVersion()
{
    m_dialogs->notify(AppInfo::versionText());
}

SaveContext &MainWindow::saveContext() const
{
    return *m_saveContext;
}

} // namespace tabulink
