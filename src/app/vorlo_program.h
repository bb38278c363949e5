#pragma once

#include "engine/puzzle_state.h"
#include "storage/vorlo_database.h"
#include "ui/platform/qt_platform.h"

#include <QString>

#include <memory>

namespace vorlo {

class MainWindow;

// Everything a run of the program holds: the open database, the desktop services and the
// main window, which holds the game.
class VorloProgram {
  public:
    // Opens vorlo.mdb (creating it when it is missing) beside the program in
    // program_folder, or in the user's data folder when the program may not write there
    // (see choose_page_folder), and builds the main window without showing it. When the
    // file cannot serve, the user is told why and nothing is returned. When neither folder
    // is writable, that is reported, and the page opens read-only when the file is there.
    static std::unique_ptr<VorloProgram> start(const QString& program_folder);
    ~VorloProgram();

    MainWindow* window() const { return window_.get(); }

  private:
    VorloProgram() = default;

    VorloDatabase database_;
    QtPlatform platform_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace vorlo
