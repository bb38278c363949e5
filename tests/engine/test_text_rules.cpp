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
        const auto row = [](const char* name, const QString& typed, const QString& cleaned) {
            QTest::newRow(name) << typed << cleaned;
        };
        row("empty", "", "");
        row("blanks and a line break", "  bonjour" + kCrLf + "à tous  ", "BONJOUR À TOUS");
        row("blanks only", "    ", "");
        row("one line break", kCrLf, " ");
        row("two line breaks", "A" + kCrLf + kCrLf + "B", "A  B");
        row("lone line feed", "A\nB", "A" + kMicro + "B");
        row("lone carriage return", "A\rB", "A" + kMicro + "B");
        row("accents and ligature", "cœur été", "CŒUR ÉTÉ");
        row("inner blanks kept", "a  b", "A  B");
        row("tabs not trimmed", "\ta ", "\tA");
        row("trailing line break", "ab" + kCrLf, "AB ");
        row("sharp s keeps its place", "straße", "STRAßE");
        row("micro sign kept", "5µm", "5µM");
        row("question marks kept", "quoi?", "QUOI?");
        row("decomposed accents composed", QStringLiteral("E\u0301te\u0301 a\u0300 co\u0302te"),
            QStringLiteral("ÉTÉ À CÔTE"));
    }

    void clean_reference() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(vorlo::clean_reference(typed), cleaned);
    }

    void clean_proposal_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cleaned");
        const auto row = [](const char* name, const QString& typed, const QString& cleaned) {
            QTest::newRow(name) << typed << cleaned;
        };
        row("empty", "", "");
        row("glued question mark", "  Le chat? dort  ", "LE CHAT DORT");
        row("standalone question mark", "Le ? dort", "LE ? DORT");
        row("question mark after blank", "Le ?chat", "LE ?CHAT");
        row("run of question marks", "MOT??", "MOT");
        row("first position kept", "?MOT", "?MOT");
        row("five blanks", "Le     chat", "LE CHAT");
        row("line break", "Le" + kCrLf + "chat", "LE CHAT");
        row("two line breaks", "Le" + kCrLf + kCrLf + "chat", "LE CHAT");
        row("trailing line break", "chat" + kCrLf, "CHAT ");
        row("blanks only", "     ", "");
        row("lone line feed", "A\nB", "A" + kMicro + "B");
        row("final question mark", "CHAT?", "CHAT");
        row("decomposed accents composed", QStringLiteral("L'E\u0301te\u0301?"),
            QStringLiteral("L'ÉTÉ"));
        row("many glued question marks", "mot" + QString(100000, '?') + " ?",
            QStringLiteral("MOT ?"));
    }

    void clean_proposal() {
        QFETCH(QString, typed);
        QFETCH(QString, cleaned);
        QCOMPARE(vorlo::clean_proposal(typed), cleaned);
    }

    void strip_question_marks_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stripped");
        const auto row = [](const char* name, const QString& typed, const QString& stripped) {
            QTest::newRow(name) << typed << stripped;
        };
        row("empty", "", "");
        row("standalone kept", "LE ? DORT", "LE ? DORT");
        row("glued before a word", "LE ?CHAT", "LE CHAT");
        row("last character kept", "CHAT?", "CHAT?");
        row("glued inside", "CH?AT", "CHAT");
        row("run inside", "A??B", "AB");
        row("run at the end keeps the last", "AB??", "AB?");
        row("first position with a blank after", "? A", "? A");
        row("first position glued", "?A", "A");
        row("only question marks", "???", "?");
        row("lower case untouched", "le chat", "le chat");
        row("blank after but glued before", "A? B", "A B");
        row("many glued question marks", "A" + QString(100000, '?') + "B ? C?", "AB ? C?");
    }

    void strip_question_marks() {
        QFETCH(QString, typed);
        QFETCH(QString, stripped);
        QCOMPARE(vorlo::strip_question_marks(typed), stripped);
    }
};

QTEST_GUILESS_MAIN(TestTextRules)
#include "test_text_rules.moc"
