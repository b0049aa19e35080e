#pragma once

#include "page/WindowContext.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class BrowsePanel;
class CsvTab;
class Launcher;
class LinkTab;
class PageOptionsPanel;
class QLabel;
class QTabWidget;
class QtUserDialogs;
class TextTab;
class UserDialogs;

// main1: the one window of the program.
class MainWindow : public QMainWindow, public WindowContext
{
    Q_OBJECT
public:
    // dialogs: the message boxes and file dialog to use; the real ones when null.
    // launcher: the file manager and browser to use; the desktop's when null.
    explicit MainWindow(UserDialogs *dialogs = nullptr, QWidget *parent = nullptr,
                        Launcher *launcher = nullptr);
    ~MainWindow() override;

    // WindowContext
    UserDialogs &dialogs() override;
    PageOptions pageOptions() const override;
    QString currentFolder() const override;
    QString selectedFileName() const override;
    QString pathLabel() const override;
    void setPathLabel(const QString &path) override;
    void refreshFileList() override;
    QStringList fileListNames() const override;

    BrowsePanel *browsePanel() const { return m_browse; }
    CsvTab *csvTab() const { return m_csvTab; }
    TextTab *textTab() const { return m_textTab; }
    LinkTab *linkTab() const { return m_linkTab; }

public slots:
    void Form_Load();
    // Stores the folder shown. Runs on every end the program sees: the close,
    // the session manager's request to save, the application quitting. Each
    // folder is written once, however many of them follow one another.
    void Form_QueryUnload();
    void helpp_Click();
    void about_Click();
    void eend_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();

    std::unique_ptr<QtUserDialogs> m_ownDialogs;
    UserDialogs *m_dialogs;
    std::unique_ptr<Launcher> m_ownLauncher;
    Launcher *m_launcher;
    QWidget *m_area = nullptr;
    QLabel *m_label1 = nullptr;
    QTabWidget *m_sstab1 = nullptr;
    PageOptionsPanel *m_options = nullptr;
    BrowsePanel *m_browse = nullptr;
    CsvTab *m_csvTab = nullptr;
    TextTab *m_textTab = nullptr;
    LinkTab *m_linkTab = nullptr;
    std::optional<QString> m_storedFolder;
};
