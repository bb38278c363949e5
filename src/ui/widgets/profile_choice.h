#pragma once

#include "posting/forum_rules.h"

#include <QWidget>

class QCheckBox;
class QComboBox;

namespace vorlo {

// The forum the posts are written for, from the profiles' table, and whether the turn's
// post tells the turn (its player, its proposal, the leading players).
class ProfileChoice : public QWidget {
    Q_OBJECT
  public:
    explicit ProfileChoice(QWidget* parent = nullptr);

    PostingProfile profile() const;
    bool detailed() const;
    // Shows a choice, as read from the page file; tells no change.
    void set_choice(PostingProfile profile, bool detailed);

  signals:
    // The user changed the forum or the tick box.
    void choice_changed(vorlo::PostingProfile profile, bool detailed);

  private:
    void tell();

    QComboBox* profiles_;
    QCheckBox* detailed_;
    bool setting_ = false;
};

}  // namespace vorlo
