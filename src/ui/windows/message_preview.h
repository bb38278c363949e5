#pragma once

#include "posting/forum_rules.h"

#include <QStringList>
#include <QWidget>

class QLabel;
class QTextBrowser;

namespace vorlo {

class ProfileChoice;

// A window that shows a forum post as the chosen forum would render it, with the choice of
// that forum at its top and, under the post, what to check before posting it.
class MessagePreview : public QWidget {
    Q_OBJECT
  public:
    explicit MessagePreview(QWidget* parent);

    // `post` as written for `profile`; `names` are the players it may name.
    void show_post(PostingProfile profile, const QString& post, const QStringList& names = {});
    // The post shown, as written for its forum.
    const QString& post() const { return post_; }
    // The warnings shown under the post, one a line.
    const QStringList& warnings() const { return warnings_; }
    ProfileChoice* choice() const { return choice_; }

  private:
    ProfileChoice* choice_;
    QTextBrowser* view_;
    QLabel* warnings_view_;
    QString post_;
    QStringList warnings_;
    PostingProfile profile_ = PostingProfile::Classique;
};

}  // namespace vorlo
