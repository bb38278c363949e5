#include "app/page_file.h"

#include "storage/storage_messages.h"
#include "storage/vorlo_database.h"
#include "ui/platform/message_boxes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vorlo {

namespace {

void tell(MessageBoxes& boxes, MessageIcon icon, const QString& text) {
    boxes.show_message(icon, MessageButtons::Ok, text);
}

// The first free name of vorlo.mdb.illisible, vorlo.mdb.illisible.2, ... beside the file:
// a file set aside earlier is never overwritten.
QString set_aside_path(const QString& path) {
    const QString base = path + QStringLiteral(".illisible");
    QString candidate = base;
    for (int n = 2; QFileInfo::exists(candidate); ++n) {
        candidate = base + QLatin1Char('.') + QString::number(n);
    }
    return candidate;
}

// A file that cannot be read as a database: the user may set it aside (renamed, never
// deleted) and start on a new page, or stop and put a sound copy in its place.
bool offer_to_set_aside(VorloDatabase& database, const QString& path, const QString& reason,
                        MessageBoxes& boxes) {
    const QString aside = set_aside_path(path);
    const QString shown_path = QDir::toNativeSeparators(path);
    const MessageAnswer answer =
        boxes.show_message(MessageIcon::Question, MessageButtons::YesNo,
                           storage_messages::unreadable_file_question(shown_path, reason,
                                                                      QFileInfo(aside).fileName()));
    if (answer != MessageAnswer::Yes) {
        return false;
    }
    if (!QFile::rename(path, aside)) {
        tell(boxes, MessageIcon::Critical,
             storage_messages::set_aside_failed(shown_path, QFileInfo(aside).fileName()));
        return false;
    }
    const VorloDatabase::OpenResult opened = database.open(path);
    if (!opened.ok) {
        tell(boxes, MessageIcon::Critical, opened.error);
        return false;
    }
    return true;
}

}  // namespace

bool open_page_file(VorloDatabase& database, const QString& folder, bool folder_writable,
                    MessageBoxes& boxes) {
    const QString path = QDir(folder).filePath(VorloDatabase::file_name());
    if (!folder_writable) {
        tell(boxes, MessageIcon::Exclamation,
             storage_messages::folder_not_writable(QDir::toNativeSeparators(folder)));
        if (!QFileInfo::exists(path)) {
            tell(boxes, MessageIcon::Critical,
                 storage_messages::cannot_open(QDir::toNativeSeparators(path),
                                               storage_messages::file_missing()));
            return false;
        }
    }
    const VorloDatabase::OpenResult opened = database.open(path, !folder_writable);
    if (opened.unreadable && folder_writable) {
        return offer_to_set_aside(database, path, opened.reason, boxes);
    }
    if (!opened.ok) {
        tell(boxes, MessageIcon::Critical, opened.error);
        return false;
    }
    // A file that cannot be written, or a journal kept under another name, is said at once.
    if (!opened.notice.isEmpty()) {
        tell(boxes, MessageIcon::Exclamation, opened.notice);
    }
    return true;
}

void tell_page_file_unread(const QString& folder, const QString& reason, MessageBoxes& boxes) {
    const QString path = QDir(folder).filePath(VorloDatabase::file_name());
    tell(boxes, MessageIcon::Critical,
         storage_messages::cannot_open(QDir::toNativeSeparators(path), reason));
}

}  // namespace vorlo
