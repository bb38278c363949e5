#pragma once

#include "engine/game_journal.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QStringListModel;
class QTableWidget;
class QTableWidgetItem;

namespace vorlo {

// The journal of the current game, in a window of its own that stays open beside the main
// window: its turns (the player of each can be corrected), the player of the next
// proposal and the scoreboard. It shows the journal and hands every edit on.
class JournalWindow : public QWidget {
    Q_OBJECT
  public:
    explicit JournalWindow(QWidget* parent);

    // Shows the current game of the journal.
    void show_journal(const GameJournal& journal);

    // Where the window stands: its frame's top-left and its inner size.
    QRect frame_place() const;

  signals:
    void next_player_typed(const QString& name);
    void player_corrected(int turn_number, const QString& name);
    void copy_scoreboard_clicked();
    void copy_recap_clicked();
    void undo_clicked();
    void redo_clicked();
    // The window was closed or hidden: a good time to keep its place.
    void hidden();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void on_turn_edited(QTableWidgetItem* item);
    void fit_turn_columns();
    void show_newest_turn();

    QTableWidget* turns_;
    QLineEdit* next_player_;
    QStringListModel* players_;
    QTableWidget* scores_;
    QPushButton* undo_;
    QPushButton* redo_;
    QPushButton* copy_recap_;
};

}  // namespace vorlo
