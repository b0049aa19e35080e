#pragma once

#include "textio/Outcome.h"

#include <QString>

#include <optional>

namespace tabulink {

// What the program asks of a file dialog.
struct FileDialogRequest {
    // Pairs of description and pattern, each item followed by "|":
    // "htmlﾌｧｲﾙ|*.html|htmﾌｧｲﾙ|*.htm|All Files|*.*|"
    QString filter;
    QString folder;        // the folder the dialog opens in
    QString presetName;    // empty: none
    QString defaultSuffix; // empty: none; without the dot ("txt")
};

// Message boxes and the one file dialog. The window gets the real ones; tests
// give it a scripted implementation.
class UserDialogs
{
public:
    virtual ~UserDialogs() = default;

    // The full path chosen, or nothing when the user cancelled.
    virtual std::optional<QString> saveFileName(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> openFileName(const FileDialogRequest &request) = 0;

    // The button Enter presses in a question. A question whose Yes throws
    // away the user's work (replacing a page, discarding typed descriptions)
    // defaults to No, so two presses of Enter never lose anything.
    enum class DefaultAnswer { Yes, No };
    // Yes/No with the warning icon; true only for Yes.
    virtual bool confirm(const QString &title, const QString &text, DefaultAnswer defaultAnswer) = 0;
    // OK only, no icon, caption "Tabulink".
    virtual void notify(const QString &text) = 0;
    // OK only, warning icon, caption "Tabulink": something went wrong.
    virtual void error(const QString &text) = 0;

    // A notice or a warning as the core chose it; nothing for none.
    void tell(const UserMessage &message)
    {
        if (message.kind == UserMessage::Kind::Notice)
            notify(message.text);
        else if (message.kind == UserMessage::Kind::Warning)
            error(message.text);
    }
};

} // namespace tabulink
