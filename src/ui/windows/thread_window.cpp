#include "ui/windows/thread_window.h"

#include "thread/page_parser.h"
#include "thread/thread_messages.h"
#include "ui/widgets/table_items.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

namespace vorlo {

namespace {

enum PostColumn { kTick, kPostNumber, kAuthor, kTime, kPostProposal, kPreview, kPostColumns };

QPushButton* add_button(QWidget* parent, QLayout* layout, const QString& name,
                        const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

QString count_text(int count, const QString& one, const QString& many) {
    return count == 1 ? one : many.arg(count);
}

}  // namespace

ThreadWindow::ThreadWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), reader_(new thread::ThreadReader(this)) {
    qRegisterMetaType<QList<ThreadProposal>>();
    setObjectName(QStringLiteral("lire_le_fil"));
    setWindowTitle(QStringLiteral("Lire le fil"));
    resize(860, 560);

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("adresse_fil"));
    address_->setPlaceholderText(QStringLiteral("https://forum.exemple/viewtopic.php?t=123"));
    form->addRow(QStringLiteral("Adresse du fil :"), address_);
    master_ = new QLineEdit(this);
    master_->setObjectName(QStringLiteral("nom_meneur"));
    master_->setToolTip(QStringLiteral("Vos propres messages ne sont pas lus."));
    form->addRow(QStringLiteral("Votre nom sur le forum :"), master_);
    layout->addLayout(form);

    auto* reading = new QHBoxLayout;
    read_ = add_button(this, reading, QStringLiteral("bt_lire"), QStringLiteral("&Lire"));
    paste_ = add_button(this, reading, QStringLiteral("bt_coller_page"),
                        QStringLiteral("Coller une page"));
    paste_->setToolTip(QStringLiteral("Lit une page du fil copiée depuis le navigateur."));
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progression"));
    progress_->setRange(0, 1);
    progress_->setValue(0);
    reading->addWidget(progress_, 1);
    cancel_ =
        add_button(this, reading, QStringLiteral("bt_annuler_lecture"), QStringLiteral("Annuler"));
    cancel_->setEnabled(false);
    layout->addLayout(reading);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("etat_lecture"));
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    layout->addWidget(status_);

    posts_ = new QTableWidget(0, kPostColumns, this);
    posts_->setObjectName(QStringLiteral("messages_du_fil"));
    posts_->setHorizontalHeaderLabels(
        {QStringLiteral("Jouer"), QStringLiteral("N°"), QStringLiteral("Auteur"),
         QStringLiteral("Heure"), QStringLiteral("Proposition"), QStringLiteral("Avec Générer")});
    posts_->verticalHeader()->setVisible(false);
    posts_->setSelectionBehavior(QAbstractItemView::SelectRows);
    posts_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    posts_->horizontalHeader()->setSectionResizeMode(kPostProposal, QHeaderView::Stretch);
    layout->addWidget(posts_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    play_ = add_button(this, buttons, QStringLiteral("bt_jouer"), QStringLiteral("&Jouer"));
    layout->addLayout(buttons);

    connect(read_, &QPushButton::clicked, this, &ThreadWindow::start_reading);
    connect(cancel_, &QPushButton::clicked, reader_, &thread::ThreadReader::cancel);
    connect(paste_, &QPushButton::clicked, this, [this] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        paste_page(data && data->hasHtml() ? data->html() : QString(),
                   data ? data->text() : QString());
    });
    connect(play_, &QPushButton::clicked, this, &ThreadWindow::play);
    connect(posts_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() == kTick) {
            preview_all();
        }
    });
    for (QLineEdit* kept : {address_, master_}) {
        connect(kept, &QLineEdit::editingFinished, this, [this] {
            const Thread before = thread_;
            thread_.address = address_->text().trimmed();
            thread_.master_name = master_->text().trimmed();
            if (thread_ != before) {
                emit thread_changed();
            }
        });
    }
    connect(reader_, &thread::ThreadReader::progress, this, [this](int read, int total) {
        progress_->setRange(0, std::max(1, total));
        progress_->setValue(read);
    });
    connect(reader_, &thread::ThreadReader::finished, this, &ThreadWindow::show_reading);
    connect(reader_, &thread::ThreadReader::failed, this, &ThreadWindow::show_failure);
    connect(reader_, &thread::ThreadReader::cancelled, this,
            [this] { show_failure(thread::messages::cancelled()); });
}

