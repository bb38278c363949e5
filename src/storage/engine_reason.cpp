#include "storage/engine_reason.h"

#include "storage/storage_messages.h"

#include <QSqlError>

namespace vorlo {

namespace {

// Result codes of the database engine, by their primary code (the low byte).
enum EngineCode : int {
    kGenericError = 1,
    kPermission = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kInputOutput = 10,
    kCorrupt = 11,
    kFull = 13,
    kCannotOpen = 14,
    kConstraint = 19,
    kMismatch = 20,
    kAuthorisation = 23,
    kNotADatabase = 26,
};

}  // namespace

// The engine's failure as a reason in French for the user, never the engine's own text.
QString engine_reason(const QSqlError& error) {
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known);
    if (!known) {
        return storage_messages::engine_error({});
    }
    switch (code & 0xFF) {
        case kPermission:
        case kAuthorisation:
            return storage_messages::access_refused();
        case kBusy:
        case kLocked:
            return storage_messages::in_use_elsewhere();
        case kReadOnly:
            return storage_messages::read_only_file();
        case kInputOutput:
            return storage_messages::input_output_error();
        case kCorrupt:
            return storage_messages::damaged_file();
        case kFull:
            return storage_messages::disk_full();
        case kCannotOpen:
            return storage_messages::file_cannot_be_opened();
        case kConstraint:
        case kMismatch:
            return storage_messages::values_refused();
        case kNotADatabase:
            return storage_messages::not_a_database();
        case kGenericError:
            return storage_messages::unexpected_form();
        default:
            return storage_messages::engine_error(QString::number(code));
    }
}

}  // namespace vorlo
