#include "ui/widgets/twips.h"
#include "ui/widgets/window_design.h"
#include "ui/windows/word_mismatch_window.h"
#include "window_harness.h"

#include <QStyleOptionButton>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

// Every named control of the window stands inside it, overlaps no other and shows its
// caption whole.
void expect_whole_captions(const QWidget* parent) {
    QList<const QWidget*> controls;
    for (const QWidget* widget : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!widget->isWindow() && widget->isVisibleTo(parent) && !widget->objectName().isEmpty()) {
            controls.append(widget);
        }
    }
    QVERIFY(controls.size() > 5);
    for (const QWidget* control : controls) {
        const QFontMetrics metrics(control->font());
        QSize needed, room;
        if (const auto* button = qobject_cast<const QPushButton*>(control)) {
            QStyleOptionButton option;
            option.initFrom(button);
            room = button->style()
                       ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
                       .size();
            needed = QSize(metrics.horizontalAdvance(button->text()), metrics.height());
        } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
            room = label->contentsRect().size();
            needed = label->wordWrap()
                         ? QSize(0, label->heightForWidth(room.width()))
                         : QSize(metrics.horizontalAdvance(label->text()), metrics.height());
        }
        const QString name = control->objectName();
        QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                 qPrintable(name));
        QVERIFY2(parent->rect().contains(control->geometry()), qPrintable(name));
        for (const QWidget* other : controls) {
            QVERIFY2(control == other || !control->geometry().intersects(other->geometry()),
                     qPrintable(name + " overlaps " + other->objectName()));
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

    // Captions over their areas, the three tall areas side by side, the counters right of
    // their captions, the buttons in one row along the bottom, in order.
    void the_controls_keep_their_arrangement() {
        WindowHarness h;
        const auto at = [&h](const QString& name) {
            QWidget* control = h.find<QWidget>(name);
            return control ? control->geometry() : QRect();
        };
        const auto pairs = [](const char* text) {
            QList<QStringList> split;
            for (const QString& pair : QString::fromUtf8(text).split(QLatin1Char(','))) {
                split << pair.split(QLatin1Char(' '));
            }
            return split;
        };
        for (const QStringList& p : pairs("Label1 ref,Label3 soluce,Label2 propal,Label6 lettres,"
                                          "soluce Label6,propal Command1,Command1 Label5,"
                                          "Label5 Label4,lettres init")) {
            QVERIFY2(at(p[0]).bottom() < at(p[1]).top(), qPrintable(p.join(" over ")));
        }
        // Left of the next, and in its row (but lettres, taller than Command1).
        for (const QStringList& p :
             pairs("ref soluce,soluce propal,init record,record bt_copier,bt_copier Générer,"
                   "Générer quit,Label5 lettres_trouvées,Label4 lettres_restantes,lettres "
                   "Command1")) {
            QVERIFY2(at(p[0]).right() < at(p[1]).left(), qPrintable(p.join(" left of ")));
            const int middle = at(p[0]).center().y();
            QVERIFY2(p[0] == "lettres" || (at(p[1]).top() <= middle && middle <= at(p[1]).bottom()),
                     qPrintable(p.join(" beside ")));
        }
        for (const char* area : {"soluce", "propal"}) {
            QCOMPARE(at(area).top(), at("ref").top());
            QCOMPARE(at(area).height(), at("ref").height());
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
