#pragma once

#include "page/PageMessages.h"
#include "page/UserDialogs.h"

#include <QString>

#include <new>
#include <optional>
#include <utility>

namespace tabulink {

// Actions that build large data in memory (a file read, the table filled from
// the CSV lines, a text put into the editor) run through these. When memory
// runs out the action stops and the user is told, instead of the program
// ending and taking all unsaved work with it.
namespace OutOfMemory {

// Runs action; when an allocation inside it fails, shows the message and
// returns false.
template <typename Action>
bool runTellingUser(UserDialogs &dialogs, Action &&action)
{
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::bad_alloc &) {
        dialogs.error(PageMessages::outOfMemory());
        return false;
    }
}

// Runs action; when an allocation inside it fails, puts state back as it
// was before the action and returns false. A copy is taken first; when even
// that does not fit, nothing runs.
template <typename State, typename Action>
bool runRestoring(State &state, Action &&action)
{
    std::optional<State> before;
    try {
        before.emplace(state);
    } catch (const std::bad_alloc &) {
        return false;
    }
    try {
        std::forward<Action>(action)();
        return true;
    } catch (const std::bad_alloc &) {
        state = std::move(*before);
        return false;
    }
}

} // namespace OutOfMemory

} // namespace tabulink
