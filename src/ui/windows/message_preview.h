#pragma once

#include <QWidget>

class QTextBrowser;

namespace vorlo {

// A window that shows a forum post as the forum would: the BBCode rendered.
class MessagePreview : public QWidget {
    Q_OBJECT
  public:
    explicit MessagePreview(QWidget* parent);

    void show_post(const QString& bbcode);
    // The post shown, as BBCode.
    const QString& post() const { return post_; }

  private:
    QTextBrowser* view_;
    QString post_;
};

}  // namespace vorlo
