#pragma once

#include "engine/game_session.h"
#include "engine/puzzle_engine.h"
#include "engine/puzzle_view.h"
#include "storage/appearance_settings.h"
#include "storage/vorlo_database.h"
#include "ui/platform.h"
#include "ui/word_mismatch_window.h"

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QPushButton;

namespace vorlo {

struct PuzzleState;
class TextBox;
class ProposalEditor;
class StyledArea;
class JournalWindow;
class MessagePreview;
class TransientNotice;

// The main window "Form1": the reference, the found text and the proposal side by side,
// the remaining letters under them, the two counters, the buttons and the menus. It shows
// the puzzle's displayed values and hands each action to the engine, the report or the
// storage.
class MainWindow : public QMainWindow, public PuzzleView {
    Q_OBJECT
  public:
    // Builds the designed window, then runs the opening sequence: caption, place, the
    // stored page and appearance, and the snapshot. The database must be open.
    MainWindow(PuzzleState& state, VorloDatabase& database, Platform platform);
    ~MainWindow() override;

    // PuzzleView: the six displayed values.
    QString reference() const override;
    void set_reference(const QString& text) override;
    QString found_text() const override;
    void set_found_text(const QString& text) override;
    QString remaining_letters() const override;
    void set_remaining_letters(const QString& text) override;
    QString proposal() const override;
    void set_proposal(const QString& text) override;
    QString remaining_count() const override;
    void set_remaining_count(const QString& caption) override;
    QString found_count() const override;
    void set_found_count(const QString& caption) override;

    // Why the page file could not be read when the window opened, in French; empty when it
    // was read. The window then holds nothing of the file and must not be shown.
    const QString& opening_failure() const { return opening_failure_; }

    // The tag of the button "Enregistrer": "Y" right after a save, empty otherwise.
    QString saved_marker() const;

    // The actions behind the buttons and menus.
    void save_page();
    void tell_journal_notice();
    void clear_page();
    void copy_forum_message();
    void erase_proposal();
    void request_quit();
    void show_version();

    WordMismatchWindow* word_mismatch_window() const { return mismatch_.window(); }

    // The game kept turn by turn: "Initialiser" and "Générer" through the journal, undo and
    // redo, the journal window, the scoreboard posts and the preview of the forum message.
    void start_game();
    void play_turn();
    void undo_turn();
    void redo_turn();
    void show_journal_window();
    void copy_scoreboard();
    void copy_recap();
    void show_message_preview();
    const GameSession& game() const { return session_; }
    JournalWindow* journal_window() const;
    MessagePreview* message_preview() const;
    TransientNotice* notice() const { return notice_; }

  signals:
    // A count shown on the page changed.
    void counts_changed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_controls();
    void build_menus();
    void set_tab_order();
    void connect_events();
    void open_page();
    void apply_stored_appearance(const AppearanceSettings& settings);
    StyledArea& styled_area(TextArea area);

    void set_saved_marker(const QString& marker);
    void clean_reference_box();
    void clean_proposal_box();
    void proposal_mouse_pressed(Qt::MouseButton button);
    void mark_bad_word();

    enum class Look { Background, TextColour, Font };
    void choose_look(Look look, TextArea area);
    void store_look(TextArea area, const AreaAppearance& look);
    void end_program();

    void build_game_menu();
    void connect_game_views();
    void show_game_changes();
    void refresh_preview();

    PuzzleState& state_;
    VorloDatabase& database_;
    Platform platform_;
    WordMismatchOpener mismatch_;
    PuzzleEngine engine_;
    GameSession session_;
    bool ending_ = false;
    QString opening_failure_;
    QPointer<JournalWindow> journal_window_;
    QPointer<MessagePreview> preview_;
    TransientNotice* notice_ = nullptr;
    QAction* undo_action_ = nullptr;
    QAction* redo_action_ = nullptr;

    TextBox* ref_ = nullptr;
    TextBox* soluce_ = nullptr;
    TextBox* lettres_ = nullptr;
    ProposalEditor* propal_ = nullptr;
    QLabel* remaining_count_ = nullptr;
    QLabel* found_count_ = nullptr;
    QPushButton* record_ = nullptr;
};

}  // namespace vorlo
