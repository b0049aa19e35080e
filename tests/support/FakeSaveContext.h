#pragma once

#include "page/SaveContext.h"
#include "support/ScriptedDialogs.h"

namespace tabulink {

// A SaveContext without a window, for the core's save procedure.
class FakeSaveContext : public SaveContext
{
public:
    UserDialogs &dialogs() override { return scripted; }
    PageOptions pageOptions() const override { return options; }
    QString currentFolder() const override { return folder; }
    QString selectedFileName() const override { return selected; }
    QString pathLabel() const override { return label; }
    void setPathLabel(const QString &path) override { label = path; }
    void refreshFileList() override { ++refreshes; }

    ScriptedDialogs scripted;
    PageOptions options;
    QString folder;
    QString selected;
    QString label;
    int refreshes = 0;
};

} // namespace tabulink
