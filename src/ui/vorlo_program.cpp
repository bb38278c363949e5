#include "ui/vorlo_program.h"

#include "storage/storage_messages.h"
#include "ui/main_window.h"

#include <QDir>
#include <QFileInfo>

namespace vorlo {

namespace {

void tell(MessageBoxes& boxes, MessageIcon icon, const QString& text) {
    boxes.show_message(icon, MessageButtons::Ok, text);
}

}  // namespace

std::unique_ptr<VorloProgram> VorloProgram::start(const QString& program_folder) {
    std::unique_ptr<VorloProgram> program(new VorloProgram);
    MessageBoxes& boxes = program->platform_.boxes;
    const QString path = QDir(program_folder).filePath(VorloDatabase::file_name());

    bool read_only = false;
    if (!QFileInfo(program_folder).isWritable()) {
        tell(boxes, MessageIcon::Exclamation,
             storage_messages::folder_not_writable(QDir::toNativeSeparators(program_folder)));
        if (!QFileInfo::exists(path)) {
            tell(boxes, MessageIcon::Critical,
                 storage_messages::cannot_open(QDir::toNativeSeparators(path),
                                               storage_messages::file_missing()));
            return nullptr;
        }
        read_only = true;
    }
    const VorloDatabase::OpenResult opened = program->database_.open(path, read_only);
    if (!opened.ok) {
        tell(boxes, MessageIcon::Critical, opened.error);
        return nullptr;
    }
    program->window_ = std::make_unique<MainWindow>(program->state_, program->database_,
                                                    program->platform_.platform());
    program->platform_.set_parent(program->window_.get());
    return program;
}

VorloProgram::~VorloProgram() = default;

}  // namespace vorlo
