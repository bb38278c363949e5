#include "storage/vorlo_database.h"

#include "storage/database_schema.h"
#include "storage/engine_reason.h"
#include "storage/field_values.h"
#include "storage/journal_reading.h"
#include "storage/journal_table.h"
#include "storage/posting_table.h"
#include "storage/sql_statement.h"
#include "storage/storage_messages.h"
#include "storage/window_places.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <atomic>
#include <functional>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vorlo {

namespace {

using schema::quoted;

// A reason for the user, or nothing when the step succeeded.
using Failure = std::optional<QString>;

QString next_connection_name() {
    static std::atomic<quint64> counter{0};
    return QStringLiteral("vorlo_storage_") + QString::number(++counter);
}

// Whether a reason means the file cannot be read as a database at all.
bool is_unreadable(const QString& reason) {
    return reason == storage_messages::not_a_database() ||
           reason == storage_messages::damaged_file();
}

// Another program holding the file is waited for this long, then the step fails.
constexpr int kBusyTimeoutMs = 1000;

void set_error(QString* error, const QString& text) {
    if (error) {
        *error = text;
    }
}

// The one record of a table is its first by rowid.
QString first_record_condition(const QString& table) {
    return QStringLiteral(" WHERE rowid = (SELECT min(rowid) FROM ") + quoted(table) +
           QLatin1Char(')');
}

// The record, or nothing when the table has none. When the engine fails the read, nothing
// is returned and `failure` gets the reason, unless an earlier read already gave one.
std::optional<QSqlRecord> first_record(const QSqlDatabase& db, const QString& table,
                                       QString* failure) {
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Another program may have changed the table since this connection last looked: read the
    // schema again first, or Qt's driver reads a column count that no longer holds (and
    // crashes on a column dropped meanwhile).
    query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    if (query.exec(QStringLiteral("SELECT * FROM ") + quoted(table) +
                   first_record_condition(table)) &&
        query.next()) {
        return query.record();
    }
    if (query.lastError().isValid() && failure && failure->isEmpty()) {
        *failure = engine_reason(query.lastError());
    }
    return std::nullopt;
}

// Null when the record or the field is missing.
QVariant field_value(const std::optional<QSqlRecord>& record, const QString& field) {
    if (!record) {
        return {};
    }
    const int index = record->indexOf(field);
    return index < 0 ? QVariant() : record->value(index);
}

QVariantList values_of(const VorloDatabase::FieldValues& fields) {
    QVariantList values;
    for (const auto& field : fields) {
        values << field.second;
    }
    return values;
}

// Sets the given fields of the one record of `table`, adding that record when the table
// has none, so that the table always ends with its record.
Failure write_first_record(const QSqlDatabase& db, const QString& table,
                           const VorloDatabase::FieldValues& values) {
    QStringList assignments;
    QStringList columns;
    QStringList placeholders;
    for (const auto& field : values) {
        assignments << quoted(field.first) + QStringLiteral(" = ?");
        columns << quoted(field.first);
        placeholders << QStringLiteral("?");
    }
    QSqlQuery update(db);
    const QString update_sql = QStringLiteral("UPDATE ") + quoted(table) + QStringLiteral(" SET ") +
                               assignments.join(QStringLiteral(", ")) +
                               first_record_condition(table);
    if (Failure failure = sql::run(update, update_sql, values_of(values))) {
        return failure;
    }
    if (update.numRowsAffected() > 0) {
        return std::nullopt;
    }
    const QString insert_sql = QStringLiteral("INSERT INTO ") + quoted(table) +
                               QStringLiteral(" (") + columns.join(QStringLiteral(", ")) +
                               QStringLiteral(") VALUES (") +
                               placeholders.join(QStringLiteral(", ")) + QLatin1Char(')');
    return sql::run(db, insert_sql, values_of(values));
}

// Runs `work` in one transaction: it is committed when every step succeeds and rolled back
// otherwise, so that the file holds either all of it or none. The transaction is the
// engine's own statements: the driver's transaction calls lose the engine's code, and with
// it the reason (a full disk or another program reading the file at the commit).
Failure in_transaction(QSqlDatabase& db, const std::function<Failure()>& work) {
    if (Failure failure = sql::run(db, QStringLiteral("BEGIN"))) {
        return failure;
    }
    if (Failure failure = work()) {
        sql::run(db, QStringLiteral("ROLLBACK"));
        return failure;
    }
    if (Failure failure = sql::run(db, QStringLiteral("COMMIT"))) {
        sql::run(db, QStringLiteral("ROLLBACK"));
        return failure;
    }
    return std::nullopt;
}

// The path of the file itself, symbolic links resolved, even when it does not exist yet.
QString file_itself(const QString& path) {
    const QFileInfo info(path);
    if (info.exists()) {
        return info.canonicalFilePath();
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return folder.isEmpty() ? info.absoluteFilePath() : folder + QLatin1Char('/') + info.fileName();
}

// Adds the row ids not yet among `kept`; how many were added.
int add_unread_rows(std::vector<qint64>& kept, const std::vector<qint64>& found) {
    int added = 0;
    for (qint64 id : found) {
        if (std::find(kept.begin(), kept.end(), id) == kept.end()) {
            kept.push_back(id);
            ++added;
        }
    }
    return added;
}

Failure create_schema(QSqlDatabase& db) {
    return in_transaction(db, [&db]() -> Failure {
        for (const QString& statement : schema::creation_statements()) {
            if (Failure failure = sql::run(db, statement)) {
                return failure;
            }
        }
        return std::nullopt;
    });
}

// The first of the three tables that the file lacks, or an engine failure when the file
// cannot be read as a database at all.
struct TableCheck {
    Failure failure;
    std::optional<QString> missing_table;
};

TableCheck check_tables(const QSqlDatabase& db) {
    for (const QString& table : schema::table_names()) {
        const sql::TableLookup lookup = sql::find_table(db, table);
        if (lookup.failure) {
            return {lookup.failure, std::nullopt};
        }
        if (!lookup.exists) {
            return {std::nullopt, table};
        }
    }
    return {};
}

// Later values of a field replace earlier ones, keeping the place of its first mention.
VorloDatabase::FieldValues merged(const VorloDatabase::FieldValues& fields) {
    VorloDatabase::FieldValues result;
    for (const auto& field : fields) {
        auto same = std::find_if(result.begin(), result.end(),
                                 [&field](const auto& kept) { return kept.first == field.first; });
        if (same == result.end()) {
            result.push_back(field);
        } else {
            same->second = field.second;
        }
    }
    return result;
}

}  // namespace

QString VorloDatabase::file_name() {
    return QStringLiteral("vorlo.mdb");
}

VorloDatabase::VorloDatabase() : connection_name_(next_connection_name()) {}

VorloDatabase::~VorloDatabase() {
    close();
}

VorloDatabase::OpenResult VorloDatabase::open(const QString& path, bool read_only) {
    close();
    OpenResult result;
    const bool existed = QFileInfo::exists(path);
    if (!existed && read_only) {
        result.error = storage_messages::cannot_open(path, storage_messages::file_missing());
        return result;
    }
    // One copy of the program per file: a second one would overwrite the first one's page
    // at its next save. A read-only page writes nothing and needs no lock. The lock file lies
    // beside the file itself, whatever link leads to it, where earlier versions look for it;
    // the hold on the file itself (see hold_file) also covers a hard link of another name.
    if (!read_only) {
        lock_ = std::make_unique<QLockFile>(file_itself(path) + QStringLiteral(".lock"));
        lock_->setStaleLockTime(0);  // held for the whole run; a dead holder is still seen
        const bool locked = lock_->tryLock(0);
        const bool held = !locked && lock_->error() == QLockFile::LockFailedError;
        if (!locked) {
            lock_.reset();
        }
        if (held || (existed && !hold_file(path))) {
            close();
            result.error = storage_messages::already_open(path);
            return result;
        }
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_name_);
        db.setDatabaseName(path);
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(kBusyTimeoutMs);
        if (read_only) {
            options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        }
        db.setConnectOptions(options);
        if (!db.open()) {
            result.error = storage_messages::cannot_open(path, engine_reason(db.lastError()));
        } else if (!existed) {
            if (Failure failure = create_schema(db)) {
                result.error = storage_messages::cannot_open(path, *failure);
            } else {
                result.ok = true;
                result.created = true;
            }
        } else {
            const TableCheck check = check_tables(db);
            if (check.failure) {
                result.error = storage_messages::cannot_open(path, *check.failure);
                result.unreadable = is_unreadable(*check.failure);
                result.reason = *check.failure;
            } else if (check.missing_table) {
                result.error = storage_messages::missing_table(path, *check.missing_table);
            } else {
                result.ok = true;
            }
        }
        // A file from before the journal gets its table, an older journal its index and the
        // columns it lacks; a journal that cannot be written is kept under another name.
        if (result.ok && !read_only) {
            QString aside;
            const Failure failure = in_transaction(db, [&db, &aside]() {
                if (Failure added = posting_table::add_if_missing(db)) {
                    return added;
                }
                return journal_table::make_writable(db, QDateTime::currentDateTime(), &aside);
            });
            if (!failure && !aside.isEmpty()) {
                result.notice = storage_messages::journal_set_aside(aside);
            }
            // A file from before the thread gets its table; when the engine refuses, the
            // save adds it again.
            thread_table::add_if_missing(db);
        }
    }
    if (result.ok && !existed && !read_only) {
        hold_file(path);  // nobody else can hold a file just made
    }
    if (result.ok) {
        result.read_only = read_only || !QFileInfo(path).isWritable();
        if (!read_only && result.read_only) {
            result.notice = storage_messages::read_only_page(path);
        }
    }
    if (!result.ok) {
        close();
        if (!existed) {
            QFile::remove(path);
        }
    }
    return result;
}

