#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QComboBox;
class QListView;
class QMenu;
class QPushButton;
class QStringListModel;
class QWidget;
class WindowContext;

// The drive, folder and file lists on the left of the window. The folder
// list's path is the program's current folder.
class BrowsePanel : public QObject
{
    Q_OBJECT
public:
    BrowsePanel(QWidget *area, WindowContext &context);

    QString currentFolder() const { return m_folder; }
    QString selectedFileName() const { return m_selectedFileName; }
    QStringList fileNames() const;
    QMenu *dirclk1Menu() const { return m_dirclk1; }

    // Start-up steps 1 to 4.
    void selectDriveFor(const QString &path);
    bool setFolder(const QString &path);
    void refreshFolders();
    void refreshFiles();

private:
    void showFolder();

    WindowContext &m_context;
    QString m_folder;
    QString m_selectedFileName;
    QComboBox *m_drive1;
    QListView *m_dir1;
    QStringListModel *m_dirModel;
    QListView *m_file1;
    QStringListModel *m_fileModel;
    QPushButton *m_command7;
    QPushButton *m_command13;
    QMenu *m_dirclk1;
};
