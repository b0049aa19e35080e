#include "ui/BrowsePanel.h"

#include "browse/DroppedPath.h"
#include "page/UserDialogs.h"
#include "ui/Controls.h"
#include "ui/DropFilter.h"
#include "ui/FileNameListModel.h"
#include "ui/FolderListModel.h"
#include "ui/Fonts.h"
#include "ui/TabPage.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

namespace tabulink {

namespace {

// Indents each folder one step below its parent, as the chain shows them.
class IndentDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented(option);
        const int depth = index.data(FolderListModel::DepthRole).toInt();
        indented.rect.adjust(qMin(depth, 12) * 8, 0, 0, 0);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

bool isEnterKey(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent *>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

BrowsePanel::BrowsePanel(QWidget *area, QLabel *pathLabel, UserDialogs &dialogs, Launcher &launcher)
    : QObject(area), m_pathLabel(pathLabel), m_dialogs(dialogs),
      m_navigator(m_localFolders, m_mountedDrives, launcher, m_clipboard)
{
    m_driveList = placeAt(new QComboBox(area), "Drive1", 0, 24, 297, 20);

    m_folderModel = new FolderListModel(this);
    m_folderModel->setIcons(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon),
                            QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon));
    m_folderList = placeAt(new QListView(area), "Dir1", 0, 48, 161, 370);
    m_folderList->setModel(m_folderModel);
    m_folderList->setItemDelegate(new IndentDelegate(m_folderList));
    m_folderList->setUniformItemSizes(true);
    m_folderList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Controls::setPaleYellowBase(m_folderList);
    m_folderList->viewport()->installEventFilter(this);
    m_folderList->installEventFilter(this);

    m_fileModel = new FileNameListModel(this);
    m_fileList = placeAt(new QListView(area), "File1", 168, 48, 129, 398);
    m_fileList->setModel(m_fileModel);
    m_fileList->setUniformItemSizes(true);
    m_fileList->setLayoutMode(QListView::SinglePass);
    m_fileList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_fileList->setFont(Fonts::mincho(9));
    m_fileList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_fileList->installEventFilter(this);
    m_fileList->viewport()->installEventFilter(this);

