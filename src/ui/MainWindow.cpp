#include "ui/MainWindow.h"

#include "page/AppInfo.h"
#include "page/OutOfMemory.h"
#include "page/PagePreview.h"
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

#include <QAbstractButton>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
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
    QAction *preview = Controls::addNamedAction(menu, "preview", QStringLiteral("プレビュー"));
    preview->setShortcut(QKeySequence(Qt::Key_F5));
    connect(preview, &QAction::triggered, this, &MainWindow::openPreview);
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

void MainWindow::openPreview()
{
    if (!m_preview) {
        m_preview = new PreviewWindow([this](bool imode) { return previewPage(imode); }, this);
        wirePreview();
    }
    m_preview->open();
}

void MainWindow::wirePreview()
{
    connect(m_tabs, &QTabWidget::currentChanged, m_preview, &PreviewWindow::scheduleRefresh);
    connect(m_csvTab, &CsvTab::changed, m_preview, &PreviewWindow::scheduleRefresh);
    connect(m_textTab, &TextTab::changed, m_preview, &PreviewWindow::scheduleRefresh);
    connect(m_linkTab, &LinkTab::changed, m_preview, &PreviewWindow::scheduleRefresh);
    // The page options below the tabs.
    for (const char *name : {"Text2", "Text3", "Text5"}) {
        if (auto *edit = m_area->findChild<QLineEdit *>(QLatin1String(name)))
            connect(edit, &QLineEdit::textChanged, m_preview, &PreviewWindow::scheduleRefresh);
    }
    for (const char *name : {"Check3", "Option1", "Option2", "Option3", "Option4", "Option5", "Option6", "Option7",
                             "Option8", "Option9"}) {
        if (auto *button = m_area->findChild<QAbstractButton *>(QLatin1String(name)))
            connect(button, &QAbstractButton::toggled, m_preview, &PreviewWindow::scheduleRefresh);
    }
}

PreviewWindow::Page MainWindow::previewPage(bool imode) const
{
    PreviewWindow::Page page;
    page.folder = m_browse->currentFolder();
    QWidget *front = m_tabs->currentWidget();
    if (front == m_csvTab) {
        const TablePagePreview::Page table = m_csvTab->previewPage();
        page.bytes = table.bytes;
        if (!table.ok)
            page.note = table.message.trimmed();
        else if (table.hiddenRows > 0)
            page.note = PagePreview::moreLinesNote(table.hiddenRows);
    } else if (front == m_textTab) {
        const TextPagePreview::Page text = m_textTab->previewPage(imode);
        page.bytes = text.bytes;
        if (text.hiddenLines > 0)
            page.note = PagePreview::moreLinesNote(text.hiddenLines);
        page.imodeOffered = true;
    } else if (front == m_linkTab) {
        page.bytes = m_linkTab->pageBytes();
    }
    return page;
}

SaveContext &MainWindow::saveContext() const
{
    return *m_saveContext;
}

} // namespace tabulink
