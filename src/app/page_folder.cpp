#include "app/page_folder.h"

#include "storage/vorlo_database.h"

#include <QDir>
#include <QFileInfo>

namespace vorlo {

namespace {

bool is_writable_folder(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

}  // namespace

PageFolder choose_page_folder(const QString& program_folder, bool program_folder_writable,
                              const QString& data_folder) {
    if (program_folder_writable) {
        return {program_folder, true};
    }
    if (!data_folder.isEmpty() && QDir().mkpath(data_folder) && is_writable_folder(data_folder)) {
        return {data_folder, true};
    }
    if (!data_folder.isEmpty() &&
        QFileInfo::exists(QDir(data_folder).filePath(VorloDatabase::file_name()))) {
        return {data_folder, false};
    }
    return {program_folder, false};
}

bool may_keep_page_beside(const QString& program_folder, const QString& installed_folder) {
    const QString folder = QFileInfo(program_folder).canonicalFilePath();
    const QString installed = QFileInfo(installed_folder).canonicalFilePath();
    return is_writable_folder(program_folder) && (installed.isEmpty() || folder != installed);
}

QString installed_program_folder() {
    return QStringLiteral(VORLO_INSTALLED_PROGRAM_FOLDER);
}

}  // namespace vorlo
