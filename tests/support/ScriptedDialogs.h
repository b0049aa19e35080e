#pragma once

#include "page/UserDialogs.h"

#include <QList>
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
        DefaultAnswer defaultAnswer = DefaultAnswer::Yes; // of a question
    };

    void setNextFileName(const QString &path) { m_fileNames.append(path); }
    void setNextCancel() { m_fileNames.append(std::nullopt); }
    void setNextAnswer(bool yes) { m_answers.append(yes); }

    std::optional<QString> saveFileName(const FileDialogRequest &request) override { return file(Call::Save, request); }
    std::optional<QString> openFileName(const FileDialogRequest &request) override { return file(Call::Open, request); }
    bool confirm(const QString &title, const QString &text, DefaultAnswer defaultAnswer) override
    {
        m_calls.append({Call::Confirm, title, text, {}, defaultAnswer});
        return !m_answers.isEmpty() && m_answers.takeFirst();
    }
    void notify(const QString &text) override { m_calls.append({Call::Notify, QStringLiteral("Tabulink"), text, {}}); }
    void error(const QString &text) override { m_calls.append({Call::Error, QStringLiteral("Tabulink"), text, {}}); }

    const QList<Call> &calls() const { return m_calls; }
    QList<Call> callsOf(Call::Kind kind) const
    {
        QList<Call> result = m_calls;
        result.removeIf([kind](const Call &c) { return c.kind != kind; });
        return result;
    }
    // The texts of the calls of one kind, in order.
    QStringList texts(Call::Kind kind) const
    {
        QStringList result;
        for (const Call &c : callsOf(kind))
            result << c.text;
        return result;
    }
    QStringList notices() const { return texts(Call::Notify); }
    QStringList errors() const { return texts(Call::Error); }
    QStringList questions() const { return texts(Call::Confirm); }
    void clear() { m_calls.clear(), m_fileNames.clear(), m_answers.clear(); }

private:
    std::optional<QString> file(Call::Kind kind, const FileDialogRequest &request)
    {
        m_calls.append({kind, QString(), QString(), request});
        return m_fileNames.isEmpty() ? std::nullopt : m_fileNames.takeFirst();
    }

    QList<std::optional<QString>> m_fileNames;
    QList<bool> m_answers;
    QList<Call> m_calls;
};

} // namespace tabulink
