#include "../storage/storage_test_support.h"
#include "storage/storage_messages.h"
#include "ui/main_window/messages.h"
#include "window_harness.h"

#include <QCloseEvent>
#include <QFile>

using namespace vorlo;
using namespace vorlo::testing;

namespace {

// The page as the file holds it: base|result|propal|lettres|nb_lettres, Null as "NULL".
QString stored_page(const QString& path) {
    return test::RawConnection(path)
        .value(QStringLiteral("SELECT coalesce(base, 'NULL') || '|' || coalesce(result, 'NULL') "
                              "|| '|' || coalesce(propal, 'NULL') || '|' || coalesce(lettres, "
                              "'NULL') || '|' || coalesce(nb_lettres, 'NULL') FROM \"données\", "
                              "compteurs"))
        .toString();
}

}  // namespace

// Saving and clearing the page, the quit rules on every way out, and the version box.
class SaveAndQuitTest : public QObject {
    Q_OBJECT

  private slots:
    void a_save_stores_the_page_and_sets_the_marker_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("box");
        QTest::newRow("a turn played") << "play"
                                       << "LE CHAT|L* *H**|LU THON|A C E T |4"
                                       << "";
        // Only an exactly empty reference is refused; the box keeps its blank as long as it
        // does not lose the focus, which would trim it.
        QTest::newRow("one blank") << "blank"
                                   << " |Vide|Vide|Vide|0"
                                   << "";
        QTest::newRow("cleared, then a reference") << "clear"
                                                   << "BONJOUR||||0"
                                                   << "";
        QTest::newRow("empty reference") << "empty"
                                         << "LE CHAT|Vide|Vide|Vide|0"
                                         << "no reference";
    }
    void a_save_stores_the_page_and_sets_the_marker() {
        QFETCH(QString, steps);
        QFETCH(QString, stored);
        QFETCH(QString, box);
        WindowHarness h;
        if (steps == "play") {
            h.play_le_chat();
        } else if (steps == "blank") {
            h.lettres()->setFocus(Qt::TabFocusReason);
            h.ref()->setPlainText(QStringLiteral(" "));
        } else if (steps == "clear") {
            h.trigger(QStringLiteral("menu_delete"));
            h.type_into(h.ref(), QStringLiteral("bonjour"));
            h.ref()->clearFocus();
        } else {
            h.ref()->setPlainText(QStringLiteral("LE CHAT"));
            h.click(QStringLiteral("record"));
            h.ref()->setPlainText(QString());
            h.ref()->setFocus(Qt::TabFocusReason);
        }
        h.click(QStringLiteral("record"));
        h.click(QStringLiteral("record"));  // again: the same values, the marker kept
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
        QCOMPARE(stored_page(h.file.path()), stored);
        QCOMPARE(h.boxes.shown.size(), std::size_t(box.isEmpty() ? 0 : 2));
        if (!box.isEmpty()) {
            QCOMPARE(h.boxes.shown[0].icon, MessageIcon::Critical);
            QCOMPARE(h.boxes.shown[0].buttons, MessageButtons::Ok);
            QCOMPARE(h.boxes.shown[0].text, messages::no_reference());
        }
    }

    void a_save_the_file_refuses_is_reported_and_keeps_the_marker() {
        PageFile file;
        OpenWindow w(made_file(file), /*read_only=*/true);
        const QByteArray before = test::file_bytes(file.path());
        w.window->set_reference(QStringLiteral("LE CHAT"));
        w.window->save_page();
        QCOMPARE(w.boxes.shown.size(), std::size_t{1});
        QCOMPARE(w.boxes.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(w.boxes.shown[0].text,
                 storage_messages::save_failed(storage_messages::read_only_file()));
        QCOMPARE(w.window->saved_marker(), QString());
        QCOMPARE(test::file_bytes(file.path()), before);
    }

    void clearing_the_page_empties_it_and_stores_nothing() {
        WindowHarness h;
        h.play_le_chat();
        h.click(QStringLiteral("record"));
        const QString stored = stored_page(h.file.path());
        h.trigger(QStringLiteral("menu_delete"));
        QCOMPARE(h.window->reference() + h.window->found_text() + h.window->proposal() +
                     h.window->remaining_letters(),
                 QString());
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("0"));
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("2"));
        QVERIFY(h.ref()->hasFocus());
        QCOMPARE(h.window->saved_marker(), QString());  // the proposal changed
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(stored_page(h.file.path()), stored);
    }

    // The three ways out follow the same rules: no way out without a reference, a question
    // before leaving a page changed since its save; once ending, the window closes freely.
    void quit_rules_data() {
        QTest::addColumn<QString>("change");  // after the reference LE CHAT, saved or not
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("answer");  // -1: no question expected
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("ends");
        const int exclamation = int(MessageIcon::Exclamation);
        const int question = int(MessageIcon::Question);
        const int yes = int(MessageAnswer::Yes);
        const int no = int(MessageAnswer::No);
        QTest::newRow("no reference") << "ref:" << false << -1 << exclamation << false;
        QTest::newRow("no reference after a save") << "ref:" << true << -1 << exclamation << false;
        QTest::newRow("saved") << "" << true << -1 << -1 << true;
        QTest::newRow("unsaved, yes") << "" << false << yes << question << true;
        QTest::newRow("unsaved, no") << "" << false << no << question << false;
        QTest::newRow("proposal typed after the save")
            << "propal:x" << true << no << question << false;
        QTest::newRow("reference typed after the save")
            << "typed:autre" << true << -1 << -1 << true;
    }
    void quit_rules() {
        QFETCH(QString, change);
        QFETCH(bool, saved);
        QFETCH(int, answer);
        QFETCH(int, icon);
        QFETCH(bool, ends);
        for (const char* name : {"quit", "menu_quit", "close box"}) {
            const QString way = QString::fromUtf8(name);
            WindowHarness h;
            h.ref()->setPlainText(QStringLiteral("LE CHAT"));
            if (saved) {
                h.click(QStringLiteral("record"));
            }
            const QString text = change.section(QLatin1Char(':'), 1);
            if (change.startsWith("ref:")) {
                h.ref()->setPlainText(text);
            } else if (change.startsWith("propal:")) {
                h.type_into(h.propal(), text);
            } else if (change.startsWith("typed:")) {
                h.type_into(h.ref(), text);
            }
            const QString reference = h.window->reference();
            if (answer >= 0) {
                h.boxes.answers.push_back(static_cast<MessageAnswer>(answer));
            }
            if (way == QLatin1String("quit")) {
                h.click(way);
            } else if (way == QLatin1String("menu_quit")) {
                h.trigger(way);
            } else {
                QVERIFY(!h.window->close());  // the request is refused first
            }
            QCOMPARE(h.exit.ends, ends ? 1 : 0);
            QCOMPARE(!h.database.is_open(), ends && saved);
            QCOMPARE(h.boxes.shown.size(), std::size_t(icon >= 0 ? 1 : 0));
            if (icon >= 0) {
                QCOMPARE(int(h.boxes.shown[0].icon), icon);
                QCOMPARE(h.boxes.shown[0].buttons, icon == int(MessageIcon::Question)
                                                       ? MessageButtons::YesNo
                                                       : MessageButtons::Ok);
                QCOMPARE(h.boxes.shown[0].text, icon == int(MessageIcon::Question)
                                                    ? messages::unsaved_data()
                                                    : messages::cannot_quit_without_reference());
            }
            QVERIFY(!h.boxes.unscripted_question);
            if (ends) {
                QVERIFY(h.window->close());
                QCOMPARE(h.boxes.shown.size(), std::size_t(icon >= 0 ? 1 : 0));
            } else {
                QVERIFY(h.window->isVisible());
                QCOMPARE(h.window->reference(), reference);
            }
        }
    }

    void the_version_box_shows_the_version() {
        WindowHarness h;
        h.trigger(QStringLiteral("mnu_version"));
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(h.boxes.shown[0].icon, MessageIcon::None);
        QCOMPARE(h.boxes.shown[0].buttons, MessageButtons::Ok);
        QCOMPARE(h.boxes.shown[0].text,
                 QStringLiteral("Gestion des vorlos.\rÉcrit par Tesmo\rVersion 2.6.2"));
    }
};

QTEST_MAIN(SaveAndQuitTest)
#include "test_save_and_quit.moc"
