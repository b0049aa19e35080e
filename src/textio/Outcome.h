#pragma once

#include <QString>

namespace tabulink {

// What a core step reports: whether it worked and, when not, why, in words
// the user is shown.
struct Outcome {
    bool ok = false;
    QString message;
};

} // namespace tabulink
