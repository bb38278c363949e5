#include "ui/widgets/twips.h"
#include "ui/widgets/window_design.h"
#include "ui/windows/word_mismatch_window.h"
#include "window_harness.h"

#include <QFontDatabase>
#include <QStyleOptionButton>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

// The room a caption needs and the room its control gives it.
std::pair<QSize, QSize> caption_room(const QWidget* widget) {
    const QFontMetrics metrics(widget->font());
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        return {QSize(metrics.horizontalAdvance(button->text()), metrics.height()), room.size()};
    }
    const auto* label = qobject_cast<const QLabel*>(widget);
    if (!label || label->text().isEmpty()) {
        return {};
    }
    const QRect room = label->contentsRect();
    return {label->wordWrap() ? QSize(0, label->heightForWidth(room.width()))
                              : QSize(metrics.horizontalAdvance(label->text()), metrics.height()),
            room.size()};
}

// Every named control of the window stands inside it, overlaps no other and shows its
// caption whole.
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
        const auto [needed, room] = caption_room(control);
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(control->objectName()));
        QVERIFY2(parent->rect().contains(control->geometry()), qPrintable(control->objectName()));
        for (const QWidget* other : controls) {
            QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                     qPrintable(control->objectName() + " overlaps " + other->objectName()));
        }
    }
}

}  // namespace

// The main window and the word-mismatch dialog by relations; CTest runs it twice, with the
// desktop's fonts and with the DejaVu fonts alone.
class WindowLayoutTest : public QObject {
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

    void every_caption_shows_whole_in_its_window() {
        WindowHarness h;
        QCOMPARE(h.window->centralWidget()->size(), twips_size(15540, 9795));
        QCOMPARE(h.window->minimumSize(), h.window->maximumSize());
        for (const char* counter : {"lettres_restantes", "lettres_trouvées"}) {
            h.find<QLabel>(QString::fromUtf8(counter))->setText(QStringLiteral("600"));
        }
        expect_whole_captions(h.window->centralWidget());
        h.ref()->setPlainText(QStringLiteral("LES CHAT!"));
        h.click(QStringLiteral("init"));
        h.propal()->setPlainText(QStringLiteral("LES CHATS!"));
        h.click(QStringLiteral("Générer"));
        QVERIFY(h.window->word_mismatch_window());
        expect_whole_captions(h.window->word_mismatch_window());
    }

    void the_controls_keep_their_arrangement() {
        WindowHarness h;
        const auto at = [&](const char* name) {
            QWidget* control = h.find<QWidget>(QString::fromUtf8(name));
            return control ? control->geometry() : QRect();
        };
        // The captions over their areas; the three tall areas side by side, alike.
        const char* areas[][2] = {{"Label1", "ref"}, {"Label3", "soluce"}, {"Label2", "propal"}};
        for (const auto& [caption, area] : areas) {
            QCOMPARE(at(caption).left(), at(area).left());
            QVERIFY2(at(caption).bottom() < at(area).top(), caption);
            QCOMPARE(at(area).top(), at("ref").top());
            QCOMPARE(at(area).height(), at("ref").height());
        }
        QVERIFY(at("ref").right() < at("soluce").left());
        QVERIFY(at("soluce").right() < at("propal").left());
        QCOMPARE(at("Label6").left(), at("lettres").left());
        QVERIFY(at("soluce").bottom() < at("Label6").top());
        QVERIFY(at("Label6").bottom() < at("lettres").top());
        // Right of lettres, under propal: Command1, then each counter right of its caption.
        for (const char* name : {"Command1", "Label5", "Label4"}) {
            QVERIFY2(at(name).left() > at("lettres").right(), name);
            QVERIFY2(at(name).top() > at("propal").bottom(), name);
        }
        QVERIFY(at("Command1").bottom() < at("Label5").top());
        QVERIFY(at("Label5").bottom() < at("Label4").top());
        const char* counters[][2] = {{"Label5", "lettres_trouvées"},
                                     {"Label4", "lettres_restantes"}};
        for (const auto& [caption, counter] : counters) {
            QVERIFY2(at(caption).right() < at(counter).left(), counter);
            QVERIFY2(at(counter).top() <= at(caption).center().y() &&
                         at(caption).center().y() <= at(counter).bottom(),
                     counter);
        }
        // The buttons in one row along the bottom, from left to right.
        const char* row[] = {"init", "record", "bt_copier", "Générer", "quit"};
        for (std::size_t i = 0; i < std::size(row); ++i) {
            QCOMPARE(at(row[i]).top(), at("init").top());
            QVERIFY(at(row[i]).top() > at("lettres").bottom());
            QVERIFY(i == 0 || at(row[i - 1]).right() < at(row[i]).left());
        }
    }

    void tab_follows_the_designed_order() {
        WindowHarness h;
        const QStringList order = {"ref",  "soluce", "lettres",  "record",    "Générer",
                                   "quit", "init",   "Command1", "bt_copier", "propal"};
        QWidget* at = h.ref();
        for (int i = 1; i <= order.size(); ++i) {
            do {
                at = at->nextInFocusChain();
            } while (at->focusPolicy() == Qt::NoFocus || !at->isVisible());
            QCOMPARE(at->objectName(), order[i % order.size()]);
        }
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "test_window_layout.moc"
