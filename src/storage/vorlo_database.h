#pragma once

#include "engine/game_journal.h"
#include "storage/appearance_settings.h"
#include "storage/stored_page.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

class QLockFile;

namespace vorlo {

// The database file beside the program: tables "données" (the page), "compteurs" (the
// count of letters still to place) and "couleurs" (the look of the four text areas), one
// record each, and "journal" (the games played, their turns and players). It is opened
// once at start-up and kept open for the run.
class VorloDatabase {
  public:
    static QString file_name();  // "vorlo.mdb"

    struct OpenResult {
        bool ok = false;
        bool created = false;  // the file was missing and has been made with empty records
        QString error;         // French text for the user when !ok
        // The file is there but cannot be read as a database (not one, or damaged); `reason`
        // says which.
        bool unreadable = false;
        QString reason;
    };

    VorloDatabase();
    ~VorloDatabase();
    VorloDatabase(const VorloDatabase&) = delete;
    VorloDatabase& operator=(const VorloDatabase&) = delete;

    // Opens the file at `path`. A missing file is created with the three tables and one
    // record each, all fields Null. A file that is not a database, or that lacks a table,
    // is refused and left untouched. A file with the three tables but without "journal"
    // gets that table, the others untouched; read-only, it goes without. `read_only` opens
    // the file as the system would a write-protected one. Opened for writing, the file is
    // held for this object until it is closed (the lock file `path`.lock): another object or
    // program is refused meanwhile. Another program holding the file makes a read or write
    // wait about a second at most, then fail.
    OpenResult open(const QString& path, bool read_only = false);
    bool is_open() const;
    void close();

    // The one record of "données" and "compteurs"; fields that are Null, missing or
    // unreadable come back empty. When the engine fails a read itself (another program
    // holds the file, a table is gone, ...), `failure` gets its reason in French and what
    // could not be read comes back empty: such a page must not be shown as the file's.
    StoredPage read_page(QString* failure = nullptr) const;
    // The one record of "couleurs"; each unusable field comes back empty. `failure` as for
    // the page.
    AppearanceSettings read_appearance(QString* failure = nullptr) const;

    // Writes "données" then "compteurs" in one transaction: either both are in the file
    // when this returns true, or nothing has changed and `error` says why.
    // A page without a count, or with one outside 0..600, is refused.
    bool save_page(const StoredPage& page, QString* error = nullptr);
    // The same, with the journal written into "journal" in the same transaction.
    bool save_page(const StoredPage& page, const JournalContents& journal,
                   QString* error = nullptr);

    // The journal as last saved, or only its `latest_games` last games when that is above
    // 0; empty when the file has none. `failure` as for the page.
    JournalContents read_journal(QString* failure = nullptr, int latest_games = 0) const;
    // The saved game numbered just below `before_number`, for a journal held from its latest
    // games; nothing when there is none or it cannot be read.
    std::optional<NumberedGame> read_game_before(int before_number) const;

    // Rewrites the fields of "couleurs" that `look` sets for `area`, in one commit; a font
    // size is stored as a whole number of points.
    bool store_look(TextArea area, const AreaAppearance& look, QString* error = nullptr);
    // Rewrites only the named fields of "couleurs", in the order given, in one commit.
    using FieldValues = std::vector<std::pair<QString, QVariant>>;
    bool write_appearance(const FieldValues& fields, QString* error = nullptr);

  private:
    bool save(const StoredPage& page, const JournalContents* journal, QString* error);

    QString connection_name_;
    std::unique_ptr<QLockFile> lock_;
};

}  // namespace vorlo
