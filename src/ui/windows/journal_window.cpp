#include "ui/windows/journal_window.h"

#include "ui/widgets/focus_frame_button.h"
#include "ui/widgets/table_items.h"

#include <QCompleter>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace vorlo {

namespace {

enum TurnColumn { kNumber, kPlayer, kProposal, kRevealed, kRemaining, kNote, kTurnColumns };

QTableWidget* add_table(QWidget* parent, const QString& name, const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(name);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->setVisible(false);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QTableWidgetItem* number_item(int value) {
    QTableWidgetItem* item = fixed_item(QString::number(value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QPushButton* add_button(QWidget* parent, QGridLayout* layout, const QString& name,
                        const QString& caption) {
    auto* button = new FocusFrameButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    const int index = layout->count();
    layout->addWidget(button, index / 2, index % 2);  // two a row: the window may be narrow
    return button;
}

}  // namespace

// A tool window of the main window: it stays above it and goes with it.
JournalWindow::JournalWindow(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("journal_partie"));
    setWindowTitle(QStringLiteral("Journal de la partie"));
    resize(720, 520);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(QStringLiteral("Tours de la partie"), this));
    // The two counts take their header on two lines, so that the window can stay narrow.
    turns_ = add_table(this, QStringLiteral("tours"),
                       {QStringLiteral("Tour"), QStringLiteral("Joueur"),
                        QStringLiteral("Proposition"), QStringLiteral("Lettres\ntrouvées"),
                        QStringLiteral("Lettres\nrestantes"), QStringLiteral("Remarque")});
    turns_->setToolTip(QStringLiteral("Double-cliquez sur un joueur pour le corriger."));
    // Every column shows whole but the proposal's, which takes the width left and is
    // elided; its item's tool tip holds the whole text.
    turns_->setWordWrap(false);
    turns_->setTextElideMode(Qt::ElideRight);
    QHeaderView* header = turns_->horizontalHeader();
    header->setStretchLastSection(false);
    header->setTextElideMode(Qt::ElideRight);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kProposal, QHeaderView::Stretch);
    // The count left after each turn goes into the tool tip of the letters it revealed: the
    // window then fits beside the main window's reference box.
    turns_->setColumnHidden(kRemaining, true);
    layout->addWidget(turns_, 3);

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    next_player_ = new QLineEdit(this);
    next_player_->setObjectName(QStringLiteral("joueur_suivant"));
    next_player_->setPlaceholderText(QStringLiteral("sans nom"));
    players_ = new QStringListModel(this);
    auto* completer = new QCompleter(players_, next_player_);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    next_player_->setCompleter(completer);
    form->addRow(QStringLiteral("Joueur de la prochaine proposition :"), next_player_);
    layout->addLayout(form);

    layout->addWidget(new QLabel(QStringLiteral("Classement"), this));
    scores_ = add_table(
        this, QStringLiteral("classement"),
        {QStringLiteral("Rang"), QStringLiteral("Joueur"), QStringLiteral("Lettres trouvées")});
    scores_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(scores_, 2);

    auto* buttons = new QGridLayout;
    undo_ = add_button(this, buttons, QStringLiteral("bt_annuler_tour"),
                       QStringLiteral("Annuler le dernier tour"));
    redo_ = add_button(this, buttons, QStringLiteral("bt_retablir_tour"),
                       QStringLiteral("Rétablir le tour"));
    QPushButton* copy_scores = add_button(this, buttons, QStringLiteral("bt_copier_classement"),
                                          QStringLiteral("Copier le classement"));
    copy_recap_ = add_button(this, buttons, QStringLiteral("bt_copier_recapitulatif"),
                             QStringLiteral("Copier le récapitulatif"));
    copy_recap_->setToolTip(
        QStringLiteral("Quand la partie est gagnée : la phrase, le nombre "
                       "de tours et le classement."));
    layout->addLayout(buttons);

    // The window opens on the name of the next player, the field a master fills most.
    next_player_->setFocus(Qt::OtherFocusReason);
    connect(next_player_, &QLineEdit::textEdited, this, &JournalWindow::next_player_typed);
    // A name taken from the completion list is a name typed.
    connect(completer, qOverload<const QString&>(&QCompleter::activated), this,
            &JournalWindow::next_player_typed);
    connect(turns_, &QTableWidget::itemChanged, this, &JournalWindow::on_turn_edited);
    connect(undo_, &QPushButton::clicked, this, &JournalWindow::undo_clicked);
    connect(redo_, &QPushButton::clicked, this, &JournalWindow::redo_clicked);
    connect(copy_scores, &QPushButton::clicked, this, &JournalWindow::copy_scoreboard_clicked);
    connect(copy_recap_, &QPushButton::clicked, this, &JournalWindow::copy_recap_clicked);
}

void JournalWindow::show_journal(const GameJournal& journal) {
    const Game& game = journal.current_game();
    {
        const QSignalBlocker blocker(turns_);
        turns_->setRowCount(static_cast<int>(game.turns.size()));
        int row = 0;
        for (const Turn& turn : game.turns) {
            turns_->setItem(row, kNumber, number_item(turn.number));
            auto* player = new QTableWidgetItem(turn.player);
            player->setData(Qt::UserRole, turn.number);
            turns_->setItem(row, kPlayer, player);
            QTableWidgetItem* proposal = fixed_item(turn.proposal);
            proposal->setToolTip(turn.proposal);
            turns_->setItem(row, kProposal, proposal);
            QTableWidgetItem* revealed = number_item(turn.revealed);
            revealed->setToolTip(QStringLiteral("%1 lettre(s) restante(s)").arg(turn.remaining));
            turns_->setItem(row, kRevealed, revealed);
            turns_->setItem(row, kRemaining, number_item(turn.remaining));
            turns_->setItem(
                row, kNote,
                fixed_item(turn.repeat_of == 0
                               ? QString()
                               : QStringLiteral("reprise du tour %1").arg(turn.repeat_of)));
            ++row;
        }
    }
    fit_turn_columns();
    show_newest_turn();
    players_->setStringList(journal.known_players());
    if (player_name(next_player_->text()) != journal.next_player()) {
        next_player_->setText(journal.next_player());
    }

    const std::vector<Score> scores = journal.scoreboard();
    scores_->setRowCount(static_cast<int>(scores.size()));
    int rank = 0;
    for (const Score& score : scores) {
        scores_->setItem(rank, 0, number_item(rank + 1));
        scores_->setItem(rank, 1, fixed_item(score.player));
        scores_->setItem(rank, 2, number_item(score.letters));
        ++rank;
    }
    scores_->resizeColumnsToContents();

    undo_->setEnabled(journal.can_undo());
    redo_->setEnabled(journal.can_redo());
    copy_recap_->setEnabled(game.won());
}

// The table is never narrower than its columns but the proposal's need: no scrolling sideways.
void JournalWindow::fit_turn_columns() {
    const QHeaderView* header = turns_->horizontalHeader();
    const QAbstractItemView* view = turns_;
    int width = 2 * turns_->frameWidth() + turns_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < kTurnColumns; ++column) {
        if (turns_->isColumnHidden(column)) {
            continue;
        }
        width += column == kProposal
                     ? turns_->fontMetrics().horizontalAdvance(QStringLiteral("MMM"))
                     : std::max(view->sizeHintForColumn(column), header->sectionSizeHint(column));
    }
    turns_->setMinimumWidth(width);
}

// Once the table has laid its rows out, the newest turn is shown.
void JournalWindow::show_newest_turn() {
    QTimer::singleShot(0, turns_, [table = turns_] { table->scrollToBottom(); });
}

void JournalWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    show_newest_turn();
}

void JournalWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit hidden();
}

QRect JournalWindow::frame_place() const {
    return QRect(frameGeometry().topLeft(), size());
}

void JournalWindow::on_turn_edited(QTableWidgetItem* item) {
    if (item->column() != kPlayer) {
        return;
    }
    // The table is built again from the journal once the edit has ended, not inside it.
    const int turn_number = item->data(Qt::UserRole).toInt();
    const QString name = item->text();
    QMetaObject::invokeMethod(
        this, [this, turn_number, name] { emit player_corrected(turn_number, name); },
        Qt::QueuedConnection);
}

}  // namespace vorlo
