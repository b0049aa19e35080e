#pragma once

#include "page/UserDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tabulink {

// A UserDialogs that answers from a script and records every call. An empty
// script cancels the file dialog and answers No to a question.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Call {
        enum Kind { Save, Open, Confirm, Notify, Error } kind;
        QString title;
        QString text;
        FileDialogRequest request;
    };

    void setNextFileName(const QString &path) { m_fileNames.append(path); }
    void setNextCancel() { m_fileNames.append(std::nullopt); }
    void setNextAnswer(bool yes) { m_answers.append(yes); }

    std::optional<QString> saveFileName(const FileDialogRequest &request) override;
    std::optional<QString> openFileName(const FileDialogRequest &request) override;
    bool confirm(const QString &title, const QString &text, DefaultAnswer defaultAnswer) override;
    void notify(const QString &text) override;
    void error(const QString &text) override;

    const QList<Call> &calls() const { return m_calls; }
    QList<Call> callsOf(Call::Kind kind) const;
    // The texts of all notices, in order.
    QStringList notices() const;
    QStringList errors() const;
    void clear();

private:
    std::optional<QString> nextFileName();

    QList<std::optional<QString>> m_fileNames;
    QList<bool> m_answers;
    QList<Call> m_calls;
};

} // namespace tabulink
