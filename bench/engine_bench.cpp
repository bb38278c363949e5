#include "bench_texts.h"
#include "puzzle_restart.h"
#include "single_pass.h"

#include <benchmark/benchmark.h>

using vorlo::bench::BenchEngine;

namespace {

using vorlo::bench::initialised;
using vorlo::bench::InitialisedPuzzle;
using vorlo::bench::restart;

// The floor: one pass over the three texts, revealing what the proposal got right.
void BM_SinglePass(benchmark::State& st) {
    BenchEngine h;
    const QString reference = vorlo::bench::full_length_text();
    const InitialisedPuzzle puzzle = initialised(h, reference);
    restart(h, puzzle, reference);
    QString found;
    for (auto _ : st) {
        int revealed = 0;
        found = vorlo::bench::single_pass(h.values.reference, h.values.proposal,
                                          h.values.found_text, revealed);
        benchmark::DoNotOptimize(found.constData());
    }
    if (found != reference) {
        st.SkipWithError("the single pass did not reveal the whole reference");
    }
    st.SetItemsProcessed(st.iterations() * reference.size());
}
BENCHMARK(BM_SinglePass);

void BM_InitialisePuzzle(benchmark::State& st) {
    BenchEngine h;
    const QString reference = vorlo::bench::full_length_text();
    for (auto _ : st) {
        // The engine reads the reference and rewrites every other display each time.
        h.values.reference = reference;
        h.engine.initialise_puzzle();
        benchmark::DoNotOptimize(h.values.found_text.constData());
    }
    if (h.refused() || !h.values.found_text.contains(QLatin1Char('*'))) {
        st.SkipWithError("the reference was not masked");
    }
    st.SetItemsProcessed(st.iterations() * reference.size());
}
BENCHMARK(BM_InitialisePuzzle);

void BM_EvaluateFullReveal(benchmark::State& st) {
    BenchEngine h;
    const QString reference = vorlo::bench::full_length_text();
    const InitialisedPuzzle puzzle = initialised(h, reference);
    for (auto _ : st) {
        restart(h, puzzle, reference);
        h.engine.evaluate_proposal();
        benchmark::DoNotOptimize(h.values.found_text.constData());
    }
    if (h.refused() || h.values.found_text != reference) {
        st.SkipWithError("the proposal did not reveal the whole reference");
    }
    st.SetItemsProcessed(st.iterations() * reference.size());
}
BENCHMARK(BM_EvaluateFullReveal);

void BM_CheckWordFit(benchmark::State& st) {
    BenchEngine h;
    const QString reference = vorlo::bench::full_length_text();
    const InitialisedPuzzle puzzle = initialised(h, reference);
    for (auto _ : st) {
        restart(h, puzzle, reference);
        h.engine.check_word_fit();
        benchmark::DoNotOptimize(h.state.found_word.constData());
    }
    if (h.state.proposal_refused || h.engine.mismatch()) {
        st.SkipWithError("a word did not fit");
    }
    st.SetItemsProcessed(st.iterations() * reference.size());
}
BENCHMARK(BM_CheckWordFit);

// The proposal as typed with a blank after each apostrophe: every elision is joined first.
void BM_CheckWordFitJoiningElisions(benchmark::State& st) {
    BenchEngine h;
    const QString reference = vorlo::bench::full_length_text();
    const QString typed = vorlo::bench::with_spaced_elisions(reference);
    const InitialisedPuzzle puzzle = initialised(h, reference);
    for (auto _ : st) {
        restart(h, puzzle, typed);
        h.engine.check_word_fit();
        benchmark::DoNotOptimize(h.values.proposal.constData());
    }
    if (h.state.proposal_refused || h.values.proposal != reference) {
        st.SkipWithError("the elisions were not joined into the reference's words");
    }
    st.SetItemsProcessed(st.iterations() * typed.size());
}
BENCHMARK(BM_CheckWordFitJoiningElisions);

}  // namespace

BENCHMARK_MAIN();
