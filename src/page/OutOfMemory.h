#pragma once

#include "page/PageMessages.h"
#include "page/UserDialogs.h"

#include <QString>

#include <new>
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

} // namespace OutOfMemory

} // namespace tabulink
