#include "ui/vorlo_program.h"

#include "ui/main_window.h"
#include "ui/page_file.h"
#include "ui/page_folder.h"

#include <QStandardPaths>

namespace vorlo {

std::unique_ptr<VorloProgram> VorloProgram::start(const QString& program_folder) {
    std::unique_ptr<VorloProgram> program(new VorloProgram);
    const PageFolder folder = choose_page_folder(
        program_folder, may_keep_page_beside(program_folder, installed_program_folder()),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (!open_page_file(program->database_, folder.path, folder.writable,
                        program->platform_.boxes)) {
        return nullptr;
    }
    program->window_ = std::make_unique<MainWindow>(program->state_, program->database_,
                                                    program->platform_.platform());
    if (const QString& failure = program->window_->opening_failure(); !failure.isEmpty()) {
        tell_page_file_unread(program_folder, failure, program->platform_.boxes);
        return nullptr;
    }
    program->platform_.set_parent(program->window_.get());
    return program;
}

VorloProgram::~VorloProgram() = default;

}  // namespace vorlo
