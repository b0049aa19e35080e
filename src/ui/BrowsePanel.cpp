#include "ui/BrowsePanel.h"

#include "page/WindowContext.h"
#include "ui/Fonts.h"
#include "ui/TabPage.h"

#include <QComboBox>
#include <QDir>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QStringListModel>

BrowsePanel::BrowsePanel(QWidget *area, WindowContext &context)
    : QObject(area), m_context(context), m_folder(QDir::currentPath())
{
    m_drive1 = placeAt(new QComboBox(area), "Drive1", 0, 24, 297, 20);
    m_dirModel = new QStringListModel(this);
    m_dir1 = placeAt(new QListView(area), "Dir1", 0, 48, 161, 370);
    m_dir1->setModel(m_dirModel);
    m_dir1->setUniformItemSizes(true);
    m_dir1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette pal = m_dir1->palette();
    pal.setColor(QPalette::Base, QColor(255, 255, 192));
    m_dir1->setPalette(pal);

    m_fileModel = new QStringListModel(this);
    m_file1 = placeAt(new QListView(area), "File1", 168, 48, 129, 398);
    m_file1->setModel(m_fileModel);
    m_file1->setUniformItemSizes(true);
    m_file1->setFont(Fonts::mincho(9));
    m_file1->setEditTriggers(QAbstractItemView::NoEditTriggers);

    m_command7 = placeAt(new QPushButton(QStringLiteral("ﾃﾞｽｸﾄｯﾌﾟ"), area), "Command7", 0, 424, 81, 17);
    m_command13 = placeAt(new QPushButton(QStringLiteral("ｴｸｽﾌﾟﾛｰﾗ"), area), "Command13", 88, 424, 81, 17);

    m_dirclk1 = new QMenu(QStringLiteral("dirclk1"), area);
    m_dirclk1->setObjectName(QStringLiteral("dirclk1"));
    m_dirclk1->addAction(QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞのﾃﾞｨﾚｸﾄﾘに移動"))->setObjectName(QStringLiteral("dirclkr1"));
    m_dirclk1->addAction(QStringLiteral("ファイルリストの更新"))->setObjectName(QStringLiteral("fileupdate"));
    m_dirclk1->addAction(QStringLiteral("ﾃﾞｨﾚｸﾄﾘ名をｸﾘｯﾌﾟﾎﾞｰﾄﾞへ"))->setObjectName(QStringLiteral("dirclip"));
    m_dirclk1->addAction(QStringLiteral("ｴｸｽﾌﾟﾛｰﾗの起動"))->setObjectName(QStringLiteral("expdir"));

    showFolder();
}

QStringList BrowsePanel::fileNames() const
{
    return m_fileModel->stringList();
}

void BrowsePanel::selectDriveFor(const QString &)
{
}

bool BrowsePanel::setFolder(const QString &path)
{
    if (path.isEmpty() || !QDir(path).exists())
        return false;
    m_folder = QDir::cleanPath(QDir(path).absolutePath());
    showFolder();
    return true;
}

void BrowsePanel::refreshFolders()
{
    QStringList entries;
    QDir dir(m_folder);
    QStringList chain;
    for (QString p = m_folder; !p.isEmpty();) {
        chain.prepend(p);
        if (p == QLatin1String("/"))
            break;
        const qsizetype slash = p.lastIndexOf(u'/');
        p = slash <= 0 ? QStringLiteral("/") : p.left(slash);
    }
    entries << chain;
    entries << dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    m_dirModel->setStringList(entries);
}

void BrowsePanel::refreshFiles()
{
    m_fileModel->setStringList(QDir(m_folder).entryList(QDir::Files, QDir::Name));
}

void BrowsePanel::showFolder()
{
    QDir::setCurrent(m_folder);
    refreshFolders();
    refreshFiles();
}
