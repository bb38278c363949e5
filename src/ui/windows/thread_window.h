#pragma once

#include "storage/thread_table.h"
#include "thread/forum_post.h"
#include "thread/proposal_finder.h"
#include "thread/thread_reader.h"
#include "thread/turn_preview.h"

#include <QList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace vorlo {

// A proposal of the thread to play, credited to its author.
struct ThreadProposal {
    QString proposal;  // as Générer is to read it
    QString author;
    int post_number = 0;
    QString post_id;

    bool operator==(const ThreadProposal&) const = default;
};

// "Lire le fil": reads the thread's new posts (or a page pasted from a browser), lists each
// with the proposal found in it and what Générer would do with it, and hands the ticked
// proposals on to be played. It knows the game only through the values it is given.
class ThreadWindow : public QWidget {
    Q_OBJECT
  public:
    explicit ThreadWindow(QWidget* parent = nullptr);

    // The thread kept with the game (its forum_kind is thread::kind_name() of the forum).
    using Thread = thread_table::ThreadRecord;
    void set_thread(const Thread& thread);
    Thread thread() const;

    // The game the proposals are previewed against; the list is previewed again.
    void set_game(const thread::GameAtHand& game);

    // Lists the posts of a page copied from a browser, after the last post read.
    void paste_page(const QString& html, const QString& text);

    // The first `count` proposals handed on by "Jouer" were played: their posts, and the
    // posts before them, are read. When all of them were, every listed post is.
    void mark_played(int count);

    thread::ThreadReader& reader() { return *reader_; }

  signals:
    // "Jouer": the ticked proposals in the thread's order.
    void play_requested(const QList<vorlo::ThreadProposal>& proposals);
    // The thread kept with the game changed (its address, the master's name, what was read).
    void thread_changed();

  private:
    void start_reading();
    void show_reading(const thread::ThreadReading& reading);
    void show_posts(const std::vector<thread::ForumPost>& posts);
    void show_failure(const QString& message);
    void set_reading(bool reading);
    void preview_all();
    void play();
    QString row_proposal(int row) const;

    QLineEdit* address_;
    QLineEdit* master_;
    QPushButton* read_;
    QPushButton* paste_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    QLabel* status_;
    QTableWidget* posts_;
    QPushButton* play_;
    thread::ThreadReader* reader_;

    Thread thread_;
    thread::GameAtHand game_;
    std::vector<thread::ForumPost> listed_;
    // What was read when the list was made: it becomes the last post read once played.
    int read_up_to_ = 0;
    QString read_up_to_id_;
    std::vector<int> handed_rows_;  // the rows "Jouer" handed on
};

}  // namespace vorlo

Q_DECLARE_METATYPE(vorlo::ThreadProposal)
