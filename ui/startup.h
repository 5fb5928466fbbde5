// Start-up before the main window: the command line, which knows --help,
// --version and Qt's standard options, and the display, whose absence ends
// the program with one clear line instead of Qt's abort.
#pragma once

#include <chrono>
#include <memory>
#include <optional>

#include "services.h"

namespace kestrami::ui {

// The desktop entry's name without ".desktop"; the icons carry it too.
inline constexpr char kDesktopId[] = "io.github.kestrami.Kestrami";

// Reads the command line without needing a display. Returns the exit status
// when the program ends here: 0 after --help or --version, printed to
// standard output; 2 after any other option or argument that is not one of
// Qt's standard options, with one line on standard error. Returns nothing
// when the window is to start; Qt's options then stay in argv for Qt.
std::optional<int> HandleCommandLine(int argc, char** argv);

// How long the application object may take to open the display.
inline constexpr std::chrono::seconds kDisplayWait{5};

// Creates the application object with the program's name, version and
// desktop entry. Where no display can be opened, or the display does not
// answer within kDisplayWait, prints one line saying so on standard error
// and ends the program with status 1; Qt's own messages of that failure are
// left out.
std::unique_ptr<Application> OpenApplication(int& argc, char** argv);

}  // namespace kestrami::ui
