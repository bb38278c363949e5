// How the proposal editor and the reference box answer a very large paste (a forum text,
// and one word without a blank), a key typed and an undo in the full editor, and a window
// opened on a page file with a very long proposal; and how the clean-up rules grow with the
// size of the text. Each window step is timed once per size,
// from the event to the window idle again (its layout and painting included).
#include "engine/puzzle_state.h"
#include "engine/text_rules.h"
#include "storage/vorlo_database.h"
#include "support/scripted_message_boxes.h"
#include "ui/main_window/main_window.h"
#include "ui/platform/platform.h"
#include "ui/widgets/proposal_editor.h"
#include "ui/widgets/text_box.h"
#include "ui/widgets/text_limit.h"

#include <QApplication>
#include <QClipboard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

class NoChoosers : public vorlo::Choosers {
  public:
    std::optional<qint32> choose_colour(const QColor&) override { return std::nullopt; }
    std::optional<vorlo::FontChoice> choose_font(const QFont&) override { return std::nullopt; }
};

class HeldClipboard : public vorlo::Clipboard {
  public:
    QString held;
    QString text() const override { return held; }
    void set_text(const QString& text) override { held = text; }
};

class NoExit : public vorlo::ProgramExit {
  public:
    void end_program() override {}
};

// The main window over a page file of its own in a temporary folder.
struct OpenWindow {
    QTemporaryDir folder;
    vorlo::VorloDatabase database;
    vorlo::testing::ScriptedMessageBoxes boxes;
    NoChoosers choosers;
    HeldClipboard clipboard;
    NoExit exit;
    std::unique_ptr<vorlo::MainWindow> window;

    OpenWindow() { open(); }
    // `prepare` writes into the page file before the window opens it.
    template <typename Prepare>
    explicit OpenWindow(Prepare prepare) {
        const QString path = folder.filePath(vorlo::VorloDatabase::file_name());
        database.open(path);
        database.close();
        prepare(path);
        open();
    }

  private:
    void open() {
        database.open(folder.filePath(vorlo::VorloDatabase::file_name()));
        window = std::make_unique<vorlo::MainWindow>(
            database, vorlo::Platform{boxes, choosers, clipboard, exit});
    }
};

// A French text with line breaks, blanks and question marks, glued and standalone, cut to
// `size` characters.
QString pasted_text(qsizetype size) {
    const QString line = QStringLiteral(
        "Le chat? dort sur le tapis, à côté de l'âtre ; n'est-ce pas ? Où est-il passé??\r\n");
    QString text;
    text.reserve(size + line.size());
    while (text.size() < size) {
        text += line;
    }
    text.truncate(size);
    return text;
}

// One word without a blank: the worst line to lay out.
QString unbroken_text(qsizetype size) {
    return QString(size, QLatin1Char('A'));
}

// A word followed by a run of glued question marks, over and over.
QString glued_question_marks(qsizetype size) {
    QString text;
    text.reserve(size + 64);
    while (text.size() < size) {
        text += QStringLiteral("MOT") + QString(45, QLatin1Char('?')) + QLatin1Char(' ');
    }
    text.truncate(size);
    return text;
}

void idle() {
    QApplication::processEvents();
    QApplication::sendPostedEvents();
    QApplication::processEvents();
}

// Runs `step` once per iteration, after `setup`, timing the step up to the window idle.
template <typename Setup, typename Step>
void time_window_step(benchmark::State& st, Setup setup, Step step) {
    OpenWindow w;
    w.window->show();
    idle();
    const QString text = pasted_text(st.range(0));
    for (auto _ : st) {
        st.PauseTiming();
        setup(w, text);
        idle();
        st.ResumeTiming();
        step(w, text);
        idle();
    }
    st.SetBytesProcessed(st.iterations() * st.range(0));
}

vorlo::ProposalEditor* propal(OpenWindow& w) {
    return w.window->findChild<vorlo::ProposalEditor*>(QStringLiteral("propal"));
}
vorlo::TextBox* ref(OpenWindow& w) {
    return w.window->findChild<vorlo::TextBox*>(QStringLiteral("ref"));
}

void empty_editor_focused(OpenWindow& w, const QString& text) {
    w.window->set_proposal(QString());
    w.clipboard.held = text;
    QApplication::clipboard()->setText(text);
    propal(w)->setFocus(Qt::MouseFocusReason);
}

void BM_ProposalRightButtonPaste(benchmark::State& st) {
    time_window_step(st, empty_editor_focused, [](OpenWindow& w, const QString&) {
        QTest::mousePress(propal(w)->viewport(), Qt::RightButton);
        QTest::mouseRelease(propal(w)->viewport(), Qt::RightButton);
    });
}

void BM_ProposalControlVPaste(benchmark::State& st) {
    time_window_step(st, empty_editor_focused, [](OpenWindow& w, const QString&) {
        QTest::keyClick(propal(w), Qt::Key_V, Qt::ControlModifier);
    });
}

void BM_ProposalLeaveAfterPaste(benchmark::State& st) {
    time_window_step(
        st,
        [](OpenWindow& w, const QString& text) {
            empty_editor_focused(w, text);
            QTest::keyClick(propal(w), Qt::Key_V, Qt::ControlModifier);
        },
        [](OpenWindow& w, const QString&) { ref(w)->setFocus(Qt::TabFocusReason); });
}

