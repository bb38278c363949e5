#pragma once

class QAbstractButton;

namespace vorlo {

// Makes Enter and Return click the button while it has the focus, as Space does.
void click_on_enter(QAbstractButton& button);

}  // namespace vorlo
