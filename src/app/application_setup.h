#pragma once

namespace vorlo {

// Sets up the running QApplication as the program needs it: its names for the desktop, no
// end when the last window closes (the quit rules decide), and the toolkit's own dialogs
// (the colour and font choosers) in French. Returns false when Qt's French translations are
// not installed; the choosers then speak the toolkit's English.
bool set_up_application();

}  // namespace vorlo