void ThreadWindow::set_thread(const Thread& thread) {
    thread_ = thread;
    thread_.address = thread.address.trimmed();
    thread_.master_name = thread.master_name.trimmed();
    address_->setText(thread_.address);
    master_->setText(thread_.master_name);
}

ThreadWindow::Thread ThreadWindow::thread() const {
    return thread_;
}

void ThreadWindow::set_game(const thread::GameAtHand& game) {
    game_ = game;
    preview_all();
}

void ThreadWindow::start_reading() {
    const Thread before = thread_;
    thread_.address = address_->text().trimmed();
    thread_.master_name = master_->text().trimmed();
    if (thread_ != before) {
        emit thread_changed();
    }
    set_reading(true);
    status_->setText(QStringLiteral("Lecture du fil…"));
    reader_->read({QUrl(thread_.address), thread_.master_name, thread_.last_post_number,
                   thread_.last_post_id});
}

void ThreadWindow::set_reading(bool reading) {
    read_->setEnabled(!reading);
    paste_->setEnabled(!reading);
    play_->setEnabled(!reading);
    cancel_->setEnabled(reading);
}

void ThreadWindow::show_failure(const QString& message) {
    set_reading(false);
    status_->setText(message);
}

void ThreadWindow::show_reading(const thread::ThreadReading& reading) {
    set_reading(false);
    const QString kind = thread::kind_name(reading.kind);
    if (thread_.forum_kind != kind) {
        thread_.forum_kind = kind;
        emit thread_changed();
    }
    read_up_to_ = reading.last_post_number;
    read_up_to_id_ = reading.last_post_id;
    show_posts(reading.posts);
    QString summary =
        count_text(static_cast<int>(reading.posts.size()), QStringLiteral("1 nouveau message"),
                   QStringLiteral("%1 nouveaux messages")) +
        count_text(reading.pages_read, QStringLiteral(" sur 1 page lue."),
                   QStringLiteral(" sur %1 pages lues."));
    if (reading.stopped_at_page_limit) {
        summary += QLatin1Char(' ') + thread::messages::page_limit(reading.pages_read);
    }
    status_->setText(summary);
}

void ThreadWindow::paste_page(const QString& html, const QString& text) {
    std::vector<thread::ForumPost> posts = thread::posts_from_paste(html, text);
    // Posts read from the page's markup carry the forum's identifiers and places, which tell
    // what was already read; plain text does not, so all of it is listed and nothing is
    // marked read.
    const bool placed = std::any_of(posts.begin(), posts.end(), [](const thread::ForumPost& post) {
        return !post.id.isEmpty();
    });
    read_up_to_ = thread_.last_post_number;
    read_up_to_id_ = thread_.last_post_id;
    if (placed) {
        posts = thread::new_posts(posts, thread_.last_post_number, thread_.last_post_id,
                                  thread_.master_name);
        for (const thread::ForumPost& post : posts) {
            if (post.number >= read_up_to_) {
                read_up_to_ = post.number;
                read_up_to_id_ = post.id;
            }
        }
    } else {
        posts = thread::new_posts(posts, 0, {}, thread_.master_name);
    }
    show_posts(posts);
    status_->setText(count_text(static_cast<int>(posts.size()), QStringLiteral("1 message collé."),
                                QStringLiteral("%1 messages collés.")));
}

