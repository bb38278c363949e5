#include "command_line.h"
#include "engine/program_version.h"

#include <QProcess>
#include <QtTest>

using namespace vorlo;

// --version and --help, and every other command line left to the window.
class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void each_command_line_gets_its_answer_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<CommandLineRequest>("request");
        const auto row = [](const QStringList& arguments, CommandLineRequest request) {
            QTest::newRow(qPrintable(QStringLiteral("vorlo ") + arguments.join(QLatin1Char(' '))))
                << (QStringList{QStringLiteral("vorlo")} + arguments) << request;
        };
        const auto window = CommandLineRequest::OpenWindow;
        row({}, window);
        row({"--version"}, CommandLineRequest::Version);
        row({"-v"}, CommandLineRequest::Version);
        row({"--help"}, CommandLineRequest::Help);
        row({"-h"}, CommandLineRequest::Help);
        row({"--help", "--version"}, CommandLineRequest::Version);
        row({"--inconnu", "-h"}, CommandLineRequest::Help);
        row({"-platform", "offscreen"}, window);
        // Read letter by letter, -reverse would hold a v and -stylesheet an h.
        row({"-reverse", "-stylesheet", "x.qss"}, window);
        row({"--inconnu"}, window);
        row({"version"}, window);
        row({"--", "--version"}, window);
    }

    void each_command_line_gets_its_answer() {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLineRequest, request);
        QCOMPARE(command_line_request(arguments), request);
    }

    // The real program, with no display and no platform chosen: QApplication would stop it.
    // The version's first line is what packaging tools read; the licence follows it.
    void the_program_answers_without_a_display() {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        const QString version = QStringLiteral("vorlo %1\n").arg(kProgramVersion);
        QVERIFY(version_text().startsWith(version));
        QVERIFY(version_text().contains(QStringLiteral("GNU GPL version 3 ou ultérieure")));
        QVERIFY(help_text().startsWith(QStringLiteral("Utilisation : vorlo")));
        for (const QString& option : {QStringLiteral("--version"), QStringLiteral("--help")}) {
            QProcess program;
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(VORLO_PROGRAM), {option});
            QVERIFY(program.waitForFinished(120000));
            const QByteArray errors = program.readAllStandardError();
            QVERIFY2(errors.isEmpty(), errors.constData());
            QCOMPARE(program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(program.exitCode(), 0);
            QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()),
                     option == QLatin1String("--help") ? help_text() : version_text());
        }
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