    auto *desktop = placeAt(new QPushButton(QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ"), area), "Command7", 0, 424, 81, 17);
    auto *fileManager = placeAt(new QPushButton(QStringLiteral("ｴｸｽﾌﾟﾛｰﾗ"), area), "Command13", 88, 424, 81, 17);

    m_folderMenu = new QMenu(QStringLiteral("dirclk1"), area);
    m_folderMenu->setObjectName(QStringLiteral("dirclk1"));
    QAction *toClipboardFolder = Controls::addNamedAction(m_folderMenu, "dirclkr1", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞのﾃﾞｨﾚｸﾄﾘに移動"));
    QAction *rereadFiles = Controls::addNamedAction(m_folderMenu, "fileupdate", QStringLiteral("ファイルリストの更新"));
    QAction *copyFolder = Controls::addNamedAction(m_folderMenu, "dirclip", QStringLiteral("ﾃﾞｨﾚｸﾄﾘ名をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"));
    QAction *explore = Controls::addNamedAction(m_folderMenu, "expdir", QStringLiteral("ｴｸｽﾌﾟﾛｰﾗの起動"));

    connect(m_driveList, &QComboBox::currentIndexChanged, this, &BrowsePanel::changeDrive);
    connect(m_folderList, &QListView::doubleClicked, this, &BrowsePanel::openFolder);
    connect(m_fileList, &QListView::doubleClicked, this, &BrowsePanel::pickFile);
    connect(desktop, &QPushButton::clicked, this, &BrowsePanel::openDesktop);
    connect(fileManager, &QPushButton::clicked, this, &BrowsePanel::openInFileManager);
    connect(toClipboardFolder, &QAction::triggered, this, &BrowsePanel::openClipboardFolder);
    connect(rereadFiles, &QAction::triggered, this, &BrowsePanel::refreshFiles);
    connect(copyFolder, &QAction::triggered, this, &BrowsePanel::copyFolderToClipboard);
    connect(explore, &QAction::triggered, this, &BrowsePanel::openInFileManager);

    auto *drops = new DropFilter(this, [this](const QList<QUrl> &urls) { takeDrop(urls); });
    for (QWidget *target : {static_cast<QWidget *>(m_driveList), m_folderList->viewport(), m_fileList->viewport()})
        drops->watch(target);
    connect(&m_watch, &FolderWatch::folderChanged, this, &BrowsePanel::rereadFolder);
    connect(&m_watch, &FolderWatch::drivesChanged, this, &BrowsePanel::refreshDrives);
}

void BrowsePanel::start(const QString &storedFolder)
{
    show(m_navigator.start(storedFolder));
}

bool BrowsePanel::setFolder(const QString &folder)
{
    const Navigator::Result result = m_navigator.setFolder(folder);
    show(result);
    return result.changes != 0;
}

void BrowsePanel::setDriveSource(DriveSource &drives)
{
    show(m_navigator.useDrives(drives));
}

void BrowsePanel::changeDrive(int index)
{
    show(m_navigator.chooseDrive(index));
}

void BrowsePanel::openFolder(const QModelIndex &index)
{
    show(m_navigator.openFolder(m_folderModel->pathAt(index.row())));
}

void BrowsePanel::pickFile()
{
    const int row = m_fileList->currentIndex().row();
    if (row < 0 || row >= m_navigator.files().size())
        return;
    if (const auto path = m_navigator.pickFile(m_navigator.files().at(row)))
        m_pathLabel->setText(*path);
}

void BrowsePanel::refreshFiles()
{
    show(m_navigator.refreshFiles());
}

void BrowsePanel::openDesktop()
{
    show(m_navigator.openDesktop());
}

void BrowsePanel::openInFileManager()
{
    show(m_navigator.openInFileManager());
}

void BrowsePanel::openClipboardFolder()
{
    show(m_navigator.openClipboardFolder());
}

void BrowsePanel::copyFolderToClipboard()
{
    m_navigator.copyFolderToClipboard();
}

void BrowsePanel::show(const Navigator::Result &result)
{
    if (result.changes & Navigator::Result::DriveList)
        fillDriveList();
    {
        const QSignalBlocker blocker(m_driveList);
        m_driveList->setCurrentIndex(m_navigator.driveIndex());
    }
    if (result.changes & Navigator::Result::Folder) {
        m_folderModel->setFolder(m_navigator.volumeRoot(), m_navigator.folder(), m_navigator.subfolders());
        m_folderList->setCurrentIndex(m_folderModel->index(m_folderModel->currentRow()));
    }
    if (result.changes & Navigator::Result::Files)
        m_fileModel->setNames(m_navigator.files());
    m_watch.watchFolder(m_navigator.folder());
    m_dialogs.tell(result.message);
}

void BrowsePanel::fillDriveList()
{
    const QSignalBlocker blocker(m_driveList);
    m_driveList->clear();
    const DriveTable &drives = m_navigator.drives();
    for (int i = 0; i < drives.count(); ++i)
        m_driveList->addItem(drives.text(i));
}

// The menu opens on the press, not on the release; when it cannot be shown
// the path label shows the folder instead.
void BrowsePanel::showFolderMenu(const QPoint &pos)
{
    const QString noted = m_navigator.folder();
    m_folderMenu->popup(m_folderList->viewport()->mapToGlobal(pos));
    if (!m_folderMenu->isVisible())
        m_pathLabel->setText(noted);
}

bool BrowsePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_folderList->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton)
            showFolderMenu(mouse->position().toPoint());
        return mouse->button() != Qt::LeftButton; // only the left button selects
    }
    if (watched == m_fileList->viewport() && event->type() == QEvent::MouseButtonDblClick)
        return static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton; // only the left button picks
    if (watched == m_folderList && isEnterKey(event)) {
        openFolder(m_folderList->currentIndex());
        return true;
    }
    if (watched == m_fileList && isEnterKey(event)) {
        pickFile();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tabulink
