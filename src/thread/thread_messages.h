#pragma once

#include <QString>

// What the reading of a thread tells the game master, in French.
namespace vorlo::thread::messages {

QString unsupported_page();  // names the forums that are read
QString login_required();
QString not_found();
QString server_error(int status);
QString refused_page(int status);
QString timed_out(int seconds);
QString unreachable();
QString page_too_large(int megabytes);
QString address_scheme();
QString redirect_scheme();
QString no_address();
QString cancelled();
QString page_limit(int pages);

}  // namespace vorlo::thread::messages
