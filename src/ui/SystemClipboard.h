#pragma once

#include "browse/ClipboardText.h"

namespace tabulink {

// The desktop's clipboard, plain text.
class SystemClipboard : public ClipboardText
{
public:
    QString text() override;
    void setText(const QString &text) override;
};

} // namespace tabulink