void ThreadWindow::show_posts(const std::vector<thread::ForumPost>& posts) {
    listed_ = posts;
    handed_rows_.clear();
    const QSignalBlocker blocker(posts_);
    posts_->setRowCount(0);
    posts_->setRowCount(static_cast<int>(posts.size()));
    for (int row = 0; row < posts_->rowCount(); ++row) {
        const thread::ForumPost& post = posts[static_cast<std::size_t>(row)];
        const thread::FoundProposal found = thread::find_proposal(post.lines, game_.found_text);
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        tick->setCheckState(found.fits() ? Qt::Checked : Qt::Unchecked);
        posts_->setItem(row, kTick, tick);
        posts_->setItem(row, kPostNumber, fixed_item(QString::number(post.number)));
        posts_->setItem(row, kAuthor, fixed_item(post.author));
        posts_->setItem(row, kTime, fixed_item(post.time));
        posts_->setItem(row, kPreview, fixed_item(QString()));
        // The lines of the post to choose from, the one found shown; the master may edit it.
        auto* proposal = new QComboBox(posts_);
        proposal->setEditable(true);
        proposal->setInsertPolicy(QComboBox::NoInsert);
        for (const thread::Candidate& candidate : found.candidates) {
            proposal->addItem(candidate.proposal);
        }
        proposal->setCurrentIndex(found.chosen);
        if (found.chosen < 0) {
            proposal->setEditText(QString());
        }
        const QStringList others = found.alternatives();
        if (!others.isEmpty()) {
            // Shown as written: a line of the post is never markup.
            proposal->setToolTip(
                Qt::convertFromPlainText(QStringLiteral("Autres lignes qui conviennent :\n") +
                                         others.join(QLatin1Char('\n'))));
        }
        posts_->setCellWidget(row, kPostProposal, proposal);
        connect(proposal, &QComboBox::currentTextChanged, this, [this] { preview_all(); });
    }
    posts_->resizeColumnsToContents();
    posts_->horizontalHeader()->setSectionResizeMode(kPostProposal, QHeaderView::Stretch);
    preview_all();
}

QString ThreadWindow::row_proposal(int row) const {
    const auto* proposal = qobject_cast<const QComboBox*>(posts_->cellWidget(row, kPostProposal));
    return proposal ? thread::prepare_line(proposal->currentText(), game_.found_text).proposal
                    : QString();
}

void ThreadWindow::preview_all() {
    // Each ticked proposal meets the found text that the ticked ones before it leave.
    thread::GameAtHand game = game_;
    const QSignalBlocker blocker(posts_);
    for (int row = 0; row < posts_->rowCount(); ++row) {
        thread::GameAtHand after = game;
        const thread::TurnPreview preview = thread::preview_turn(after, row_proposal(row));
        posts_->item(row, kPreview)->setText(thread::preview_text(preview));
        if (posts_->item(row, kTick)->checkState() == Qt::Checked) {
            game = after;
        }
    }
}

void ThreadWindow::play() {
    QList<ThreadProposal> proposals;
    handed_rows_.clear();
    for (int row = 0; row < posts_->rowCount(); ++row) {
        if (posts_->item(row, kTick)->checkState() != Qt::Checked) {
            continue;
        }
        const thread::ForumPost& post = listed_[static_cast<std::size_t>(row)];
        proposals << ThreadProposal{row_proposal(row), post.author, post.number, post.id};
        handed_rows_.push_back(row);
    }
    if (proposals.isEmpty()) {
        status_->setText(QStringLiteral("Aucune proposition n'est cochée."));
        return;
    }
    emit play_requested(proposals);
}

void ThreadWindow::mark_played(int count) {
    if (count <= 0 || handed_rows_.empty()) {
        return;
    }
    int last_row = posts_->rowCount() - 1;
    if (count < static_cast<int>(handed_rows_.size())) {
        last_row = handed_rows_[static_cast<std::size_t>(count) - 1];
        const thread::ForumPost& last = listed_[static_cast<std::size_t>(last_row)];
        thread_.last_post_number = last.number;
        thread_.last_post_id = last.id;
    } else {
        thread_.last_post_number = read_up_to_;
        thread_.last_post_id = read_up_to_id_;
    }
    handed_rows_.clear();
    listed_.erase(listed_.begin(), listed_.begin() + last_row + 1);
    {
        const QSignalBlocker blocker(posts_);
        for (int row = last_row; row >= 0; --row) {
            posts_->removeRow(row);
        }
    }
    preview_all();
    emit thread_changed();
}

}  // namespace vorlo
