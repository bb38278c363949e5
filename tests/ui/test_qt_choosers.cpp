#include "app/application_setup.h"
#include "ui/platform/qt_platform.h"
#include "ui/widgets/colour_value.h"

#include <QApplication>
#include <QColorDialog>
#include <QFontDialog>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace vorlo;

namespace {

// Runs `answer` on the chooser of type T as soon as it is open and modal.
template <typename T>
void when_open(const std::function<void(T*)>& answer) {
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, answer] {
        if (auto* chooser = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(chooser);
        }
    });
    timer->start(20);
}

}  // namespace

// The desktop's own colour and font choosers, as the program opens them: in French, on the
// look being changed.
class QtChoosersTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        // The program's own set-up, French translations included.
        QVERIFY2(set_up_application(),
                 "Qt's French translations (qt6-translations-l10n) are missing");
    }

    void the_colour_chooser_opens_on_the_current_colour_in_french() {
        QtChoosers choosers;
        QString title;
        QColor opened_on;
        when_open<QColorDialog>([&](QColorDialog* chooser) {
            title = chooser->windowTitle();
            opened_on = chooser->currentColor();
            chooser->setCurrentColor(QColor(1, 2, 3));
            chooser->accept();
        });
        const std::optional<qint32> chosen = choosers.choose_colour(QColor(12, 34, 56));
        QCOMPARE(title, QStringLiteral("Sélectionner une couleur"));
        QCOMPARE(opened_on, QColor(12, 34, 56));
        QCOMPARE(chosen, std::optional<qint32>(colour_value(QColor(1, 2, 3))));

        when_open<QColorDialog>([](QColorDialog* chooser) { chooser->reject(); });
        QCOMPARE(choosers.choose_colour(QColor(12, 34, 56)), std::nullopt);
    }

    void the_font_chooser_opens_on_the_current_font() {
        QtChoosers choosers;
        QFont current(QStringLiteral("DejaVu Serif"));
        current.setPointSizeF(20);
        QFont opened_on;
        when_open<QFontDialog>([&](QFontDialog* chooser) {
            opened_on = chooser->currentFont();
            chooser->accept();
        });
        const std::optional<FontChoice> chosen = choosers.choose_font(current);
        QCOMPARE(opened_on.family(), QStringLiteral("DejaVu Serif"));
        QCOMPARE(opened_on.pointSize(), 20);
        QVERIFY(chosen);
        QCOMPARE(chosen->name, QStringLiteral("DejaVu Serif"));
        QCOMPARE(chosen->size, 20);

        when_open<QFontDialog>([](QFontDialog* chooser) { chooser->reject(); });
        QVERIFY(!choosers.choose_font(current));
    }
};

QTEST_MAIN(QtChoosersTest)
#include "test_qt_choosers.moc"
