#pragma once

#include "linkpage/FileList.h"
#include "ui/TabPage.h"

#include <QStringList>

#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;

namespace tabulink {

class LinkListModel;
class SaveContext;

// The tab "リンクＨＴＭＬ": the file list with descriptions and the link page.
class LinkTab : public TabPage
{
    Q_OBJECT
public:
    // fileNames: the names the file list shows now, in list order.
    LinkTab(SaveContext &saves, std::function<QStringList()> fileNames, QWidget *parent = nullptr);

    QMenu *rowMenu() const { return m_rowMenu; }
    QListView *fileListView() const { return m_fileList; }
    LinkListModel *fileListModel() const { return m_fileListModel; }
    // The three instruction lines shown at start.
    void showInstructions();
    // Asked before the window closes: true when nothing typed would be lost,
    // or the user agreed to lose it.
    bool mayClose() { return mayDiscardDescriptions(); }
    // The link page "ｈｔｍｌ 作成" would write now, in memory; nothing is
    // saved or shown.
    QByteArray pageBytes() const;

signals:
    // The link page may have changed: rows or descriptions.
    void changed();

public slots:
    void importFileNames();
    void clearFileNames();
    // Loads the current row into the edit row, as a double-click does.
    void loadCurrentRow();
    void registerDescription();
    void deleteSelectedRows();
    void writeLinkPage();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool mayDiscardDescriptions();
    void showEditRow(const EditRow &edit);
    void popUpRowMenu(const QPoint &position);

    SaveContext &m_saves;
    std::function<QStringList()> m_fileNames;
    // The loaded row: its name label shows the file name shortened to fit.
    EditRow m_edit;
    QLabel *m_instructions;
    QLabel *m_rowNumberLabel;
    QLabel *m_fileNameLabel;
    QLineEdit *m_descriptionEdit;
    QListView *m_fileList;
    LinkListModel *m_fileListModel;
    QMenu *m_rowMenu;
};

} // namespace tabulink
