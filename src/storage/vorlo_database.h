#pragma once

#include "engine/game_journal.h"
#include "storage/appearance_settings.h"
#include "storage/posting_table.h"
#include "storage/stored_page.h"
#include "storage/thread_table.h"

#include <QRect>
#include <QString>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

class QLockFile;

namespace vorlo {

// The database file beside the program: tables "données" (the page), "compteurs" (the
// count of letters still to place) and "couleurs" (the look of the four text areas), one
// record each, "journal" (the games played, their turns and players) and "fil" (the forum
// thread the game is played in). It is opened
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
        // The file can be read but not written: every save will fail.
        bool read_only = false;
        // What the user is told once the file is open (French; empty when nothing): the file
        // is read-only, or its journal could not be written and was kept under another name.
        QString notice;
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
    // held for this object until it is closed: another object or program is refused
    // meanwhile, whatever path leads it to the same file (a symbolic or a hard link).
    // Another program holding the file makes a read or write wait about a second at most,
    // then fail. A journal this program cannot write is kept under another name and a new
    // one begun (see `OpenResult::notice`).
    OpenResult open(const QString& path, bool read_only = false);
    bool is_open() const;
    void close();

    // The one record of "données" and "compteurs"; fields that are Null, missing or
    // unreadable come back empty. When the engine fails a read itself (another program
    // holds the file, a table is gone, ...), `failure` gets its reason in French and what
    // could not be read comes back empty: such a page must not be shown as the file's. A
    // found text longer than 600 characters is such a failure too.
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
    // The same, with the forum thread written into "fil" in the same transaction.
    bool save_page(const StoredPage& page, const JournalContents& journal,
                   const thread_table::ThreadRecord& thread, QString* error = nullptr);

    // The forum thread kept with the game, empty when the file has none. `failure` as for
    // the page.
    thread_table::ThreadRecord read_thread(QString* failure = nullptr) const;

    // The journal as last saved, or only its `latest_games` last games when that is above
    // 0; empty when the file has none. `failure` as for the page. Rows whose numbers do not
    // agree with their texts are recounted from the texts or, when that cannot be done, not
    // read: they are counted (journal_rows_not_read) and the next save keeps them apart in
    // the file, never deletes them.
    JournalContents read_journal(QString* failure = nullptr, int latest_games = 0) const;
    // The saved game numbered just below `before_number` that can be read, for a journal
    // held from its latest games. Nothing when there is none; when the file holds one but
    // the engine fails the read, nothing and `failure` gets the French text for the user.
    std::optional<NumberedGame> read_game_before(int before_number,
                                                 QString* failure = nullptr) const;
    // Rows of the journal that the reads so far could not read.
    int journal_rows_not_read() const;
    // What the user has to be told once about the journal (rows not read, a journal kept
    // under another name), in French; empty when nothing. Emptied by the call.
    QString take_journal_notice();

    // Rewrites the fields of "couleurs" that `look` sets for `area`, in one commit; a font
    // size is stored as a whole number of points.
    bool store_look(TextArea area, const AreaAppearance& look, QString* error = nullptr);
    // Rewrites only the named fields of "couleurs", in the order given, in one commit.
    using FieldValues = std::vector<std::pair<QString, QVariant>>;
    bool write_appearance(const FieldValues& fields, QString* error = nullptr);

    // The forum the posts are written for, from the table "publication"; the default choice
    // when the file has none. `failure` as for the page.
    PostingChoice read_posting_choice(QString* failure = nullptr) const;
    // Stores the posting choice at once, in one commit, like the look of the areas.
    bool store_posting_choice(const PostingChoice& choice, QString* error = nullptr);
    // Where a side window of the program stood when last closed (see window_places): its
    // frame top-left and inner size. Nothing when the file has none; a failed store leaves
    // the file as it was and says why in `error`.
    std::optional<QRect> read_window_place(const QString& window) const;
    bool store_window_place(const QString& window, const QRect& place, QString* error = nullptr);

  private:
    bool save(const StoredPage& page, const JournalContents* journal,
              const thread_table::ThreadRecord* thread, QString* error);

    // Holds the file itself for the run; false when another program already does.
    bool hold_file(const QString& path);
    void release_file();

    QString connection_name_;
    std::unique_ptr<QLockFile> lock_;
    int file_handle_ = -1;  // the open file that carries the hold on the file itself
    // Rows of the journal read and not understood, to be kept apart by the next save.
    mutable std::vector<qint64> unread_rows_;
    mutable int rows_not_read_ = 0;
    mutable QString journal_notice_;
};

}  // namespace vorlo
