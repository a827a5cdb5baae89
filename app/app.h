// Start-up, the single-instance guard and Exit program.
#pragma once

#include "colour/magnifier.h"
#include "hotkeys/fine_tune.h"
#include "hotkeys/quick_key.h"
#include "hotkeys/registry.h"
#include "pick/quick_mode.h"
#include "ui/float_window.h"
#include "ui/main_window.h"
#include "ui/tray.h"

#include <functional>

namespace app {

// The name whose event marks a running instance, in the session's local namespace.
inline constexpr wchar_t kInstanceEventName[] = L"_Quorvel_App_Lomerindaxel_";

// Loads the main window, runs its created handler, shows it and runs the message loop. Returns the exit
// code: 0, or 1 when the main window could not be created (after telling the user).
int run();

// Destroys every window of the program without raising any further event, then ends the process.
[[noreturn]] void exitProgram(unsigned code);

// Everything that lives as long as the process. Members that refer to others come after them.
struct Program {
    ui::MainWindow main;
    ui::FloatWindow floating;
    colour::Magnifier mainMagnifier;
    colour::Magnifier floatMagnifier;
    hotkeys::Registry registry;
    hotkeys::QuickKey quickKey{registry, main};
    hotkeys::FineTune fineTune{registry, main};
    pick::QuickMode quickMode{main, floating, floatMagnifier, quickKey};
    ui::Tray tray;
};

// Binds every handler of the program, the main window's created handler among them.
void bind(Program& program);
// Every handler but the created one, with `exit` in place of Exit program: what tests bind, since a
// second created handler in one process would find the guard taken.
void bindHandlers(Program& program, const std::function<void(unsigned)>& exit);

} // namespace app
