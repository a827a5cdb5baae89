// The tray icon, its menu and the main window's close request.
#pragma once

#include "ui/handle.h"
#include "ui/main_window.h"

#include <cstddef>
#include <functional>
#include <span>

namespace ui {

// The tray icon's id on the main window.
inline constexpr UINT kTrayIconId = 100;
// The page the tray entry "更新" opens. Movaril has no update server of its own yet, so this is a
// placeholder on a reserved domain: it can never reach a stranger's site.
inline constexpr wchar_t kUpdatePage[] = L"https://movaril.example.com/download";

// The main window's icon in the notification area.
class Tray {
public:
    // Shows the program icon's last image (16 x 16, 32 bits) with the tip "Movaril"; replaces an icon
    // already shown.
    void install(MainWindow& window);
    // Takes the icon away; nothing when there is none.
    void remove(MainWindow& window);
    // Adds the icon again after the taskbar was created anew, which forgets every icon; nothing when
    // there is none.
    void restore(MainWindow& window);
    bool installed() const { return added_; }
    HICON icon() const { return icon_.get(); }

private:
    Icon icon_;
    bool added_ = false;
};

// The resource id of the last image in an icon group resource (the RT_GROUP_ICON directory); 0 when the
// bytes are no such directory or it is empty.
int lastIconId(std::span<const std::byte> group);

// What the tray and the close request need from the rest of the program.
struct TrayActions {
    std::function<void()> toggleQuickMode;
    // Does not return in the program; the handlers touch nothing after calling it.
    std::function<void(unsigned code)> exitProgram;
};

// Binds the tray events, the four menu entries, the close request, the end of the session and the
// taskbar's re-creation.
void bindTray(MainWindow& window, Tray& tray, TrayActions actions);

} // namespace ui
