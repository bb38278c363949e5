#include "bench_journal.h"
#include "storage/vorlo_database.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace vorlo;

namespace {

// "Enregistrer" with the journal: the page and every row of the journal in one transaction.
void BM_SavePageWithJournal(benchmark::State& st) {
    QTemporaryDir dir;
    VorloDatabase database;
    database.open(dir.filePath(VorloDatabase::file_name()));
    const JournalContents journal = bench::long_journal(static_cast<int>(st.range(0)), 20);
    const QString text = bench::full_length_text();
    const StoredPage page{text, text, text, text, 440};
    for (auto _ : st) {
        if (!database.save_page(page, journal)) {
            st.SkipWithError("the save failed");
            break;
        }
    }
    st.counters["rows"] = static_cast<double>(st.range(0) * 21 + 1);
}
BENCHMARK(BM_SavePageWithJournal)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The journal read back at start-up.
void BM_ReadJournal(benchmark::State& st) {
    QTemporaryDir dir;
    VorloDatabase database;
    database.open(dir.filePath(VorloDatabase::file_name()));
    const QString text = bench::full_length_text();
    database.save_page({text, text, text, text, 440},
                       bench::long_journal(static_cast<int>(st.range(0)), 20));
    for (auto _ : st) {
        benchmark::DoNotOptimize(database.read_journal());
    }
}
BENCHMARK(BM_ReadJournal)->Arg(1)->Arg(100)->Unit(benchmark::kMillisecond);

// One undo and one redo of a turn, and the scoreboard of a game of 200 turns.
void BM_UndoRedoAndScoreboard(benchmark::State& st) {
    const JournalContents stored = bench::long_journal(1, 200);
    GameJournal journal;
    journal.open(stored, stored.games.back().current_page());
    if (!journal.can_undo()) {
        st.SkipWithError("the journal did not take up the stored game");
        return;
    }
    for (auto _ : st) {
        benchmark::DoNotOptimize(journal.undo());
        benchmark::DoNotOptimize(journal.redo());
        benchmark::DoNotOptimize(journal.scoreboard());
    }
}
BENCHMARK(BM_UndoRedoAndScoreboard)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
