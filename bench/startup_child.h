#pragma once

#include <QString>

namespace vorlo::bench {

// The page file a start finds in the program's folder.
enum class StoredPageKind {
    // As the first start leaves it: every field Null, so "Vide" in the four areas.
    FirstStart,
    // A game in progress saved with "Enregistrer": a 600-character French reference, its
    // found text after one proposal, that proposal and the remaining letters.
    Game,
    // The same game after a long use of the program: 100 games of 20 turns in the journal.
    GameAfterLongUse,
};

// Makes the page file of `folder`; the look stays the designed one. Needs a
// QCoreApplication.
bool prepare_page_file(const QString& folder, StoredPageKind kind);

// Starts the program as its own main does, on the page file of `folder`, and reports once
// its main window is exposed and idle (see child_report.h). Does not return on success.
int run_startup_child(int argc, char* argv[], long long main_ns, const char* folder);

}  // namespace vorlo::bench
