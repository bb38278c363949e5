#pragma once

#include <QString>

#include <optional>

namespace vorlo {

// The page of the file, read or to be saved: an empty optional is a field that is Null,
// missing or cannot be read. A page to save has every field; a missing text is saved empty.
struct StoredPage {
    std::optional<QString> base;     // reference
    std::optional<QString> result;   // found text
    std::optional<QString> propal;   // last proposal
    std::optional<QString> lettres;  // remaining letters
    std::optional<int> nb_lettres;   // letters still to place, 0..600

    bool operator==(const StoredPage&) const = default;
};

// The page as the window shows it at start-up, every field set: a missing stored text shows
// "Vide"; an empty stored text stays empty. A missing or unusable count is the number of
// letters the stored found text still hides (0 when it hides none).
StoredPage shown_page(const StoredPage& stored);

}  // namespace vorlo
