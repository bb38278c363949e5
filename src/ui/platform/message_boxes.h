#pragma once

#include <QString>

namespace vorlo {

enum class MessageIcon { None, Critical, Exclamation, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Modal message boxes under the application's title. The window shows real boxes; tests
// answer from a script.
class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer show_message(MessageIcon icon, MessageButtons buttons,
                                       const QString& text) = 0;
};

}  // namespace vorlo
