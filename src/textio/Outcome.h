#pragma once

#include <QString>

namespace tabulink {

// What a core step reports: whether it worked and, when not, why, in words
// the user is shown. Steps that also hand back a value extend it.
struct Outcome {
    bool ok = false;
    QString message; // for the user when !ok

    static Outcome success() { return {true, QString()}; }
    static Outcome failure(const QString &message) { return {false, message}; }
};

// What the window tells the user after an action: nothing, a notice (no
// icon) or a warning.
struct UserMessage {
    enum class Kind { None, Notice, Warning };
    Kind kind = Kind::None;
    QString text;

    static UserMessage notice(const QString &text) { return {Kind::Notice, text}; }
    static UserMessage warning(const QString &text) { return {Kind::Warning, text}; }
};

} // namespace tabulink
