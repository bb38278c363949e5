#pragma once

#include <QLabel>
#include <QTimer>

namespace vorlo {

// A short notice that shows near a control for a few seconds and goes by itself; it takes
// neither the focus nor the clicks.
class TransientNotice : public QLabel {
    Q_OBJECT
  public:
    explicit TransientNotice(QWidget* parent);

    // Shows the text just above `anchor`.
    void show_text(const QString& text, const QWidget* anchor);

  private:
    QTimer timer_;
};

}  // namespace vorlo
