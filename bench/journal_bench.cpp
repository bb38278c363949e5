#include "bench_journal.h"
#include "storage/vorlo_database.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

using namespace vorlo;

namespace {

// The page as the last game of a journal leaves it.
StoredPage page_of(const JournalContents& journal) {
    const PuzzlePage page = journal.games.back().current_page();
    return {page.reference, page.found_text, page.reference, page.letters, page.remaining_count};
}

// A page file whose journal holds `games` games of 20 turns (21 rows each), made once per
// size and kept for the run; each benchmark opens it again.
const QString& stored_file(int games) {
    static std::map<int, std::unique_ptr<QTemporaryDir>> folders;
    static std::map<int, QString> paths;
    if (!paths.count(games)) {
        auto dir = std::make_unique<QTemporaryDir>();
        const QString path = dir->filePath(VorloDatabase::file_name());
        VorloDatabase database;
        database.open(path);
        const JournalContents journal = bench::long_journal(games, 20);
        database.save_page(page_of(journal), journal);
        folders[games] = std::move(dir);
        paths[games] = path;
    }
    return paths[games];
}

// The start: the file opened and its page and latest two games read, as the window does.
void BM_Start(benchmark::State& st) {
    const QString& path = stored_file(static_cast<int>(st.range(0)));
    for (auto _ : st) {
        VorloDatabase database;
        if (!database.open(path).ok) {
            st.SkipWithError("the file did not open");
            break;
        }
        benchmark::DoNotOptimize(database.read_page());
        benchmark::DoNotOptimize(database.read_journal(nullptr, 2));
    }
}

// "Enregistrer" after a turn, with the journal held from its latest two games.
void BM_Save(benchmark::State& st) {
    VorloDatabase database;
    database.open(stored_file(static_cast<int>(st.range(0))));
    const JournalContents held = database.read_journal(nullptr, 2);
    const StoredPage page = page_of(held);
    for (auto _ : st) {
        if (!database.save_page(page, held)) {
            st.SkipWithError("the save failed");
            break;
        }
    }
}

// Undo reaching back past the games held: each earlier game read in turn, from the last.
void BM_EarlierGame(benchmark::State& st) {
    const int games = static_cast<int>(st.range(0));
    VorloDatabase database;
    database.open(stored_file(games));
    int before = games;
    for (auto _ : st) {
        if (before <= 1) {
            before = games;
        }
        const std::optional<NumberedGame> earlier = database.read_game_before(before);
        if (!earlier) {
            st.SkipWithError("no earlier game");
            break;
        }
        before = earlier->number;
    }
}

// Each step for 10, 1,000 and 10,000 games, one after the other.
void games_from_10_to_10000(benchmark::internal::Benchmark* b) {
    b->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->ArgName("games");
}
BENCHMARK(BM_Start)->Apply(games_from_10_to_10000);
BENCHMARK(BM_Save)->Apply(games_from_10_to_10000);
BENCHMARK(BM_EarlierGame)->Apply(games_from_10_to_10000);

// "Enregistrer" with a whole journal held: the page and every row in one transaction.
void BM_SavePageWithJournal(benchmark::State& st) {
    QTemporaryDir dir;
    VorloDatabase database;
    database.open(dir.filePath(VorloDatabase::file_name()));
    const JournalContents journal = bench::long_journal(static_cast<int>(st.range(0)), 20);
    const StoredPage page = page_of(journal);
    for (auto _ : st) {
        if (!database.save_page(page, journal)) {
            st.SkipWithError("the save failed");
            break;
        }
    }
    st.counters["rows"] = static_cast<double>(st.range(0) * 21 + 1);
}
BENCHMARK(BM_SavePageWithJournal)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// The whole journal read back, as a save of it left it.
void BM_ReadJournal(benchmark::State& st) {
    QTemporaryDir dir;
    VorloDatabase database;
    database.open(dir.filePath(VorloDatabase::file_name()));
    const JournalContents journal = bench::long_journal(static_cast<int>(st.range(0)), 20);
    database.save_page(page_of(journal), journal);
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
        benchmark::DoNotOptimize(journal.undo(0));
        benchmark::DoNotOptimize(journal.redo());
        benchmark::DoNotOptimize(journal.scoreboard());
    }
}
BENCHMARK(BM_UndoRedoAndScoreboard)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
