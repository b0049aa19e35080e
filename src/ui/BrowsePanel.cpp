#include "ui/BrowsePanel.h"

#include "browse/ClipboardFolder.h"
#include "browse/DesktopFolder.h"
#include "browse/FolderListing.h"
#include "browse/FolderPath.h"
#include "browse/Launcher.h"
#include "page/UserDialogs.h"
#include "page/WindowContext.h"
#include "ui/Controls.h"
#include "ui/FileNameListModel.h"
#include "ui/FolderListModel.h"
#include "ui/Fonts.h"
#include "ui/TabPage.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

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

BrowsePanel::BrowsePanel(QWidget *area, WindowContext &context, Launcher &launcher)
    : QObject(area), m_context(context), m_launcher(launcher), m_driveSource(&DriveTable::mounted)
{
    m_drive1 = placeAt(new QComboBox(area), "Drive1", 0, 24, 297, 20);

    m_dirModel = new FolderListModel(this);
    m_dirModel->setIcons(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon),
                         QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon));
    m_dir1 = placeAt(new QListView(area), "Dir1", 0, 48, 161, 370);
    m_dir1->setModel(m_dirModel);
    m_dir1->setItemDelegate(new IndentDelegate(m_dir1));
    m_dir1->setUniformItemSizes(true);
    m_dir1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Controls::setPaleYellowBase(m_dir1);
    m_dir1->viewport()->installEventFilter(this);
    m_dir1->installEventFilter(this);

    m_fileModel = new FileNameListModel(this);
    m_file1 = placeAt(new QListView(area), "File1", 168, 48, 129, 398);
    m_file1->setModel(m_fileModel);
    m_file1->setUniformItemSizes(true);
    m_file1->setLayoutMode(QListView::SinglePass);
    m_file1->setSelectionMode(QAbstractItemView::SingleSelection);
    m_file1->setFont(Fonts::mincho(9));
    m_file1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_file1->installEventFilter(this);
    m_file1->viewport()->installEventFilter(this);

    m_command7 = placeAt(new QPushButton(QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ"), area), "Command7", 0, 424, 81, 17);
    m_command13 = placeAt(new QPushButton(QStringLiteral("ｴｸｽﾌﾟﾛｰﾗ"), area), "Command13", 88, 424, 81, 17);

    m_dirclk1 = new QMenu(QStringLiteral("dirclk1"), area);
    m_dirclk1->setObjectName(QStringLiteral("dirclk1"));
    QAction *dirclkr1 = Controls::addNamedAction(m_dirclk1, "dirclkr1", QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞのﾃﾞｨﾚｸﾄﾘに移動"));
    QAction *fileupdate = Controls::addNamedAction(m_dirclk1, "fileupdate", QStringLiteral("ファイルリストの更新"));
    QAction *dirclip = Controls::addNamedAction(m_dirclk1, "dirclip", QStringLiteral("ﾃﾞｨﾚｸﾄﾘ名をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"));
    QAction *expdir = Controls::addNamedAction(m_dirclk1, "expdir", QStringLiteral("ｴｸｽﾌﾟﾛｰﾗの起動"));

    connect(m_drive1, &QComboBox::currentIndexChanged, this, &BrowsePanel::Drive1_Change);
    connect(m_dir1, &QListView::doubleClicked, this, &BrowsePanel::Dir1_Open);
    connect(m_file1, &QListView::doubleClicked, this, &BrowsePanel::File1_DblClick);
    connect(m_command7, &QPushButton::clicked, this, &BrowsePanel::Command7_Click);
    connect(m_command13, &QPushButton::clicked, this, &BrowsePanel::Command13_Click);
    connect(dirclkr1, &QAction::triggered, this, &BrowsePanel::dirclkr1_Click);
    connect(fileupdate, &QAction::triggered, this, &BrowsePanel::fileupdate_Click);
    connect(dirclip, &QAction::triggered, this, &BrowsePanel::dirclip_Click);
    connect(expdir, &QAction::triggered, this, &BrowsePanel::expdir_Click);

    // Start in the process's working folder, or the nearest folder above it
    // that can be listed.
    QString start = FolderPath::clean(QDir::currentPath());
    if (start.isEmpty())
        start = QStringLiteral("/");
    FolderListing listing = listFolder(start);
    while (!listing.ok && start != QLatin1String("/")) {
        start = FolderPath::parent(start);
        listing = listFolder(start);
    }
    m_drives = m_driveSource();
    fillDriveList();
    showListing(start, listing);
    syncDriveQuietly();
}

QStringList BrowsePanel::fileNames() const
{
    return m_fileModel->names();
}

void BrowsePanel::setDriveSource(std::function<DriveTable()> source)
{
    m_driveSource = std::move(source);
    refreshDrives();
}

void BrowsePanel::selectDriveFor(const QString &path)
{
    const int index = m_drives.indexFor(path);
    if (index >= 0)
        m_drive1->setCurrentIndex(index);
}

bool BrowsePanel::setFolder(const QString &path)
{
    const QString folder = FolderPath::clean(path);
    if (folder.isEmpty())
        return false;
    if (folder == m_folder)
        return canList(folder);
    const FolderListing listing = listFolder(folder);
    if (!listing.ok)
        return false;
    showListing(folder, listing);
    return true;
}

void BrowsePanel::refreshDrives()
{
    m_drives.refreshFrom(m_driveSource());
    m_drives.remember(m_folder);
    fillDriveList();
}

void BrowsePanel::refreshFolders()
{
    const FolderListing listing = listFolder(m_folder);
    if (!listing.ok) {
        moveToNearest(m_folder, listing.error);
        return;
    }
    const int index = m_drives.indexFor(m_folder);
    m_dirModel->setFolder(index >= 0 ? m_drives.at(index).mountPoint : QStringLiteral("/"),
                          m_folder, listing.folders);
    m_dir1->setCurrentIndex(m_dirModel->index(m_dirModel->currentRow()));
}

void BrowsePanel::refreshFiles()
{
    if (m_freshFiles) {
        m_fileModel->setNames(*m_freshFiles);
        m_freshFiles.reset();
        return;
    }
    const FolderListing listing = listFolder(m_folder, ListWhat::FilesOnly);
    if (!listing.ok) {
        moveToNearest(m_folder, listing.error);
        return;
    }
    m_fileModel->setNames(listing.files);
}

// Shows folder as the current folder from a listing just read.
void BrowsePanel::showListing(const QString &folder, const FolderListing &listing)
{
    m_folder = folder;
    QDir::setCurrent(folder);
    m_drives.remember(folder);
    const int index = m_drives.indexFor(folder);
    m_dirModel->setFolder(index >= 0 ? m_drives.at(index).mountPoint : QStringLiteral("/"),
                          folder, listing.folders);
    m_dir1->setCurrentIndex(m_dirModel->index(m_dirModel->currentRow()));
    m_freshFiles = listing.files;
    Dir1_Change();
}

void BrowsePanel::fillDriveList()
{
    const QSignalBlocker blocker(m_drive1);
    const int before = m_drive1->currentIndex();
    const QString selected = before >= 0 ? m_drive1->itemData(before).toString() : QString();
    m_drive1->clear();
    int current = -1;
    for (int i = 0; i < m_drives.count(); ++i) {
        m_drive1->addItem(m_drives.text(i), m_drives.at(i).mountPoint);
        if (m_drives.at(i).mountPoint == selected)
            current = i;
    }
    m_drive1->setCurrentIndex(current >= 0 ? current : m_drives.indexFor(m_folder));
}

void BrowsePanel::syncDriveQuietly()
{
    const QSignalBlocker blocker(m_drive1);
    m_drive1->setCurrentIndex(m_drives.indexFor(m_folder));
}

// The folder cannot be listed (removed while shown, or no access): show the
// nearest folder above it that can be, then say why. failed is a copy:
// callers pass the current folder, which changes on the way.
void BrowsePanel::moveToNearest(QString failed, const QString &reason)
{
    QString target = failed;
    FolderListing listing;
    do {
        target = FolderPath::parent(target);
        listing = listFolder(target);
    } while (!listing.ok && target != QLatin1String("/"));
    if (listing.ok) {
        showListing(target, listing);
        syncDriveQuietly();
    } else {
        m_dirModel->setFolder(m_folder, m_folder, {});
        m_fileModel->setNames({});
        target = m_folder;
    }
    m_context.dialogs().error(QStringLiteral("フォルダ「%1」を開けません。\n（%2）\n\n「%3」を表示します。")
                                  .arg(failed, reason, target));
}

void BrowsePanel::Drive1_Change(int index)
{
    if (index < 0 || index >= m_drives.count() || !m_drives.isReady(index))
        return; // a drive that is not ready leaves the lists as they are
    const QString mount = m_drives.at(index).mountPoint;
    const QString remembered = m_drives.rememberedFolder(index);
    if (!setFolder(remembered)) {
        // The folder remembered for the drive has gone since.
        const QString nearest = FolderPath::nearestExisting(remembered);
        if (!FolderPath::isWithin(nearest, mount) || !setFolder(nearest))
            setFolder(mount);
    }
    refreshFolders();
}

void BrowsePanel::Dir1_Change()
{
    refreshFiles();
}

void BrowsePanel::Dir1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, const QPoint &pos)
{
    const QString noted = m_folder;
    if (button != Qt::RightButton)
        return;
    m_dirclk1->popup(m_dir1->viewport()->mapToGlobal(pos));
    if (!m_dirclk1->isVisible())
        m_context.setPathLabel(noted);
}

void BrowsePanel::Dir1_Open(const QModelIndex &index)
{
    const QString path = m_dirModel->pathAt(index.row());
    if (path.isEmpty() || path == m_folder)
        return;
    const FolderListing listing = listFolder(path);
    if (!listing.ok) {
        moveToNearest(path, listing.error);
        return;
    }
    showListing(path, listing);
    syncDriveQuietly();
}

void BrowsePanel::File1_DblClick()
{
    const int row = m_file1->currentIndex().row();
    if (row < 0 || row >= m_fileModel->names().size())
        return;
    const QString name = m_fileModel->names().at(row);
    const QString full = FolderPath::fullPath(m_folder, name);
    if (FolderPath::isPage(full)) {
        m_launcher.openPage(full); // like the browser itself, failure stays silent
        return;
    }
    m_selectedFileName = name;
    m_context.setPathLabel(full);
}

void BrowsePanel::fileupdate_Click()
{
    m_freshFiles.reset();
    refreshFiles();
}

void BrowsePanel::Command7_Click()
{
    const QString desktop = DesktopFolder();
    QString reason;
    if (desktop.isEmpty()) {
        m_context.dialogs().error(QStringLiteral("デスクトップフォルダが見つかりません。\n"
                                                 "フォルダは変わりません。"));
        return;
    }
    if (!canList(desktop, &reason)) {
        m_context.dialogs().error(QStringLiteral("デスクトップフォルダ「%1」を開けません。\n（%2）")
                                      .arg(desktop, reason));
        return;
    }
    QDir::setCurrent(desktop);
    m_drives.remember(desktop);
    selectDriveFor(desktop);
    setFolder(desktop);
}

void BrowsePanel::Command13_Click()
{
    openInFileManager();
}

void BrowsePanel::dirclkr1_Click()
{
    const QString text = QApplication::clipboard()->text();
    const ClipboardFolder result = ClipboardFolder::check(text);
    if (result.verdict == ClipboardFolder::Network) {
        m_context.dialogs().notify(ClipboardFolder::message(result, text));
        return;
    }
    if (result.verdict != ClipboardFolder::Folder) {
        m_context.dialogs().error(ClipboardFolder::message(result, text));
        return;
    }
    QString reason;
    if (!canList(result.folder, &reason)) {
        m_context.dialogs().error(QStringLiteral("クリップボードのフォルダ「%1」を開けません。\n（%2）")
                                      .arg(result.folder, reason));
        return;
    }
    selectDriveFor(result.folder);
    setFolder(result.folder);
    refreshDrives();
    refreshFolders();
    QDir::setCurrent(m_folder);
}

void BrowsePanel::dirclip_Click()
{
    QApplication::clipboard()->setText(m_folder);
}

void BrowsePanel::expdir_Click()
{
    openInFileManager();
}

void BrowsePanel::openInFileManager()
{
    if (!m_launcher.openFolder(m_folder))
        m_context.dialogs().error(QStringLiteral("ファイルマネージャを起動できませんでした。\n「%1」")
                                      .arg(m_folder));
}

bool BrowsePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dir1->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        Dir1_MouseDown(mouse->button(), mouse->modifiers(), mouse->position().toPoint());
        // Only the left button selects; the others leave the list alone.
        return mouse->button() != Qt::LeftButton;
    }
    if (watched == m_dir1 && isEnterKey(event)) {
        Dir1_Open(m_dir1->currentIndex());
        return true;
    }
    if (watched == m_file1->viewport() && event->type() == QEvent::MouseButtonDblClick
        && static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton) {
        return true; // only the left button picks a file or opens a page
    }
    if (watched == m_file1 && isEnterKey(event)) {
        File1_DblClick();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
