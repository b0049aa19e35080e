#pragma once

#include "shell/KeptOptions.h"
#include "ui/PreviewWindow.h"
#include "ui/SaveContext.h"

#include <QMainWindow>

#include <memory>
#include <optional>

class QLabel;
class QTabWidget;

namespace tabulink {

class BrowsePanel;
class CsvTab;
class Launcher;
class LinkTab;
class PageOptionsPanel;
class QtUserDialogs;
class TextTab;
class UserDialogs;
class WindowSaveContext;

// main1: the one window of the program. It builds the panels and tabs and
// wires them together; the rules live in the core.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // dialogs: the message boxes and file dialog to use; the real ones when null.
    // launcher: the file manager and browser to use; the desktop's when null.
    explicit MainWindow(UserDialogs *dialogs = nullptr, QWidget *parent = nullptr,
                        Launcher *launcher = nullptr);
    ~MainWindow() override;

    // What the tabs' saves see of the window.
    SaveContext &saveContext() const;
    BrowsePanel *browsePanel() const { return m_browse; }
    CsvTab *csvTab() const { return m_csvTab; }
    TextTab *textTab() const { return m_textTab; }
    LinkTab *linkTab() const { return m_linkTab; }
    // "プレビュー", once it has been opened.
    PreviewWindow *previewWindow() const { return m_preview; }

public slots:
    // Stores the folder shown and the page options. Runs on every end the
    // program sees: the close, the session manager's request to save, the
    // application quitting. Each is written once, however many of them
    // follow one another.
    void storeFolder();
    void showUsage();
    void showVersion();
    // "プレビュー": the front tab's page in a window beside this one.
    void openPreview();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenu();
    void showStartState();
    PreviewWindow::Page previewPage(bool imode) const;
    void wirePreview();

    std::unique_ptr<QtUserDialogs> m_ownDialogs;
    UserDialogs *m_dialogs;
    std::unique_ptr<Launcher> m_ownLauncher;
    Launcher *m_launcher;
    QWidget *m_area = nullptr;
    QLabel *m_pathLabel = nullptr;
    QTabWidget *m_tabs = nullptr;
    PageOptionsPanel *m_options = nullptr;
    BrowsePanel *m_browse = nullptr;
    CsvTab *m_csvTab = nullptr;
    TextTab *m_textTab = nullptr;
    LinkTab *m_linkTab = nullptr;
    std::unique_ptr<WindowSaveContext> m_saveContext;
    std::optional<QString> m_storedFolder;
    std::optional<KeptOptions> m_storedOptions;
    PreviewWindow *m_preview = nullptr;
};

} // namespace tabulink
