#pragma once

#include <QString>

namespace tabulink {

// The clipboard's plain text, read and written whole.
class ClipboardText
{
public:
    virtual ~ClipboardText() = default;

    virtual QString text() = 0;
    virtual void setText(const QString &text) = 0;
};

} // namespace tabulink
