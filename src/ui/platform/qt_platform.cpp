#include "ui/platform/qt_platform.h"

#include "ui/main_window/messages.h"
#include "ui/widgets/colour_value.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFontDialog>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>

namespace vorlo {

namespace {

QMessageBox::Icon box_icon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageBoxes::show_message(MessageIcon icon, MessageButtons buttons,
                                           const QString& text) {
    // Inside a message a line break is one carriage return; the box shows it as a line.
    QString shown = text;
    shown.replace(messages::kLineBreak, QLatin1Char('\n'));
    QMessageBox box(box_icon(icon), messages::application_title(), shown, QMessageBox::NoButton,
                    parent_);
    box.setTextFormat(Qt::PlainText);
    if (buttons == MessageButtons::Ok) {
        box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.exec();
        return MessageAnswer::Ok;
    }
    QPushButton* yes = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<qint32> QtChoosers::choose_colour(const QColor& current) {
    const QColor colour = QColorDialog::getColor(current, parent_);
    if (!colour.isValid()) {
        return std::nullopt;
    }
    return colour_value(colour);
}

std::optional<FontChoice> QtChoosers::choose_font(const QFont& current) {
    QFont shown = current;
    shown.setFamilies({QFontInfo(current).family()});
    bool confirmed = false;
    const QFont font = QFontDialog::getFont(&confirmed, shown, parent_);
    if (!confirmed) {
        return std::nullopt;
    }
    return FontChoice{font.family(), whole_points(font.pointSizeF()), font.bold(), font.italic()};
}

QString QtClipboard::text() const {
    return QApplication::clipboard()->text();
}

void QtClipboard::set_text(const QString& text) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

void QtProgramExit::end_program() {
    QCoreApplication::exit(0);
}

}  // namespace vorlo
