#include "support/ScriptedDialogs.h"

namespace tabulink {

std::optional<QString> ScriptedDialogs::nextFileName()
{
    if (m_fileNames.isEmpty())
        return std::nullopt;
    return m_fileNames.takeFirst();
}

std::optional<QString> ScriptedDialogs::saveFileName(const FileDialogRequest &request)
{
    m_calls.append({Call::Save, QString(), QString(), request});
    return nextFileName();
}

std::optional<QString> ScriptedDialogs::openFileName(const FileDialogRequest &request)
{
    m_calls.append({Call::Open, QString(), QString(), request});
    return nextFileName();
}

bool ScriptedDialogs::confirm(const QString &title, const QString &text, DefaultAnswer)
{
    m_calls.append({Call::Confirm, title, text, {}});
    return m_answers.isEmpty() ? false : m_answers.takeFirst();
}

void ScriptedDialogs::notify(const QString &text)
{
    m_calls.append({Call::Notify, QStringLiteral("Tabulink"), text, {}});
}

void ScriptedDialogs::error(const QString &text)
{
    m_calls.append({Call::Error, QStringLiteral("Tabulink"), text, {}});
}

QList<ScriptedDialogs::Call> ScriptedDialogs::callsOf(Call::Kind kind) const
{
    QList<Call> result;
    for (const Call &c : m_calls)
        if (c.kind == kind)
            result.append(c);
    return result;
}

QStringList ScriptedDialogs::notices() const
{
    QStringList result;
    for (const Call &c : callsOf(Call::Notify))
        result << c.text;
    return result;
}

QStringList ScriptedDialogs::errors() const
{
    QStringList result;
    for (const Call &c : callsOf(Call::Error))
        result << c.text;
    return result;
}

void ScriptedDialogs::clear()
{
    m_calls.clear();
    m_fileNames.clear();
    m_answers.clear();
}

} // namespace tabulink
