#include "ui/widgets/window_design.h"
#include "ui/windows/word_mismatch_window.h"
#include "window_harness.h"

#include <QFontDatabase>
#include <QStyleOptionButton>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

// Why a caption of `widget` is cut, or an empty text when it shows whole.
QString cut_caption(const QWidget* widget) {
    const QFontMetrics metrics(widget->font());
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        if (metrics.horizontalAdvance(button->text()) > room.width() ||
            metrics.height() > room.height()) {
            return QStringLiteral("%1: '%2' needs %3x%4 in %5x%6")
                .arg(button->objectName(), button->text())
                .arg(metrics.horizontalAdvance(button->text()))
                .arg(metrics.height())
                .arg(room.width())
                .arg(room.height());
        }
        return {};
    }
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (!label || label->text().isEmpty()) {
        return {};
    }
    const QRect room = label->contentsRect();
    const QSize needed = label->wordWrap()
                             ? QSize(0, label->heightForWidth(room.width()))
                             : QSize(metrics.horizontalAdvance(label->text()), metrics.height());
    if (needed.width() > room.width() || needed.height() > room.height()) {
        return QStringLiteral("%1: '%2' needs %3x%4 in %5x%6")
            .arg(label->objectName(), label->text())
            .arg(needed.width())
            .arg(needed.height())
            .arg(room.width())
            .arg(room.height());
    }
    return {};
}

// Every control among the widget's direct children shows its caption whole, stands inside
// the widget and overlaps no other control.
void expect_whole_captions(const QWidget* parent) {
    QList<const QWidget*> controls;
    for (const QObject* child : parent->children()) {
        const auto* widget = qobject_cast<const QWidget*>(child);
        if (widget && !widget->isWindow() && widget->isVisibleTo(parent) &&
            !widget->objectName().isEmpty()) {
            controls.append(widget);
        }
    }
    QVERIFY(controls.size() > 5);
    for (const QWidget* control : controls) {
        const QString cut = cut_caption(control);
        QVERIFY2(cut.isEmpty(), qPrintable(cut));
        QVERIFY2(parent->rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (const QWidget* other : controls) {
            QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                     qPrintable(control->objectName() + QStringLiteral(" overlaps ") +
                                other->objectName()));
        }
    }
}

}  // namespace

// Every caption of the windows shows whole, with the fonts of the desktop the test runs on;
// CTest runs it once more with the DejaVu fonts alone.
class CaptionsFitTest : public QObject {
    Q_OBJECT

  private slots:
    void the_fonts_are_those_the_run_expects() {
        if (qEnvironmentVariableIsEmpty("VORLO_DEJAVU_ONLY")) {
            QSKIP("the desktop's own fonts");
        }
        for (const QString& family : QFontDatabase::families()) {
            QVERIFY2(!family.contains(QStringLiteral("Liberation")), qPrintable(family));
        }
        QCOMPARE(QFontInfo(design::label_font()).family(), QStringLiteral("DejaVu Sans"));
    }

    void the_main_window_shows_every_caption_whole() {
        WindowHarness h;
        h.window->findChild<QLabel*>(QStringLiteral("lettres_restantes"))
            ->setText(QStringLiteral("600"));
        h.window->findChild<QLabel*>(QStringLiteral("lettres_trouvées"))
            ->setText(QStringLiteral("600"));
        expect_whole_captions(h.window->centralWidget());
    }

    void the_word_mismatch_dialog_shows_every_caption_whole() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LES CHAT!"));
        h.click(QStringLiteral("init"));
        h.propal()->setPlainText(QStringLiteral("LES CHATS!"));
        h.click(QStringLiteral("Générer"));
        WordMismatchWindow* dialog = h.window->word_mismatch_window();
        QVERIFY(dialog);
        expect_whole_captions(dialog);
    }
};

QTEST_MAIN(CaptionsFitTest)
#include "test_captions_fit.moc"
