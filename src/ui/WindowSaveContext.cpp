#include "ui/WindowSaveContext.h"

#include "ui/BrowsePanel.h"
#include "ui/PageOptionsPanel.h"

#include <QLabel>

namespace tabulink {

WindowSaveContext::WindowSaveContext(UserDialogs &dialogs, const PageOptionsPanel &options, BrowsePanel &browse,
                                     QLabel &pathLabel)
    : m_dialogs(dialogs), m_options(options), m_browse(browse), m_pathLabel(pathLabel)
{
}

PageOptions WindowSaveContext::pageOptions() const
{
    return m_options.readPageOptions();
}

QString WindowSaveContext::currentFolder() const
{
    return m_browse.currentFolder();
}

QString WindowSaveContext::selectedFileName() const
{
    return m_browse.selectedFileName();
}

QString WindowSaveContext::pathLabel() const
{
    return m_pathLabel.text();
}

void WindowSaveContext::setPathLabel(const QString &path)
{
    m_pathLabel.setText(path);
}

void WindowSaveContext::refreshFileList()
{
    m_browse.refreshFiles();
}

} // namespace tabulink
