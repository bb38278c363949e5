// Reading a forum thread: a 40-page, 1,000-post phpBB thread from files in a temporary
// folder, parsed and its posts extracted, next to Gumbo parsing the same pages alone; and
// 1,000 proposals previewed, next to 1,000 evaluations by the engine. Both ratios are
// printed at the end, from the same run.
#include "bench_texts.h"
#include "engine/puzzle_game.h"
#include "puzzle_restart.h"
#include "thread/forum_pages.h"
#include "thread/page_parser.h"
#include "thread/proposal_finder.h"
#include "thread/turn_preview.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <gumbo.h>

#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int kPages = 40;
constexpr int kPostsPerPage = 25;
constexpr int kProposals = kPages * kPostsPerPage;

const QString& reference() {
    static const QString text = vorlo::bench::full_length_text();
    return text;
}

// A proposal that fits the reference word by word, about one letter in three right.
QString proposal(int seed) {
    QRandomGenerator random(static_cast<quint32>(seed));
    QString typed = reference();
    for (QChar& c : typed) {
        if (c.isLetter() && random.bounded(3) != 0) {
            c = QChar(u'A' + random.bounded(26));
        }
    }
    return typed;
}

// The pages, written to files once and read back from them.
const QList<QByteArray>& pages() {
    static const QList<QByteArray> read = [] {
        QTemporaryDir dir;
        QList<QByteArray> bytes;
        for (int page = 0; page < kPages; ++page) {
            QList<vorlo::test::PagePost> posts;
            for (int i = 0; i < kPostsPerPage; ++i) {
                const int n = page * kPostsPerPage + i;
                posts << vorlo::test::PagePost{QStringLiteral("Joueur n°%1").arg(n % 37),
                                               {QStringLiteral("Voici ma proposition :"),
                                                proposal(n).toLower(), QStringLiteral("Merci !")},
                                               n % 3 == 0 ? proposal(n + 1) : QString(),
                                               n % 7 == 0 ? QStringLiteral("code") : QString(),
                                               n % 2 == 0};
            }
            const QString path = dir.filePath(QStringLiteral("page%1.html").arg(page + 1));
            QFile out(path);
            out.open(QIODevice::WriteOnly);
            out.write(
                vorlo::test::phpbb_page(posts, page * kPostsPerPage + 1, kPages, kPostsPerPage));
            out.close();
            QFile in(path);
            in.open(QIODevice::ReadOnly);
            bytes << in.readAll();
        }
        return bytes;
    }();
    return read;
}

void BM_GumboAlone(benchmark::State& st) {
    for (auto _ : st) {
        for (const QByteArray& page : pages()) {
            GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.constData(),
                                                           static_cast<size_t>(page.size()));
            benchmark::DoNotOptimize(output->root);
            gumbo_destroy_output(&kGumboDefaultOptions, output);
        }
    }
}
BENCHMARK(BM_GumboAlone)->Unit(benchmark::kMillisecond);

void BM_ParseAndExtract(benchmark::State& st) {
    std::size_t posts = 0;
    for (auto _ : st) {
        posts = 0;
        for (const QByteArray& page : pages()) {
            const vorlo::thread::PageOutcome outcome = vorlo::thread::parse_page(page);
            posts += outcome.page ? outcome.page->posts.size() : 0;
        }
    }
    if (posts != kProposals) {
        st.SkipWithError("the posts of the thread were not all read");
    }
}
BENCHMARK(BM_ParseAndExtract)->Unit(benchmark::kMillisecond);

const QStringList& proposals() {
    static const QStringList all = [] {
        QStringList typed;
        for (int n = 0; n < kProposals; ++n) {
            typed << proposal(n);
        }
        return typed;
    }();
    return all;
}

// 1,000 clicks of Générer through the engine, from the freshly initialised puzzle.
void BM_EngineEvaluations(benchmark::State& st) {
    vorlo::bench::BenchEngine h;
    h.start_puzzle(reference());
    const QString start = h.values.found_text;
    bool refused = false;
    for (auto _ : st) {
        h.values.found_text = start;
        for (const QString& typed : proposals()) {
            h.play(typed);
            refused = refused || h.refused();
        }
        benchmark::DoNotOptimize(h.values.found_text.constData());
    }
    if (refused) {
        st.SkipWithError("a proposal was refused");
    }
}
BENCHMARK(BM_EngineEvaluations)->Unit(benchmark::kMillisecond);

