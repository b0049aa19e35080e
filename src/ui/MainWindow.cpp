#include "ui/MainWindow.h"

#include "page/AppInfo.h"
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

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>

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

    m_label1 = placeAt(new QLabel(m_area), "Label1", 0, 0, 841, 17);
    m_browse = new BrowsePanel(m_area, m_label1, *m_dialogs, *m_launcher);
    m_options = new PageOptionsPanel(m_area);

    m_sstab1 = placeAt(new QTabWidget(m_area), "SSTab1", 304, 24, 537, 369);
    m_csvTab = new CsvTab(*this, m_options->tableBorderBox());
    m_textTab = new TextTab(*this);
    m_linkTab = new LinkTab(*this);
    m_sstab1->addTab(m_csvTab, QStringLiteral("ＣＳＶ　／　ＨＴＭＬ"));
    m_sstab1->addTab(m_textTab, QStringLiteral("ＴＥＸＴ　／　ＨＴＭＬ"));
    m_sstab1->addTab(m_linkTab, QStringLiteral("リンクＨＴＭＬ"));
    m_sstab1->tabBar()->setExpanding(true);
    m_sstab1->setDocumentMode(false);

    buildMenu();
    // Paths, file names and texts from outside show as they are: a file
    // named a<b>x.csv must not turn bold and lose its "<b>".
    for (QLabel *label : findChildren<QLabel *>())
        label->setTextFormat(Qt::PlainText);
    Form_Load();

    // Logging off ends the program without a close event.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, &MainWindow::Form_QueryUnload);
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, &MainWindow::Form_QueryUnload);
}

MainWindow::~MainWindow() = default;

void MainWindow::buildMenu()
{
    QMenu *menu = menuBar()->addMenu(QStringLiteral("ファイル"));
    menu->setObjectName(QStringLiteral("menu"));
    QAction *helpp = Controls::addNamedAction(menu, "helpp", QStringLiteral("使用方法"));
    QAction *about = Controls::addNamedAction(menu, "about", QStringLiteral("バージョン"));
    QAction *eend = Controls::addNamedAction(menu, "eend", QStringLiteral("終了"));
    connect(helpp, &QAction::triggered, this, &MainWindow::helpp_Click);
    connect(about, &QAction::triggered, this, &MainWindow::about_Click);
    connect(eend, &QAction::triggered, this, &MainWindow::eend_Click);
}

void MainWindow::Form_Load()
{
    m_browse->start(StartupSetting(1, FolderKey));
    m_csvTab->sizeGridFromSelectors();
    m_sstab1->setCurrentIndex(1);
    m_linkTab->showInstructions();
}

void MainWindow::Form_QueryUnload()
{
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
    Form_QueryUnload();
    event->accept();
}

void MainWindow::helpp_Click()
{
    m_dialogs->notify(AppInfo::usageText());
}

void MainWindow::about_Click()
{
    m_dialogs->notify(AppInfo::versionText());
}

void MainWindow::eend_Click()
{
    close();
}

UserDialogs &MainWindow::dialogs()
{
    return *m_dialogs;
}

PageOptions MainWindow::pageOptions() const
{
    return m_options->readPageOptions();
}

QString MainWindow::currentFolder() const
{
    return m_browse->currentFolder();
}

QString MainWindow::selectedFileName() const
{
    return m_browse->selectedFileName();
}

QString MainWindow::pathLabel() const
{
    return m_label1->text();
}

void MainWindow::setPathLabel(const QString &path)
{
    m_label1->setText(path);
}

void MainWindow::refreshFileList()
{
    m_browse->refreshFiles();
}

QStringList MainWindow::fileListNames() const
{
    return m_browse->fileNames();
}
