#include "../storage/storage_test_support.h"
#include "ui/widgets/colour_value.h"
#include "ui/widgets/text_limit.h"
#include "ui/widgets/window_design.h"
#include "window_harness.h"

using namespace vorlo;
using namespace vorlo::testing;

namespace {

void run(const QString& path, const QString& sql) {
    test::RawConnection raw(path);
    QVERIFY2(raw.exec(sql), qPrintable(raw.last_error()));
}

QColor base_colour(QWidget* area) {
    return area->palette().color(QPalette::Base);
}

}  // namespace

// What the window shows when it opens on a stored page.
class OpeningSequenceTest : public QObject {
    Q_OBJECT

  private slots:
    void a_new_file_shows_vide_and_the_designed_look() {
        WindowHarness h;
        for (const QString& text : {h.window->reference(), h.window->found_text(),
                                    h.window->proposal(), h.window->remaining_letters()}) {
            QCOMPARE(text, QStringLiteral("Vide"));
        }
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("0"));
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("0"));
        QCOMPARE(base_colour(h.ref()), design::reference_background());
        QCOMPARE(base_colour(h.soluce()), design::found_background());
        QCOMPARE(base_colour(h.lettres()), design::letters_background());
        QCOMPARE(h.ref()->font().families(), design::text_font().families());
        QCOMPARE(h.ref()->font().pointSizeF(), 14.25);
        QCOMPARE(h.window->windowTitle(),
                 QStringLiteral("PRUM - Vorlo : Jeux de mots - Version 2.6.2"));
        QCOMPARE(h.window->pos(), QPoint(13, 13));
        QCOMPARE(h.window->saved_marker(), QString());
        // The snapshot holds what was loaded.
        QCOMPARE(h.window->game().state().saved_found, QStringLiteral("Vide"));
        QCOMPARE(h.window->game().state().saved_letters, QStringLiteral("Vide"));
        QVERIFY(!h.window->game().state().proposal_refused);
    }

    // A stored text longer than a box holds (another tool may write one) is shown cut, with
    // one French box that names its length; the texts within the limit come whole.
    void a_stored_text_too_long_for_a_box_is_cut_and_said() {
        const qsizetype most = kMaxBoxText;
        WindowHarness h([&](const QString& path) {
            run(path, QStringLiteral("UPDATE \"données\" SET base = '%1', propal = '%2', "
                                     "lettres = '%3', result = ''")
                          .arg(QString(most, QLatin1Char('R')), QString(3 * most, QLatin1Char('P')),
                               QString(most + 1, QLatin1Char('L'))));
        });
        QCOMPARE(h.window->reference(), QString(most, QLatin1Char('R')));
        QCOMPARE(h.window->proposal(), QString(most, QLatin1Char('P')));
        QCOMPARE(h.window->remaining_letters(), QString(most, QLatin1Char('L')));
        QCOMPARE(h.boxes.shown.size(), std::size_t{1});
        QCOMPARE(h.boxes.shown[0].text,
                 QStringLiteral("La page enregistrée contient un texte trop long (%1 caractères) "
                                ": seuls ses %2 premiers caractères sont affichés, et "
                                "Enregistrer gardera le texte ainsi raccourci.")
                     .arg(QLocale(QLocale::French).toString(3 * most),
                          QLocale(QLocale::French).toString(most)));
    }

    void the_stored_page_comes_back() {
        const QString reference = QStringLiteral("L’ŒUF À CÔTÉ");
        WindowHarness h([&](const QString& path) {
            run(path, QStringLiteral("UPDATE \"données\" SET base = '%1', result = '', propal = "
                                     "'LU', lettres = 'E C '")
                          .arg(reference));
            run(path, QStringLiteral("UPDATE compteurs SET nb_lettres = 12"));
        });
        QCOMPARE(h.window->reference(), reference);
        QCOMPARE(h.window->found_text(), QString());  // an empty text, not "Vide"
        QCOMPARE(h.window->proposal(), QStringLiteral("LU"));
        QCOMPARE(h.window->remaining_letters(), QStringLiteral("E C "));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("12"));
        QCOMPARE(h.caption(QStringLiteral("lettres_trouvées")), QStringLiteral("0"));
        QCOMPARE(h.window->game().state().saved_remaining_count, 12);
        QCOMPARE(h.window->game().state().saved_letters, QStringLiteral("E C "));
    }

    void a_saved_page_survives_a_restart() {
        PageFile file;
        QString saved_letters;
        {
            OpenWindow first(file.path());
            first.window->set_reference(QStringLiteral("ÉTÉ À L’OMBRE"));
            QTest::mouseClick(first.window->findChild<QPushButton*>(QStringLiteral("init")),
                              Qt::LeftButton);
            saved_letters = first.window->remaining_letters();
            first.window->save_page();
            first.window->clear_page();  // the cleared page is not stored
            QVERIFY(first.boxes.shown.empty());
        }
        OpenWindow w(file.path());
        const MainWindow& window = *w.window;
        QCOMPARE(window.reference(), QStringLiteral("ÉTÉ À L’OMBRE"));
        QCOMPARE(window.found_text(), QStringLiteral("*** * *’*****"));
        QCOMPARE(window.remaining_letters(), saved_letters);
        QCOMPARE(window.remaining_count(), QStringLiteral("10"));
    }

    void the_stored_look_applies_and_missing_values_keep_the_design() {
        WindowHarness h([](const QString& path) {
            run(path, QStringLiteral("UPDATE couleurs SET fond_ref = %1, police_soluce = %2, "
                                     "fond_propal = %3, police_propal = %4, "
                                     "font_name_lettres = 'DejaVu Sans', font_size_lettres = 9, "
                                     "font_bold_lettres = 1, font_italic_propal = 1, "
                                     "font_size_propal = 20")
                          .arg(colour_value(QColor(1, 2, 3)))
                          .arg(colour_value(QColor(200, 0, 100)))
                          .arg(colour_value(QColor(50, 60, 70)))
                          .arg(colour_value(QColor(0, 128, 0))));
            run(path, QStringLiteral("UPDATE \"données\" SET propal = 'ABCDE'"));
        });
        QCOMPARE(base_colour(h.ref()), QColor(1, 2, 3));
        QCOMPARE(h.soluce()->palette().color(QPalette::Text), QColor(200, 0, 100));
        QCOMPARE(base_colour(h.soluce()), design::found_background());  // Null: designed
        QCOMPARE(base_colour(h.lettres()), design::letters_background());
        QCOMPARE(h.lettres()->font().family(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(h.lettres()->font().pointSizeF(), 9.0);
        QVERIFY(h.lettres()->font().bold());
        QVERIFY(!h.lettres()->font().italic());
        QCOMPARE(base_colour(h.propal()), QColor(50, 60, 70));

        // Each character of the editor took the stored colour and font, and so does the
        // place after the last one.
        for (int i = 0; i < 5; ++i) {
            const QTextCharFormat format = format_at(h.propal(), i);
            QCOMPARE(format.foreground().color(), QColor(0, 128, 0));
            QVERIFY(format.fontItalic());
            QCOMPARE(format.fontPointSize(), 20.0);
        }
        const QTextCursor caret = h.propal()->textCursor();
        QVERIFY(!caret.hasSelection());
        QCOMPARE(caret.position(), 5);
        QCOMPARE(h.propal()->currentCharFormat().foreground().color(), QColor(0, 128, 0));
        h.propal()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(h.propal(), QStringLiteral("F"));
        QCOMPARE(format_at(h.propal(), 5).foreground().color(), QColor(0, 128, 0));
    }

    void unusable_stored_values_are_passed_over() {
        WindowHarness h([](const QString& path) {
            run(path, QStringLiteral("UPDATE couleurs SET fond_ref = 'rouge', font_size_ref = "
                                     "-4, font_name_ref = '', fond_soluce = 255"));
            run(path, QStringLiteral("UPDATE compteurs SET nb_lettres = 'beaucoup'"));
        });
        QCOMPARE(base_colour(h.ref()), design::reference_background());
        QCOMPARE(h.ref()->font().pointSizeF(), 14.25);
        QCOMPARE(h.ref()->font().families(), design::text_font().families());
        QCOMPARE(base_colour(h.soluce()), QColor(255, 0, 0));
        QCOMPARE(h.caption(QStringLiteral("lettres_restantes")), QStringLiteral("0"));
    }
};

QTEST_MAIN(OpeningSequenceTest)
#include "test_opening_sequence.moc"