// The same 1,000 proposals previewed in turn, as the thread's window does.
void BM_PreviewTurns(benchmark::State& st) {
    vorlo::bench::BenchEngine h;
    h.start_puzzle(reference());
    const vorlo::thread::GameAtHand game{reference(), h.values.found_text, {}};
    for (auto _ : st) {
        const auto previews = vorlo::thread::preview_turns(game, proposals());
        benchmark::DoNotOptimize(previews.data());
    }
}
BENCHMARK(BM_PreviewTurns)->Unit(benchmark::kMillisecond);

// A game just initialised on the reference, as the page holds it when the thread is played.
void start_game(vorlo::PuzzleGame& game) {
    game.load({}, QString(), {});
    game.edit_reference(reference());
    game.initialise();
}

// The 1,000 proposals played on the game's one owner, from a fresh game each time (made and
// dropped untimed): typed into the page then "Générer", or played as turns of their authors
// the way "Lire le fil" plays them.
template <bool kAsThread>
void play_all(benchmark::State& st) {
    static const QStringList authors = [] {
        QStringList names;
        for (int n = 0; n < 50; ++n) {
            names << QStringLiteral("Joueur %1").arg(n);
        }
        return names;
    }();
    for (auto _ : st) {
        st.PauseTiming();
        auto game = std::make_unique<vorlo::PuzzleGame>();
        start_game(*game);
        st.ResumeTiming();
        for (qsizetype n = 0; n < proposals().size(); ++n) {
            vorlo::GameOutcome outcome;
            if constexpr (kAsThread) {
                outcome = game->play(proposals().at(n), authors.at(n % authors.size()));
            } else {
                game->edit_proposal(proposals().at(n));
                outcome = game->evaluate();
            }
            if (!outcome.accepted()) {
                st.SkipWithError("a proposal was refused");
                return;
            }
        }
        st.PauseTiming();
        game.reset();
        st.ResumeTiming();
    }
}
void BM_GameEvaluate(benchmark::State& st) {
    play_all<false>(st);
}
void BM_GamePlay(benchmark::State& st) {
    play_all<true>(st);
}
BENCHMARK(BM_GameEvaluate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GamePlay)->Unit(benchmark::kMillisecond);

// Finding the proposal among each post's lines, for the 1,000 posts (shown, not compared).
void BM_FindProposals(benchmark::State& st) {
    std::vector<QStringList> lines;
    for (const QByteArray& page : pages()) {
        const vorlo::thread::PageOutcome outcome = vorlo::thread::parse_page(page);
        for (const auto& post : outcome.page->posts) {
            lines.push_back(post.lines);
        }
    }
    vorlo::bench::BenchEngine h;
    h.start_puzzle(reference());
    for (auto _ : st) {
        for (const QStringList& post : lines) {
            benchmark::DoNotOptimize(
                vorlo::thread::find_proposal(post, h.values.found_text).chosen);
        }
    }
}
BENCHMARK(BM_FindProposals)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's real and CPU times per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    std::map<std::string, std::pair<double, double>> times;
    void ReportRuns(const std::vector<Run>& runs) override {
        // With repetitions, the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") {
                continue;
            }
            times[run.run_name.function_name] = {run.GetAdjustedRealTime(),
                                                 run.GetAdjustedCPUTime()};
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    // The files are written and read, and the proposals made, before anything is timed.
    pages();
    proposals();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto ratio = [&](const char* numerator, const char* denominator) {
        const auto n = reporter.times.find(numerator);
        const auto d = reporter.times.find(denominator);
        if (n == reporter.times.end() || d == reporter.times.end() || d->second.first <= 0 ||
            d->second.second <= 0) {
            return;
        }
        std::printf("%s / %s: %.2f (real time), %.2f (CPU time)\n", numerator, denominator,
                    n->second.first / d->second.first, n->second.second / d->second.second);
    };
    ratio("BM_ParseAndExtract", "BM_GumboAlone");
    ratio("BM_PreviewTurns", "BM_EngineEvaluations");
    ratio("BM_GamePlay", "BM_GameEvaluate");
    benchmark::Shutdown();
    return 0;
}
