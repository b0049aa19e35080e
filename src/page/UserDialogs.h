#pragma once

#include <QString>

#include <optional>

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

    // Yes/No with the warning icon; true only for Yes. Yes is the default
    // button, except in the overwrite question, where it is No.
    virtual bool confirm(const QString &title, const QString &text) = 0;
    // OK only, no icon, caption "Tabulink".
    virtual void notify(const QString &text) = 0;
    // OK only, warning icon, caption "Tabulink": something went wrong.
    virtual void error(const QString &text) = 0;
};
