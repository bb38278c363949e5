#pragma once

#include <QString>

#include <optional>

namespace vorlo {

// What the file holds of the page; an empty optional is a field that is Null, missing or
// cannot be read.
struct StoredPage {
    std::optional<QString> base;     // reference
    std::optional<QString> result;   // found text
    std::optional<QString> propal;   // last proposal
    std::optional<QString> lettres;  // remaining letters
    std::optional<int> nb_lettres;   // letters still to place, 0..600
};

// The page as the window shows it, to be saved.
struct PageRecord {
    QString base;
    QString result;
    QString propal;
    QString lettres;
    QString remaining_count_caption;  // decimal text of lettres_restantes
};

// The texts the window shows at start-up: a missing stored text shows "Vide"; an empty
// stored text stays empty. A missing or unusable count is the number of letters the stored
// found text still hides ("0" when it hides none).
struct LoadedPage {
    QString ref;
    QString soluce;
    QString propal;
    QString lettres;
    QString remaining_count;
};

LoadedPage loaded_page(const StoredPage& stored);

}  // namespace vorlo
