// What reaches the lists from outside the window: items dropped on them,
// changes in the shown folder and in the mounted volumes.

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

bool BrowsePanel::openDropped(const DroppedPath &dropped)
{
    DropFilter::tellRefusal(m_dialogs, dropped);
    if (dropped.kind == DroppedPath::Refused || dropped.kind == DroppedPath::Nothing)
        return false;
    const bool isFile = dropped.kind == DroppedPath::File;
    const Navigator::Result result = isFile ? m_navigator.openDropped(dropped.folder, dropped.name)
                                            : m_navigator.openDropped(dropped.path);
    show(result);
    if (result.changes == 0)
        return false;
    if (isFile) {
        m_pathLabel->setText(dropped.path);
        const qsizetype row = m_navigator.files().indexOf(dropped.name);
        if (row >= 0)
            m_fileList->setCurrentIndex(m_fileModel->index(int(row)));
    }
    return true;
}

void BrowsePanel::takeDrop(const QList<QUrl> &urls)
{
    openDropped(DroppedPath::take(urls, true));
}

void BrowsePanel::rereadFolder()
{
    const QString shown = m_navigator.folder();
    const Navigator::Result result = m_navigator.reread();
    if (m_navigator.folder() != shown || result.message.kind == UserMessage::Kind::Warning) {
        show(result); // the folder went: the nearest one above shows
        return;
    }
    if (result.changes & Navigator::Result::Folder)
        m_folderModel->updateSubfolders(m_navigator.subfolders());
    if (result.changes & Navigator::Result::Files)
        m_fileModel->updateNames(m_navigator.files());
}

void BrowsePanel::refreshDrives()
{
    show(m_navigator.refreshDrives());
}

} // namespace tabulink
