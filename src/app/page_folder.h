#pragma once

#include <QString>

namespace vorlo {

// The folder that holds the page file vorlo.mdb for a run, and whether the program may
// write there.
struct PageFolder {
    QString path;
    bool writable = false;
};

// The page lies beside the program when the program may write in its folder (a build
// folder, a copy of the program in a folder of the user's). Otherwise it lies in the
// user's data folder, which is made when it is missing. When neither can be written, the
// data folder is kept when it already holds a page, so that page can still be read; the
// program's folder otherwise.
PageFolder choose_page_folder(const QString& program_folder, bool program_folder_writable,
                              const QString& data_folder);

// Whether the page may be kept beside the program in program_folder: the folder must be
// writable, and it must not be installed_folder, the folder the package installs the
// program into, which belongs to the system even when the user (root) may write there.
bool may_keep_page_beside(const QString& program_folder, const QString& installed_folder);

// The folder the program is installed into (<prefix>/games).
QString installed_program_folder();

}  // namespace vorlo
