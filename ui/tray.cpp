// The tray icon, its menu and the main window's close request.
#include "ui/tray.h"

namespace ui {

void Tray::install(MainWindow&) {}

void Tray::remove(MainWindow&) {}

void bindTray(MainWindow&, Tray&, TrayActions) {}

} // namespace ui
