#pragma once

#include "engine/puzzle_game.h"
#include "storage/appearance_settings.h"
#include "storage/vorlo_database.h"
#include "ui/platform/platform.h"
#include "ui/windows/word_mismatch_window.h"

#include <QMainWindow>
#include <QPointer>

class QLabel;
class QPushButton;

namespace vorlo {

class TextBox;
class ProposalEditor;
class StyledArea;
class JournalWindow;
class MessagePreview;
class TransientNotice;

// The main window "Form1": the reference, the found text and the proposal side by side,
// the remaining letters under them, the two counters, the buttons and the menus. It shows
// the game that PuzzleGame owns, hands it the user's edits and actions, and turns what
// they did into boxes and the word-mismatch dialog; the report and the storage get the
// game's values.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // Builds the designed window, then runs the opening sequence: caption, place, the
    // stored page and appearance, and the snapshot. The database must be open.
    MainWindow(VorloDatabase& database, Platform platform);
    ~MainWindow() override;

    // What the controls show; a text written here is an edit of the game's value.
    QString reference() const;
    void set_reference(const QString& text);
    QString found_text() const;
    QString remaining_letters() const;
    void set_remaining_letters(const QString& text);
    QString proposal() const;
    void set_proposal(const QString& text);
    QString remaining_count() const;  // the captions of the counters
    QString found_count() const;

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
    const PuzzleGame& game() const { return game_; }
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

    void connect_game();
    // Hands the texts of the boxes (the reference and the letters the user may have typed)
    // to the game before an action reads them; the proposal goes to the game at each change.
    void take_edits();
    void clean_reference_box();
    void clean_proposal_box();
    void proposal_mouse_pressed(Qt::MouseButton button);
    void refuse_long_text(qsizetype length, const QWidget* box);
    void mark_bad_word();
    void show_outcome(const GameOutcome& outcome);

    enum class Look { Background, TextColour, Font };
    void choose_look(Look look, TextArea area);
    void store_look(TextArea area, const AreaAppearance& look);
    void end_program();

    void build_game_menu();
    void connect_game_views();
    void show_game_changes();
    void refresh_preview();

    VorloDatabase& database_;
    Platform platform_;
    WordMismatchOpener mismatch_;
    PuzzleGame game_;
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
    QPushButton* generate_button_ = nullptr;
    QPushButton* quit_button_ = nullptr;
    QPushButton* init_button_ = nullptr;
    QPushButton* erase_proposal_button_ = nullptr;
    QPushButton* copy_button_ = nullptr;
    QAction* version_action_ = nullptr;
};

}  // namespace vorlo
