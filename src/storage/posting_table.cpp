#include "storage/posting_table.h"

#include "storage/field_values.h"
#include "storage/one_row_table.h"

#include <QVariant>

namespace vorlo::posting_table {

namespace {

const one_row_table::Shape& posting_shape() {
    static const one_row_table::Shape table{
        QStringLiteral("publication"),
        {
            {QStringLiteral("profil"), QStringLiteral("TEXT")},               // the profile's key
            {QStringLiteral("message_détaillé"), QStringLiteral("BOOLEAN")},  // the richer post
        }};
    return table;
}

}  // namespace

std::optional<QString> add_if_missing(QSqlDatabase& db) {
    return one_row_table::add_if_missing(db, posting_shape());
}

std::optional<QString> write(QSqlDatabase& db, const PostingChoice& choice) {
    return one_row_table::replace_row(
        db, posting_shape(),
        {field_values::stored_text(choice.profile), choice.detailed_turn_post ? 1 : 0});
}

PostingChoice read(const QSqlDatabase& db, QString* failure) {
    PostingChoice choice;
    const std::optional<QVariantList> row = one_row_table::last_row(db, posting_shape(), failure);
    if (!row) {
        return choice;
    }
    const std::optional<QString> profile = field_values::text_of(row->at(0));
    if (profile && !profile->isEmpty()) {
        choice.profile = *profile;
    }
    choice.detailed_turn_post = field_values::flag_of(row->at(1)).value_or(false);
    return choice;
}

}  // namespace vorlo::posting_table
