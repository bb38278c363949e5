#include "app/vorlo_program.h"

#include "app/page_file.h"
#include "app/page_folder.h"
#include "ui/main_window/main_window.h"

#include <QFontDatabase>
#include <QStandardPaths>

#include <future>

namespace vorlo {

std::unique_ptr<VorloProgram> VorloProgram::start(const QString& program_folder) {
    std::unique_ptr<VorloProgram> program(new VorloProgram);
    // The window's first need is the desktop's list of fonts, the longest step of a start:
    // it is read on another core while the page file opens, and waited for before the window
    // is built. The font database may be used from any thread.
    std::future<void> fonts_listed =
        std::async(std::launch::async, [] { QFontDatabase::families(); });
    const PageFolder folder = choose_page_folder(
        program_folder, may_keep_page_beside(program_folder, installed_program_folder()),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (!open_page_file(program->database_, folder.path, folder.writable,
                        program->platform_.boxes)) {
        return nullptr;
    }
    fonts_listed.wait();
    program->window_ =
        std::make_unique<MainWindow>(program->database_, program->platform_.platform());
    if (const QString& failure = program->window_->opening_failure(); !failure.isEmpty()) {
        tell_page_file_unread(folder.path, failure, program->platform_.boxes);
        return nullptr;
    }
    program->platform_.set_parent(program->window_.get());
    return program;
}

VorloProgram::~VorloProgram() = default;

}  // namespace vorlo
