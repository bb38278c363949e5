#pragma once

#include <QString>

// The texts of the program's message boxes. Inside a message a line break is one
// carriage return, without a line feed.
namespace vorlo::messages {

inline constexpr QChar kLineBreak = QChar(13);

QString application_title();
QString no_reference();
QString text_too_long();
QString not_initialised();
QString no_proposal();
QString cannot_quit_without_reference();
QString unsaved_data();
QString version_box(const QString& version);

}  // namespace vorlo::messages
