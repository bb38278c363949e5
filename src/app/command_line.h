#pragma once

#include <QString>
#include <QStringList>

namespace vorlo {

// What the command line asks of the program. Only --version and --help are answered;
// every other argument is left to the window system, as before, and the window opens.
enum class CommandLineRequest { OpenWindow, Version, Help };

// arguments holds the program name first, as argv does.
CommandLineRequest command_line_request(const QStringList& arguments);

// What "vorlo --version" and "vorlo --help" print, each ending with a line break.
QString version_text();
QString help_text();

}  // namespace vorlo
