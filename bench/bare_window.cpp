// The floor that the program's start-up is measured against: a bare Qt Widgets window of
// the same size with a menu bar and three text boxes, nothing loaded, nothing styled. Run
// with --child it reports like the program's own child run (see child_report.h): shown,
// exposed, idle, then it ends at once.
#include "child_report.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>

#include <cstring>

int main(int argc, char* argv[]) {
    const long long main_ns = vorlo::bench::monotonic_ns();
    QApplication app(argc, argv);

    QMainWindow window;
    QMenu* file = window.menuBar()->addMenu(QStringLiteral("Fichier"));
    file->addAction(QStringLiteral("Quitter"));
    QMenu* looks = window.menuBar()->addMenu(QStringLiteral("Couleurs"));
    looks->addAction(QStringLiteral("Police"));
    window.menuBar()->addAction(QStringLiteral("Version"));

    auto* client = new QWidget(&window);
    client->setFixedSize(1036, 653);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QPlainTextEdit(client);
        box->setGeometry(8 + i * 344, 48, 333, 417);
    }
    window.setCentralWidget(client);
    window.show();

    if (argc > 1 && std::strcmp(argv[1], "--child") == 0) {
        vorlo::bench::report_when_idle(window, main_ns);
    }
    return QApplication::exec();
}
