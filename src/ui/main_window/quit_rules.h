#pragma once

#include <QString>

namespace vorlo {

class MessageBoxes;

enum class QuitDecision {
    Stay,                 // the program goes on running
    CloseDatabaseAndEnd,  // the page is saved: close the database, then end
    End,                  // the master chose to leave an unsaved page
};

// Whether the program may end now: never without a reference, at once after a save, and
// after asking when the page is not saved.
QuitDecision decide_quit(const QString& reference, const QString& saved_marker,
                         MessageBoxes& boxes);

}  // namespace vorlo
