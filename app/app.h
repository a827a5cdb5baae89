// Start-up, the single-instance guard and Exit program.
#pragma once

#include "ui/main_window.h"

namespace app {

// The name whose event marks a running instance, in the session's local namespace.
inline constexpr wchar_t kInstanceEventName[] = L"_Quorvel_App_Lomerindaxel_";

// Loads the main window, runs its created handler, shows it and runs the message loop. Returns the exit
// code: 0, or 1 when the main window could not be created (after telling the user).
int run();

// Destroys every window of the program without raising any further event, then ends the process.
[[noreturn]] void exitProgram(unsigned code);

// Binds the main window's created handler.
void bindStartup(ui::MainWindow& window);

} // namespace app
