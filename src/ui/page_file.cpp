#include "ui/page_file.h"

#include "engine/message_boxes.h"
#include "storage/storage_messages.h"
#include "storage/vorlo_database.h"

#include <QDir>
#include <QFileInfo>

namespace vorlo {

namespace {

void tell(MessageBoxes& boxes, MessageIcon icon, const QString& text) {
    boxes.show_message(icon, MessageButtons::Ok, text);
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
    if (!opened.ok) {
        tell(boxes, MessageIcon::Critical, opened.error);
        return false;
    }
    return true;
}

}  // namespace vorlo
