#include "report/forum_message.h"

#include <QtTest>

using namespace vorlo;

namespace {
const QChar kCr = QChar(13);
}

class TestForumMessage : public QObject {
    Q_OBJECT

  private slots:
    void four_lines_while_letters_remain() {
        const QString message = build_forum_message("L* *HA*", 2, 3, "E C T ");
        const QString expected =
            QStringLiteral("[font=Courier New][size=5]L* *HA*[/size][/font]") + kCr +
            QStringLiteral("[b][color=#FF0000]2[/color][/b] lettre(s) trouvée(s). ") + kCr +
            QStringLiteral("[b][color=#FF0000]3[/color][/b] lettres à placer ") + kCr +
            QStringLiteral(
                "[font=Courier New][size=5][color=#4132F5]E C T [/color][/size][/font]") +
            kCr;
        QCOMPARE(message, expected);
        QVERIFY(!message.contains(QChar(10)));
    }

    void winning_message_data() {
        QTest::addColumn<QString>("found");
        QTest::addColumn<QString>("found_count");
        QTest::addColumn<QString>("letters");
        QTest::newRow("won") << "LE CHAT"
                             << "2"
                             << "";
        QTest::newRow("cleared page") << ""
                                      << "0"
                                      << "";
        QTest::newRow("stale letters ignored") << "L* *HA*"
                                               << "9"
                                               << "E C T ";
    }

    void winning_message() {
        QFETCH(QString, found);
        QFETCH(QString, found_count);
        QFETCH(QString, letters);
        const QString message = build_forum_message(found, found_count.toInt(), 0, letters);
        const QString expected =
            QStringLiteral("[font=Courier New][size=5]") + found +
            QStringLiteral("[/size][/font]") + kCr + kCr +
            QStringLiteral("[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]") + kCr;
        QCOMPARE(message, expected);
    }

    void texts_pass_unchanged() {
        const QString found = QStringLiteral("[B]* ** /[url]\r\nX");
        const QString message = build_forum_message(found, 1, 12, "A\nB ");
        QVERIFY(message.startsWith(QStringLiteral("[font=Courier New][size=5]") + found +
                                   QStringLiteral("[/size][/font]") + kCr));
        QVERIFY(message.contains(QStringLiteral("[color=#4132F5]A\nB [/color]")));
        QVERIFY(message.contains(QStringLiteral("[b][color=#FF0000]12[/color][/b]")));
        QVERIFY(message.endsWith(kCr));
        QCOMPARE(message.count(QChar(10)), 2);
    }

    void same_inputs_same_message() {
        QCOMPARE(build_forum_message("*", 0, 1, "A "), build_forum_message("*", 0, 1, "A "));
    }
};

QTEST_GUILESS_MAIN(TestForumMessage)
#include "test_forum_message.moc"
