#include "ui/vorlo_program.h"

#include "ui/main_window.h"
#include "ui/page_file.h"

#include <QFileInfo>

namespace vorlo {

std::unique_ptr<VorloProgram> VorloProgram::start(const QString& program_folder) {
    std::unique_ptr<VorloProgram> program(new VorloProgram);
    if (!open_page_file(program->database_, program_folder, QFileInfo(program_folder).isWritable(),
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
