#pragma once

#include <QString>

namespace vorlo {

class MessageBoxes;
class VorloDatabase;

// Opens the page file vorlo.mdb of the program's folder for the run, creating it when it
// is missing. A folder that is not writable is reported first; the page then opens
// read-only when the file is there. A file that is not a database may be set aside, renamed
// vorlo.mdb.illisible, for a new page. A file another copy of the program holds is refused.
// When the file cannot serve, the user is told why and false is returned.
bool open_page_file(VorloDatabase& database, const QString& folder, bool folder_writable,
                    MessageBoxes& boxes);

// The page file opened, but reading it at start failed for `reason` (another program holds
// it, ...): the user is told so, as for a file that cannot be opened, and the program stops
// without writing anything.
void tell_page_file_unread(const QString& folder, const QString& reason, MessageBoxes& boxes);

}  // namespace vorlo
