#include "../storage/storage_test_support.h"
#include "ui/main_window/messages.h"
#include "window_harness.h"

#include <QCloseEvent>
#include <QFile>

using namespace vorlo;
using namespace vorlo::testing;

// Saving and clearing the page, the quit rules on every way out, and the version box.
class SaveAndQuitTest : public QObject {
    Q_OBJECT

  private slots:
    void saving_stores_the_page_and_sets_the_marker() {
        WindowHarness h;
        h.play_le_chat();
        h.click(QStringLiteral("record"));
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));

        test::RawConnection raw(h.file.path());
        QCOMPARE(raw.value(QStringLiteral("SELECT base FROM \"données\"")).toString(),
                 QStringLiteral("LE CHAT"));
        QCOMPARE(raw.value(QStringLiteral("SELECT result FROM \"données\"")).toString(),
                 QStringLiteral("L* *H**"));
        QCOMPARE(raw.value(QStringLiteral("SELECT propal FROM \"données\"")).toString(),
                 QStringLiteral("LU THON"));
        QCOMPARE(raw.value(QStringLiteral("SELECT lettres FROM \"données\"")).toString(),
                 h.window->remaining_letters());
        QCOMPARE(raw.value(QStringLiteral("SELECT nb_lettres FROM compteurs")).toInt(), 4);

        // Saving again writes the same values and keeps the marker.
        h.click(QStringLiteral("record"));
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
        QCOMPARE(raw.value(QStringLiteral("SELECT count(*) FROM \"données\"")).toInt(), 1);
    }

    void an_empty_reference_is_not_saved() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.click(QStringLiteral("record"));
        h.ref()->setPlainText(QString());
        h.ref()->setFocus(Qt::TabFocusReason);
        h.click(QStringLiteral("record"));
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(h.boxes.shown[0].icon, MessageIcon::Critical);
        QCOMPARE(h.boxes.shown[0].buttons, MessageButtons::Ok);
        QCOMPARE(h.boxes.shown[0].text, messages::no_reference());
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));  // as it was
        test::RawConnection raw(h.file.path());
        QCOMPARE(raw.value(QStringLiteral("SELECT base FROM \"données\"")).toString(),
                 QStringLiteral("LE CHAT"));
    }

    void a_reference_of_one_blank_is_saved() {
        WindowHarness h;
        // Only the test for an exactly empty text applies; the box keeps its blank as long as
        // it does not lose the focus, which would trim it.
        h.lettres()->setFocus(Qt::TabFocusReason);
        h.ref()->setPlainText(QStringLiteral(" "));
        h.click(QStringLiteral("record"));
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.window->saved_marker(), QStringLiteral("Y"));
    }

    void a_save_the_file_refuses_is_reported_and_keeps_the_marker() {
        PageFile file;
        OpenWindow w(made_file(file), /*read_only=*/true);
        QVERIFY(w.database.is_open());
        const QByteArray before = test::file_bytes(file.path());

        w.window->set_reference(QStringLiteral("LE CHAT"));
        w.window->save_page();
        QCOMPARE(w.boxes.shown.size(), std::size_t{1});
        QCOMPARE(w.boxes.shown[0].icon, MessageIcon::Critical);
        // The first line once, then the reason in French.
        QCOMPARE(w.boxes.shown[0].text,
                 QStringLiteral("Les données de la page n'ont pas été enregistrées.") + QChar(13) +
                     QStringLiteral("Raison : le fichier est en lecture seule"));
        QCOMPARE(w.window->saved_marker(), QString());
        QCOMPARE(test::file_bytes(file.path()), before);
    }

    void clearing_the_page_empties_it_and_stores_nothing() {
        WindowHarness h;
        h.play_le_chat();
        h.click(QStringLiteral("record"));
        h.trigger(QStringLiteral("menu_delete"));

        QCOMPARE(h.window->reference(), QString());
        QCOMPARE(h.window->found_text(), QString());
        QCOMPARE(h.window->proposal(), QString());
        QCOMPARE(h.window->remaining_letters(), QString());
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("0"));
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("2"));
        QVERIFY(h.ref()->hasFocus());
        QCOMPARE(h.window->saved_marker(), QString());  // the proposal changed
        QVERIFY(h.boxes.shown.empty());
        test::RawConnection raw(h.file.path());
        QCOMPARE(raw.value(QStringLiteral("SELECT base FROM \"données\"")).toString(),
                 QStringLiteral("LE CHAT"));
    }

    void a_cleared_page_then_a_reference_saves_empty_texts_not_nulls() {
        WindowHarness h;
        h.trigger(QStringLiteral("menu_delete"));
        h.type_into(h.ref(), QStringLiteral("bonjour"));
        h.click(QStringLiteral("record"));
        test::RawConnection raw(h.file.path());
        QCOMPARE(raw.rows(QStringLiteral("données")).join(QString()).count(QStringLiteral("NULL")),
                 0);
        QCOMPARE(raw.value(QStringLiteral("SELECT result FROM \"données\"")), QVariant(QString()));
        QCOMPARE(raw.value(QStringLiteral("SELECT nb_lettres FROM compteurs")).toInt(), 0);
    }

    void quit_rules_data() {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<int>("answer");  // -1: no question expected
        QTest::addColumn<int>("icon");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("database_closed");
        QTest::newRow("no reference")
            << "" << false << -1 << int(MessageIcon::Exclamation) << false << false;
        QTest::newRow("no reference after a save")
            << "" << true << -1 << int(MessageIcon::Exclamation) << false << false;
        QTest::newRow("saved") << "LE CHAT" << true << -1 << -1 << true << true;
        QTest::newRow("unsaved, yes") << "LE CHAT" << false << int(MessageAnswer::Yes)
                                      << int(MessageIcon::Question) << true << false;
        QTest::newRow("unsaved, no") << "LE CHAT" << false << int(MessageAnswer::No)
                                     << int(MessageIcon::Question) << false << false;
    }
    void quit_rules() {
        QFETCH(QString, reference);
        QFETCH(bool, saved);
        QFETCH(int, answer);
        QFETCH(int, icon);
        QFETCH(bool, ends);
        QFETCH(bool, database_closed);
        // The three ways out follow the same rules.
        for (const QString& way :
             {QStringLiteral("quit"), QStringLiteral("menu_quit"), QStringLiteral("close box")}) {
            WindowHarness h;
            h.ref()->setPlainText(QStringLiteral("LE CHAT"));
            if (saved) {
                h.click(QStringLiteral("record"));
            }
            h.ref()->setPlainText(reference);
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
            QCOMPARE(!h.database.is_open(), database_closed);
            QCOMPARE(h.boxes.shown.size(), std::size_t(icon >= 0 ? 1 : 0));
            if (icon >= 0) {
                QCOMPARE(int(h.boxes.shown[0].icon), icon);
                QCOMPARE(h.boxes.shown[0].text, icon == int(MessageIcon::Question)
                                                    ? messages::unsaved_data()
                                                    : messages::cannot_quit_without_reference());
            }
            QVERIFY(!h.boxes.unscripted_question);
            if (!ends) {
                QVERIFY(h.window->isVisible());
                QCOMPARE(h.window->reference(), reference);
            }
        }
    }

    void a_save_then_a_typed_proposal_asks_again() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.click(QStringLiteral("record"));
        h.type_into(h.propal(), QStringLiteral("x"));
        h.boxes.answers.push_back(MessageAnswer::No);
        h.click(QStringLiteral("quit"));
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(h.boxes.shown[0].buttons, MessageButtons::YesNo);
        QCOMPARE(h.exit.ends, 0);
    }

    void a_changed_reference_after_a_save_quits_without_a_question() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.click(QStringLiteral("record"));
        h.type_into(h.ref(), QStringLiteral("autre"));
        h.click(QStringLiteral("quit"));
        QVERIFY(h.boxes.shown.empty());
        QCOMPARE(h.exit.ends, 1);
    }

    void once_ending_the_window_closes_without_the_rules() {
        WindowHarness h;
        h.ref()->setPlainText(QStringLiteral("LE CHAT"));
        h.boxes.answers.push_back(MessageAnswer::Yes);
        h.click(QStringLiteral("quit"));
        QCOMPARE(h.exit.ends, 1);
        QVERIFY(h.window->close());
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
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
