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
        const auto row = [](const char* name, const QStringList& arguments,
                            CommandLineRequest request) {
            QTest::newRow(name) << (QStringList{QStringLiteral("vorlo")} + arguments) << request;
        };
        row("nothing", {}, CommandLineRequest::OpenWindow);
        row("--version", {"--version"}, CommandLineRequest::Version);
        row("-v", {"-v"}, CommandLineRequest::Version);
        row("--help", {"--help"}, CommandLineRequest::Help);
        row("-h", {"-h"}, CommandLineRequest::Help);
        row("both", {"--help", "--version"}, CommandLineRequest::Version);
        row("among unknown options", {"--inconnu", "-h"}, CommandLineRequest::Help);
        row("window system option", {"-platform", "offscreen"}, CommandLineRequest::OpenWindow);
        // Read letter by letter, -reverse would hold a v and -stylesheet an h.
        row("one-dash words", {"-reverse", "-stylesheet", "x.qss"}, CommandLineRequest::OpenWindow);
        row("unknown option", {"--inconnu"}, CommandLineRequest::OpenWindow);
        row("a file name", {"version"}, CommandLineRequest::OpenWindow);
        row("after the end of options", {"--", "--version"}, CommandLineRequest::OpenWindow);
    }

    void each_command_line_gets_its_answer() {
        QFETCH(QStringList, arguments);
        QFETCH(CommandLineRequest, request);
        QCOMPARE(command_line_request(arguments), request);
    }

    void the_program_answers_without_a_display_data() {
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("expected");
        QTest::newRow("--version") << QStringLiteral("--version") << version_text();
        QTest::newRow("--help") << QStringLiteral("--help") << help_text();
    }

    // The real program, with no display and no platform chosen: QApplication would stop it.
    void the_program_answers_without_a_display() {
        QFETCH(QString, option);
        QFETCH(QString, expected);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            environment.remove(QString::fromLatin1(name));
        }
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(VORLO_PROGRAM), {option});
        QVERIFY(program.waitForFinished(120000));
        const QByteArray errors = program.readAllStandardError();
        QVERIFY2(errors.isEmpty(), errors.constData());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(program.readAllStandardOutput()), expected);
    }

    // The first line is what packaging tools read; the licence follows it.
    void the_version_names_the_licence() {
        const QStringList lines = version_text().split('\n');
        QCOMPARE(lines.first(), QStringLiteral("vorlo ") + QString::fromLatin1(kProgramVersion));
        QVERIFY(lines.at(1).contains(QStringLiteral("GNU GPL version 3 ou ultérieure")));
    }

    void the_help_is_in_french() {
        const QString help = help_text();
        QVERIFY(help.startsWith(QStringLiteral("Utilisation : vorlo")));
        QVERIFY(help.contains(QStringLiteral("  -v, --version  Affiche la version et quitte.")));
        QVERIFY(help.contains(QStringLiteral("  -h, --help     Affiche cette aide et quitte.")));
    }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
