#pragma once

#include <QPushButton>

namespace vorlo {

// A push button that, while it has the keyboard focus, shows a frame in the desktop's
// highlight colour inside its edge, clear whatever the style draws for the focus.
class FocusFrameButton : public QPushButton {
    Q_OBJECT
  public:
    FocusFrameButton(const QString& caption, QWidget* parent);

    static constexpr int kFrameWidth = 2;

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vorlo
