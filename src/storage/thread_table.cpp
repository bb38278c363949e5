#include "storage/thread_table.h"

#include "storage/field_values.h"
#include "storage/one_row_table.h"

#include <QVariant>

#include <algorithm>

namespace vorlo::thread_table {

namespace {

const one_row_table::Shape& thread_shape() {
    static const one_row_table::Shape table{
        QStringLiteral("fil"),
        {
            {QStringLiteral("adresse"), QStringLiteral("TEXT")},  // the thread's address
            {QStringLiteral("forum"), QStringLiteral("TEXT")},    // phpbb, xenforo or discourse
            {QStringLiteral("meneur"), QStringLiteral("TEXT")},   // the master's name there
            // The last post read: its place in the thread and its forum identifier.
            {QStringLiteral("dernier_message"), QStringLiteral("INTEGER")},
            {QStringLiteral("id_dernier_message"), QStringLiteral("TEXT")},
        }};
    return table;
}

QString text_of(const QVariant& value) {
    return field_values::text_of(value).value_or(QString());
}

}  // namespace

std::optional<QString> add_if_missing(QSqlDatabase& db) {
    return one_row_table::add_if_missing(db, thread_shape());
}

ThreadRecord read(const QSqlDatabase& db, QString* failure) {
    ThreadRecord record;
    const std::optional<QVariantList> row = one_row_table::last_row(db, thread_shape(), failure);
    if (!row) {
        return record;
    }
    record.address = text_of(row->at(0));
    record.forum_kind = text_of(row->at(1));
    record.master_name = text_of(row->at(2));
    bool whole = false;
    const qlonglong last = row->at(3).toLongLong(&whole);
    record.last_post_number = whole && last > 0 && last <= 1000000000 ? static_cast<int>(last) : 0;
    record.last_post_id = text_of(row->at(4));
    return record;
}

std::optional<QString> write(QSqlDatabase& db, const ThreadRecord& record) {
    const auto text = field_values::stored_text;
    return one_row_table::replace_row(
        db, thread_shape(),
        {text(record.address), text(record.forum_kind), text(record.master_name),
         std::max(0, record.last_post_number), text(record.last_post_id)});
}

}  // namespace vorlo::thread_table
