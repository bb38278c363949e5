#include "ui/windows/message_preview.h"

#include "report/forum_preview.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace vorlo {

MessagePreview::MessagePreview(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("apercu_message"));
    setWindowTitle(QStringLiteral("Aperçu du message"));
    resize(640, 320);
    auto* layout = new QVBoxLayout(this);
    view_ = new QTextBrowser(this);
    view_->setObjectName(QStringLiteral("apercu"));
    view_->setOpenLinks(false);
    layout->addWidget(view_);
}

void MessagePreview::show_post(const QString& bbcode) {
    if (bbcode == post_ && !view_->document()->isEmpty()) {
        return;
    }
    post_ = bbcode;
    view_->setHtml(forum_html(bbcode));
}

}  // namespace vorlo
