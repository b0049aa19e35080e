#pragma once

#include "page/UserDialogs.h"

#include <QStringList>

class QWidget;

namespace tabulink {

// The real message boxes and file dialog.
class QtUserDialogs : public UserDialogs
{
public:
    explicit QtUserDialogs(QWidget *owner = nullptr);
    void setOwner(QWidget *owner) { m_owner = owner; }

    std::optional<QString> saveFileName(const FileDialogRequest &request) override;
    std::optional<QString> openFileName(const FileDialogRequest &request) override;
    bool confirm(const QString &title, const QString &text, DefaultAnswer defaultAnswer) override;
    void notify(const QString &text) override;
    void error(const QString &text) override;

    // "desc|pattern|desc|pattern|" -> {"desc (pattern)", ...}, with "*.*" as "*"
    static QStringList qtFilters(const QString &filter);

private:
    std::optional<QString> runDialog(const FileDialogRequest &request, bool save);

    QWidget *m_owner;
};

} // namespace tabulink
