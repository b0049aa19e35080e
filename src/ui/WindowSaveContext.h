#pragma once

#include "ui/SaveContext.h"

class QLabel;

namespace tabulink {

class BrowsePanel;
class PageOptionsPanel;

// A save's view of the window: the dialogs, the options panel, the browse
// panel's folder and file list, and the path label Label1. The window builds
// one and hands it to the tabs.
class WindowSaveContext : public SaveContext
{
public:
    WindowSaveContext(UserDialogs &dialogs, const PageOptionsPanel &options, BrowsePanel &browse, QLabel &pathLabel);

    UserDialogs &dialogs() override { return m_dialogs; }
    PageOptions pageOptions() const override;
    QString currentFolder() const override;
    QString selectedFileName() const override;
    QString pathLabel() const override;
    void setPathLabel(const QString &path) override;
    void refreshFileList() override;

private:
    UserDialogs &m_dialogs;
    const PageOptionsPanel &m_options;
    BrowsePanel &m_browse;
    QLabel &m_pathLabel;
};

} // namespace tabulink
