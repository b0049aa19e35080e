#pragma once

#include "page/WindowContext.h"
#include "support/ScriptedDialogs.h"

// A WindowContext without a window, for the core's save procedure.
class FakeContext : public WindowContext
{
public:
    UserDialogs &dialogs() override { return scripted; }
    PageOptions pageOptions() const override { return options; }
    QString currentFolder() const override { return folder; }
    QString selectedFileName() const override { return selected; }
    QString pathLabel() const override { return label; }
    void setPathLabel(const QString &path) override { label = path; }
    void refreshFileList() override { ++refreshes; }
    QStringList fileListNames() const override { return names; }

    ScriptedDialogs scripted;
    PageOptions options;
    QString folder;
    QString selected;
    QString label;
    QStringList names;
    int refreshes = 0;
};
