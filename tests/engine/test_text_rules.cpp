#include "engine/text_rules.h"

#include <QtTest>

using namespace vorlo;

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kMicro = QString(QChar(0x00B5));
}  // namespace

class TestTextRules : public QObject {
    Q_OBJECT

  private slots:
    void clean_reference_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("blanks and a line break") << "  bonjour" + kCrLf + "à tous  "
                                                 << "BONJOUR À TOUS";
        QTest::newRow("blanks only") << "    "
                                     << "";
        QTest::newRow("one line break") << kCrLf << " ";
        QTest::newRow("two line breaks") << "A" + kCrLf + kCrLf + "B"
                                         << "A  B";
        QTest::newRow("lone line feed") << "A\nB"
                                        << "A" + kMicro + "B";
        QTest::newRow("lone carriage return") << "A\rB"
                                              << "A" + kMicro + "B";
        QTest::newRow("accents and ligature") << "cœur été"
                                              << "CŒUR ÉTÉ";
        QTest::newRow("inner blanks kept") << "a  b"
                                           << "A  B";
        QTest::newRow("tabs not trimmed") << "\ta "
                                          << "\tA";
        QTest::newRow("trailing line break") << "ab" + kCrLf << "AB ";
        QTest::newRow("sharp s keeps its place") << "straße"
                                                 << "STRAßE";
        QTest::newRow("micro sign kept") << "5µm"
                                         << "5µM";
        QTest::newRow("question marks kept") << "quoi?"
                                             << "QUOI?";
        QTest::newRow("decomposed accents composed")
            << QStringLiteral("E\u0301te\u0301 a\u0300 co\u0302te") << QStringLiteral("ÉTÉ À CÔTE");
    }

    void clean_reference() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(vorlo::clean_reference(typed), cleaned);
    }

    void clean_proposal_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("glued question mark") << "  Le chat? dort  "
                                             << "LE CHAT DORT";
        QTest::newRow("standalone question mark") << "Le ? dort"
                                                  << "LE ? DORT";
        QTest::newRow("question mark after blank") << "Le ?chat"
                                                   << "LE ?CHAT";
        QTest::newRow("run of question marks") << "MOT??"
                                               << "MOT";
        QTest::newRow("first position kept") << "?MOT"
                                             << "?MOT";
        QTest::newRow("five blanks") << "Le     chat"
                                     << "LE CHAT";
        QTest::newRow("line break") << "Le" + kCrLf + "chat"
                                    << "LE CHAT";
        QTest::newRow("two line breaks") << "Le" + kCrLf + kCrLf + "chat"
                                         << "LE CHAT";
        QTest::newRow("trailing line break") << "chat" + kCrLf << "CHAT ";
        QTest::newRow("blanks only") << "     "
                                     << "";
        QTest::newRow("lone line feed") << "A\nB"
                                        << "A" + kMicro + "B";
        QTest::newRow("final question mark") << "CHAT?"
                                             << "CHAT";
        QTest::newRow("decomposed accents composed")
            << QStringLiteral("L'E\u0301te\u0301?") << QStringLiteral("L'ÉTÉ");
        QTest::newRow("many glued question marks")
            << "mot" + QString(100000, '?') + " ?" << QStringLiteral("MOT ?");
    }

    void clean_proposal() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(vorlo::clean_proposal(typed), cleaned);
    }

    void strip_question_marks_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stripped");
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("standalone kept") << "LE ? DORT"
                                         << "LE ? DORT";
        QTest::newRow("glued before a word") << "LE ?CHAT"
                                             << "LE CHAT";
        QTest::newRow("last character kept") << "CHAT?"
                                             << "CHAT?";
        QTest::newRow("glued inside") << "CH?AT"
                                      << "CHAT";
        QTest::newRow("run inside") << "A??B"
                                    << "AB";
        QTest::newRow("run at the end keeps the last") << "AB??"
                                                       << "AB?";
        QTest::newRow("first position with a blank after") << "? A"
                                                           << "? A";
        QTest::newRow("first position glued") << "?A"
                                              << "A";
        QTest::newRow("only question marks") << "???"
                                             << "?";
        QTest::newRow("lower case untouched") << "le chat"
                                              << "le chat";
        QTest::newRow("blank after but glued before") << "A? B"
                                                      << "A B";
        QTest::newRow("many glued question marks") << "A" + QString(100000, '?') + "B ? C?"
                                                   << "AB ? C?";
    }

    void strip_question_marks() {
        QFETCH(QString, typed);
        QFETCH(QString, stripped);
        QCOMPARE(vorlo::strip_question_marks(typed), stripped);
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "test_text_rules.moc"
