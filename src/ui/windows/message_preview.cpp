#include "ui/windows/message_preview.h"

#include "posting/post_check.h"
#include "posting/post_rendering.h"
#include "ui/widgets/profile_choice.h"

#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vorlo {

MessagePreview::MessagePreview(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("apercu_message"));
    setWindowTitle(QStringLiteral("Aperçu du message"));
    resize(640, 380);
    auto* layout = new QVBoxLayout(this);
    choice_ = new ProfileChoice(this);
    layout->addWidget(choice_);
    view_ = new QTextBrowser(this);
    view_->setObjectName(QStringLiteral("apercu"));
    view_->setOpenLinks(false);
    layout->addWidget(view_, 1);
    warnings_view_ = new QLabel(this);
    warnings_view_->setObjectName(QStringLiteral("avertissements"));
    warnings_view_->setTextFormat(Qt::PlainText);
    warnings_view_->setWordWrap(true);
    warnings_view_->hide();
    layout->addWidget(warnings_view_);
}

void MessagePreview::show_post(PostingProfile profile, const QString& post,
                               const QStringList& names) {
    if (profile == profile_ && post == post_ && !view_->document()->isEmpty()) {
        return;
    }
    profile_ = profile;
    post_ = post;
    view_->setHtml(post_html(profile, post));
    warnings_ = post_warnings(profile, post, names);
    warnings_view_->setText(warnings_.join(QLatin1Char('\n')));
    warnings_view_->setVisible(!warnings_.isEmpty());
}

}  // namespace vorlo
