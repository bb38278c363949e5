#include "app/application_setup.h"
#include "app/vorlo_program.h"
#include "command_line.h"
#include "ui/main_window/main_window.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

namespace {

// --version and --help print and end here, before QApplication, which needs a display.
int answer_command_line(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QTextStream out(stdout);
    switch (vorlo::command_line_request(arguments)) {
        case vorlo::CommandLineRequest::Version:
            out << vorlo::version_text();
            return 0;
        case vorlo::CommandLineRequest::Help:
            out << vorlo::help_text();
            return 0;
        case vorlo::CommandLineRequest::OpenWindow:
            break;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const int answered = answer_command_line(argc, argv); answered >= 0) {
        return answered;
    }

    QApplication app(argc, argv);
    vorlo::set_up_application();

    const std::unique_ptr<vorlo::VorloProgram> program =
        vorlo::VorloProgram::start(QApplication::applicationDirPath());
    if (!program) {
        return 1;
    }
    program->window()->show();
    return QApplication::exec();
}