bool VorloDatabase::is_open() const {
    return QSqlDatabase::contains(connection_name_) &&
           QSqlDatabase::database(connection_name_, false).isOpen();
}

void VorloDatabase::close() {
    if (!QSqlDatabase::contains(connection_name_)) {
        lock_.reset();
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection_name_);
    lock_.reset();
    release_file();
}

#ifdef Q_OS_UNIX
// An exclusive hold on the open file, which the system gives to one open file at a time
// whatever name it was opened by, and lets go when the program ends however it ends. It is
// of another kind than the engine's own locks on the file, which it does not disturb.
bool VorloDatabase::hold_file(const QString& path) {
    release_file();
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (handle < 0) {
        return true;  // nothing to hold it by; the lock file still holds the path
    }
    if (::flock(handle, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(handle);
        return !held;
    }
    file_handle_ = handle;
    return true;
}

void VorloDatabase::release_file() {
    if (file_handle_ >= 0) {
        ::close(file_handle_);
        file_handle_ = -1;
    }
}
#else
bool VorloDatabase::hold_file(const QString&) {
    return true;
}

void VorloDatabase::release_file() {}
#endif

StoredPage VorloDatabase::read_page(QString* failure) const {
    StoredPage page;
    if (!is_open()) {
        return page;
    }
    const QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
    QString reason;
    const std::optional<QSqlRecord> texts = first_record(db, schema::page_table(), &reason);
    const schema::PageFields fields;
    page.base = field_values::text_of(field_value(texts, fields.base));
    page.result = field_values::text_of(field_value(texts, fields.result));
    page.propal = field_values::text_of(field_value(texts, fields.propal));
    page.lettres = field_values::text_of(field_value(texts, fields.lettres));
    const std::optional<QSqlRecord> counter = first_record(db, schema::counter_table(), &reason);
    page.nb_lettres = field_values::count_of(field_value(counter, schema::count_field()));
    // The found text keeps the length of a reference that "Initialiser" took, 600 at most;
    // a longer one comes from no game of Vorlo, and no count of its letters can be shown.
    if (reason.isEmpty() && page.result && page.result->size() > kMaxTextLength) {
        reason = storage_messages::found_text_too_long(page.result->size());
    }
    if (!reason.isEmpty()) {
        set_error(failure, reason);
    }
    return page;
}

AppearanceSettings VorloDatabase::read_appearance(QString* failure) const {
    AppearanceSettings settings;
    if (!is_open()) {
        return settings;
    }
    const QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
    QString reason;
    const std::optional<QSqlRecord> record = first_record(db, schema::appearance_table(), &reason);
    if (!reason.isEmpty()) {
        set_error(failure, reason);
    }
    for (TextArea area : kTextAreas) {
        AreaAppearance& look = settings[area];
        const schema::LookFields fields(area);
        look.background = field_values::colour_of(field_value(record, fields.background));
        look.text_colour = field_values::colour_of(field_value(record, fields.text_colour));
        look.font_name = field_values::font_name_of(field_value(record, fields.font_name));
        look.font_size = field_values::font_size_of(field_value(record, fields.font_size));
        look.bold = field_values::flag_of(field_value(record, fields.bold));
        look.italic = field_values::flag_of(field_value(record, fields.italic));
    }
    return settings;
}

bool VorloDatabase::save_page(const StoredPage& page, QString* error) {
    return save(page, nullptr, nullptr, error);
}

bool VorloDatabase::save_page(const StoredPage& page, const JournalContents& journal,
                              QString* error) {
    return save(page, &journal, nullptr, error);
}

bool VorloDatabase::save_page(const StoredPage& page, const JournalContents& journal,
                              const thread_table::ThreadRecord& thread, QString* error) {
    return save(page, &journal, &thread, error);
}

thread_table::ThreadRecord VorloDatabase::read_thread(QString* failure) const {
    if (!is_open()) {
        return {};
    }
    QString reason;
    thread_table::ThreadRecord thread =
        thread_table::read(QSqlDatabase::database(connection_name_, false), &reason);
    if (!reason.isEmpty()) {
        set_error(failure, reason);
        return {};
    }
    return thread;
}

JournalContents VorloDatabase::read_journal(QString* failure, int latest_games) const {
    if (!is_open()) {
        return {};
    }
    const QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
    journal_reading::JournalRead read = journal_reading::read(db, latest_games);
    if (!read.failure.isEmpty()) {
        set_error(failure, read.failure);
        return {};
    }
    add_unread_rows(unread_rows_, read.unread_rows);
    rows_not_read_ =
        static_cast<int>(unread_rows_.size()) + journal_table::rows_outside_the_games(db);
    if (rows_not_read_ > 0) {
        journal_notice_ = storage_messages::journal_rows_not_read(
            rows_not_read_, journal_table::unread_rows_table_name());
    }
    return std::move(read.journal);
}

std::optional<NumberedGame> VorloDatabase::read_game_before(int before_number,
                                                            QString* failure) const {
    if (!is_open()) {
        return std::nullopt;
    }
    journal_reading::EarlierGame earlier = journal_reading::read_game_before(
        QSqlDatabase::database(connection_name_, false), before_number);
    rows_not_read_ += add_unread_rows(unread_rows_, earlier.unread_rows);
    if (!earlier.failure.isEmpty()) {
        set_error(failure, storage_messages::earlier_game_not_read(earlier.failure));
        return std::nullopt;
    }
    return std::move(earlier.game);
}

int VorloDatabase::journal_rows_not_read() const {
    return rows_not_read_;
}

QString VorloDatabase::take_journal_notice() {
    return std::exchange(journal_notice_, QString());
}

bool VorloDatabase::save(const StoredPage& page, const JournalContents* journal,
                         const thread_table::ThreadRecord* thread, QString* error) {
    if (!page.nb_lettres || *page.nb_lettres < 0 || *page.nb_lettres > field_values::kMaxCount) {
        const QString count = page.nb_lettres ? QString::number(*page.nb_lettres) : QString();
        set_error(error, storage_messages::save_failed(storage_messages::bad_count(count)));
        return false;
    }
    if (!is_open()) {
        set_error(error, storage_messages::save_failed(storage_messages::not_open()));
        return false;
    }
    const schema::PageFields names;
    const auto text = [](const std::optional<QString>& value) {
        return field_values::stored_text(value.value_or(QString()));
    };
    const FieldValues texts = {
        {names.base, text(page.base)},
        {names.result, text(page.result)},
        {names.propal, text(page.propal)},
        {names.lettres, text(page.lettres)},
    };
    const FieldValues counter = {{schema::count_field(), *page.nb_lettres}};
    QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
    QString aside;
    const Failure failure = in_transaction(db, [&]() -> Failure {
        if (Failure page_failure = write_first_record(db, schema::page_table(), texts)) {
            return page_failure;
        }
        if (Failure counter_failure = write_first_record(db, schema::counter_table(), counter)) {
            return counter_failure;
        }
        if (thread) {
            if (Failure table_failure = thread_table::add_if_missing(db)) {
                return table_failure;
            }
            if (Failure thread_failure = thread_table::write(db, *thread)) {
                return thread_failure;
            }
        }
        if (!journal) {
            return std::nullopt;
        }
        // The journal changed since the file was opened is made writable again; the rows
        // that could not be read go apart before the rows read are replaced.
        aside.clear();
        if (Failure table_failure =
                journal_table::make_writable(db, QDateTime::currentDateTime(), &aside)) {
            return table_failure;
        }
        if (aside.isEmpty()) {
            if (Failure aside_failure = journal_table::set_rows_aside(db, unread_rows_)) {
                return aside_failure;
            }
        }
        return journal_table::write(db, *journal);
    });
    if (failure) {
        set_error(error, storage_messages::save_failed(*failure));
        return false;
    }
    if (journal) {
        unread_rows_.clear();
    }
    if (!aside.isEmpty()) {
        journal_notice_ = storage_messages::journal_set_aside(aside);
    }
    return true;
}

bool VorloDatabase::store_look(TextArea area, const AreaAppearance& look, QString* error) {
    const schema::LookFields names(area);
    FieldValues fields;
    if (look.background) {
        fields.emplace_back(names.background, *look.background);
    }
    if (look.text_colour) {
        fields.emplace_back(names.text_colour, *look.text_colour);
    }
    if (look.font_name) {
        fields.emplace_back(names.font_name, *look.font_name);
    }
    if (look.font_size) {
        fields.emplace_back(names.font_size, *look.font_size);
    }
    if (look.bold) {
        fields.emplace_back(names.bold, *look.bold);
    }
    if (look.italic) {
        fields.emplace_back(names.italic, *look.italic);
    }
    return write_appearance(fields, error);
}

bool VorloDatabase::write_appearance(const FieldValues& fields, QString* error) {
    FieldValues values;
    for (const auto& field : merged(fields)) {
        const std::optional<schema::AppearanceKind> kind = schema::appearance_kind(field.first);
        if (!kind) {
            set_error(error, storage_messages::appearance_not_stored(
                                 storage_messages::unknown_field(field.first)));
            return false;
        }
        const std::optional<QVariant> value = field_values::appearance_value(*kind, field.second);
        if (!value) {
            set_error(error, storage_messages::appearance_not_stored(
                                 storage_messages::bad_field_value(field.first)));
            return false;
        }
        values.emplace_back(field.first, *value);
    }
    if (values.empty()) {
        return true;
    }
    if (!is_open()) {
        set_error(error, storage_messages::appearance_not_stored(storage_messages::not_open()));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
    const Failure failure = in_transaction(
        db, [&]() { return write_first_record(db, schema::appearance_table(), values); });
    if (failure) {
        set_error(error, storage_messages::appearance_not_stored(*failure));
        return false;
    }
    return true;
}

PostingChoice VorloDatabase::read_posting_choice(QString* failure) const {
    if (!is_open()) {
        return {};
    }
    return posting_table::read(QSqlDatabase::database(connection_name_, false), failure);
}

bool VorloDatabase::store_posting_choice(const PostingChoice& choice, QString* error) {
    if (!is_open()) {
        set_error(error, storage_messages::save_failed(storage_messages::not_open()));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::database(connection_name_, false);
    const Failure failure = in_transaction(db, [&db, &choice]() -> Failure {
        if (Failure added = posting_table::add_if_missing(db)) {
            return added;
        }
        return posting_table::write(db, choice);
    });
    if (failure) {
        set_error(error, storage_messages::save_failed(*failure));
    }
    return !failure;
}

std::optional<QRect> VorloDatabase::read_window_place(const QString& window) const {
    if (!is_open()) {
        return std::nullopt;
    }
    return window_places::read(QSqlDatabase::database(connection_name_, false), window);
}

bool VorloDatabase::store_window_place(const QString& window, const QRect& place, QString* error) {
    if (!is_open()) {
        set_error(error, storage_messages::not_open());
        return false;
    }
    if (std::optional<QString> failure =
            window_places::store(QSqlDatabase::database(connection_name_, false), window, place)) {
        set_error(error, *failure);
        return false;
    }
    return true;
}

}  // namespace vorlo
