#include "ui/widgets/enter_clicks.h"

#include <QAbstractButton>
#include <QKeyEvent>

namespace vorlo {

namespace {

class EnterClicks : public QObject {
  public:
    explicit EnterClicks(QAbstractButton& button) : QObject(&button), button_(button) {
        button.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &button_ || event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        button_.click();
        return true;
    }

  private:
    QAbstractButton& button_;
};

}  // namespace

void click_on_enter(QAbstractButton& button) {
    new EnterClicks(button);
}

}  // namespace vorlo
