#include "startup_child.h"

#include "bench_journal.h"
#include "bench_texts.h"
#include "child_report.h"
#include "puzzle_restart.h"

#include "app/application_setup.h"
#include "app/vorlo_program.h"
#include "storage/vorlo_database.h"
#include "ui/main_window/main_window.h"

#include <QApplication>
#include <QDir>

namespace vorlo::bench {

bool prepare_page_file(const QString& folder, StoredPageKind kind) {
    VorloDatabase database;
    if (!database.open(QDir(folder).filePath(VorloDatabase::file_name())).ok) {
        return false;
    }
    if (kind == StoredPageKind::FirstStart) {
        return true;
    }
    vorlo::bench::BenchEngine game;
    const QString reference = full_length_text();
    game.start_puzzle(reference);
    // Right everywhere but on the E: every word fits, the E stay hidden.
    QString proposal = reference;
    proposal.replace(QLatin1Char('E'), QLatin1Char('A'));
    game.play(proposal);
    const StoredPage page{game.values.reference, game.values.found_text, game.values.proposal,
                          game.values.remaining_letters, game.values.remaining_count};
    if (kind == StoredPageKind::GameAfterLongUse) {
        return database.save_page(page, long_journal(100, 20));
    }
    return database.save_page(page);
}

int run_startup_child(int argc, char* argv[], long long main_ns, const char* folder) {
    // As the program's own main does it.
    QApplication app(argc, argv);
    set_up_application();

    const std::unique_ptr<VorloProgram> program =
        VorloProgram::start(QString::fromLocal8Bit(folder));
    if (!program) {
        return 3;
    }
    QWidget* window = program->window();
    window->show();
    report_when_idle(*window, main_ns);
}

}  // namespace vorlo::bench