void BM_ReferencePasteAndLeave(benchmark::State& st) {
    time_window_step(
        st,
        [](OpenWindow& w, const QString& text) {
            w.window->set_reference(QString());
            QApplication::clipboard()->setText(text);
            ref(w)->setFocus(Qt::MouseFocusReason);
        },
        [](OpenWindow& w, const QString&) {
            QTest::keyClick(ref(w), Qt::Key_V, Qt::ControlModifier);
            propal(w)->setFocus(Qt::TabFocusReason);
        });
}

// Ctrl+V of one word without a blank into the empty editor.
void BM_ProposalPasteUnbroken(benchmark::State& st) {
    OpenWindow w;
    w.window->show();
    idle();
    const QString text = unbroken_text(st.range(0));
    for (auto _ : st) {
        st.PauseTiming();
        empty_editor_focused(w, text);
        idle();
        st.ResumeTiming();
        QTest::keyClick(propal(w), Qt::Key_V, Qt::ControlModifier);
        idle();
    }
    st.counters["kept"] = static_cast<double>(w.window->proposal().size());
}

// The editor full (kMaxBoxText characters without a blank) emptied by "Effacer texte
// ci-dessus", then brought back by Ctrl+Z: the longest text the editor's own undo can bring back.
void BM_ProposalUndoFullEditor(benchmark::State& st) {
    OpenWindow w;
    w.window->show();
    idle();
    for (auto _ : st) {
        st.PauseTiming();
        empty_editor_focused(w, unbroken_text(vorlo::kMaxBoxText));
        QTest::keyClick(propal(w), Qt::Key_V, Qt::ControlModifier);
        w.window->erase_proposal();  // "Effacer texte ci-dessus"
        propal(w)->setFocus(Qt::MouseFocusReason);
        idle();
        st.counters["emptied"] = static_cast<double>(w.window->proposal().size());
        st.ResumeTiming();
        QTest::keyClick(propal(w), Qt::Key_Z, Qt::ControlModifier);
        idle();
    }
    st.counters["kept"] = static_cast<double>(w.window->proposal().size());
}

// A key typed into the full editor.
void BM_ProposalTypeIntoFullEditor(benchmark::State& st) {
    OpenWindow w;
    w.window->show();
    idle();
    empty_editor_focused(w, unbroken_text(vorlo::kMaxBoxText));
    QTest::keyClick(propal(w), Qt::Key_V, Qt::ControlModifier);
    idle();
    for (auto _ : st) {
        QTest::keyClick(propal(w), Qt::Key_B);
        idle();
    }
    st.counters["kept"] = static_cast<double>(w.window->proposal().size());
}

// The window opened on a page file whose proposal (written by another tool) is one word
// without a blank of the given size.
void BM_OpenOnLongStoredProposal(benchmark::State& st) {
    const QString text = unbroken_text(st.range(0));
    for (auto _ : st) {
        OpenWindow w([&](const QString& path) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"),
                                                            QStringLiteral("bench_prepare"));
                db.setDatabaseName(path);
                db.open();
                QSqlQuery query(db);
                query.prepare(QStringLiteral("UPDATE \"données\" SET propal = ?"));
                query.addBindValue(text);
                query.exec();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("bench_prepare"));
        });
        w.window->show();
        idle();
        st.counters["kept"] = static_cast<double>(w.window->proposal().size());
    }
}

void BM_StripQuestionMarks(benchmark::State& st) {
    const QString text = glued_question_marks(st.range(0));
    for (auto _ : st) {
        benchmark::DoNotOptimize(vorlo::strip_question_marks(text).size());
    }
    st.SetComplexityN(st.range(0));
}

void BM_CleanProposal(benchmark::State& st) {
    const QString text = glued_question_marks(st.range(0));
    for (auto _ : st) {
        benchmark::DoNotOptimize(vorlo::clean_proposal(text).size());
    }
    st.SetComplexityN(st.range(0));
}

constexpr int64_t k100KB = 100'000;
constexpr int64_t k1MB = 1'000'000;
constexpr int64_t k10MB = 10'000'000;

#define WINDOW_SIZES \
    Arg(k100KB)->Arg(k1MB)->Arg(k10MB)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_ProposalRightButtonPaste)->WINDOW_SIZES;
BENCHMARK(BM_ProposalControlVPaste)->WINDOW_SIZES;
BENCHMARK(BM_ProposalLeaveAfterPaste)->WINDOW_SIZES;
BENCHMARK(BM_ReferencePasteAndLeave)->WINDOW_SIZES;
#define UNBROKEN_SIZES                  \
    Arg(vorlo::kMaxBoxText)             \
        ->Arg(k100KB)                   \
        ->Arg(300'000)                  \
        ->Arg(k10MB)                    \
        ->Iterations(1)                 \
        ->Unit(benchmark::kMillisecond) \
        ->UseRealTime()
BENCHMARK(BM_ProposalPasteUnbroken)->UNBROKEN_SIZES;
BENCHMARK(BM_OpenOnLongStoredProposal)->UNBROKEN_SIZES;
BENCHMARK(BM_ProposalUndoFullEditor)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ProposalTypeIntoFullEditor)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_StripQuestionMarks)
    ->RangeMultiplier(10)
    ->Range(k100KB, k10MB)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
BENCHMARK(BM_CleanProposal)
    ->RangeMultiplier(10)
    ->Range(k100KB, k10MB)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
