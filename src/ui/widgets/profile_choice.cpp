#include "ui/widgets/profile_choice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>

namespace vorlo {

ProfileChoice::ProfileChoice(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("choix_forum"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    profiles_ = new QComboBox(this);
    profiles_->setObjectName(QStringLiteral("profil_forum"));
    for (const ForumRules& rules : forum_rules()) {
        profiles_->addItem(rules.caption, static_cast<int>(rules.profile));
    }
    auto* label = new QLabel(QStringLiteral("&Forum :"), this);
    label->setBuddy(profiles_);
    detailed_ = new QCheckBox(QStringLiteral("Message de tour &détaillé"), this);
    detailed_->setObjectName(QStringLiteral("message_detaille"));
    detailed_->setToolTip(
        QStringLiteral("Ajoute au message du tour le joueur, sa proposition et les trois "
                       "premiers du classement"));
    layout->addWidget(label);
    layout->addWidget(profiles_, 1);
    layout->addWidget(detailed_);
    connect(profiles_, &QComboBox::currentIndexChanged, this, &ProfileChoice::tell);
    connect(detailed_, &QCheckBox::toggled, this, &ProfileChoice::tell);
}

PostingProfile ProfileChoice::profile() const {
    return static_cast<PostingProfile>(profiles_->currentData().toInt());
}

bool ProfileChoice::detailed() const {
    return detailed_->isChecked();
}

void ProfileChoice::set_choice(PostingProfile profile, bool detailed) {
    setting_ = true;
    profiles_->setCurrentIndex(profiles_->findData(static_cast<int>(profile)));
    detailed_->setChecked(detailed);
    setting_ = false;
}

void ProfileChoice::tell() {
    if (!setting_) {
        emit choice_changed(profile(), detailed());
    }
}

}  // namespace vorlo
