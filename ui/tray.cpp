// The tray icon, its menu and the main window's close request.
#include "ui/tray.h"

#include "resources/resource_ids.h"
#include "ui/resource.h"

#include <shellapi.h>

#include <cstdint>
#include <cstring>
#include <cwchar>

namespace ui {
namespace {

// The group's last image is the 16 x 16 one with an alpha channel, the one a tray shows best.
Icon trayIcon() {
    auto bits = resourceBytes(lastIconId(resourceBytes(IDI_MOVARIL, RT_GROUP_ICON)), RT_ICON);
    if (bits.empty())
        return {};
    // 0x00030000: the icon format version every icon since Windows 3 has.
    return Icon{::CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<std::byte*>(bits.data())),
                                           static_cast<DWORD>(bits.size()), TRUE, 0x00030000, 16, 16,
                                           LR_DEFAULTCOLOR)};
}

// The first layout of the record: every shell since the first tray understands it.
NOTIFYICONDATAW iconData(const MainWindow& window, UINT flags, HICON icon) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window.handle();
    data.uID = kTrayIconId;
    data.uFlags = flags;
    data.uCallbackMessage = kTrayMessage;
    data.hIcon = icon;
    std::wcscpy(data.szTip, L"Movaril");
    return data;
}

constexpr UINT kShown = NIF_MESSAGE | NIF_ICON | NIF_TIP;

void popUpMenu(MainWindow& window) {
    POINT at{};
    ::GetCursorPos(&at);
    // Only a menu of the foreground window closes when the user clicks elsewhere.
    ::SetForegroundWindow(window.handle());
    window.操作.popUp(TPM_RIGHTALIGN, at.x - 5, at.y - 5);
    // Without a message after the menu, the next tray menu can close as soon as it opens.
    ::PostMessageW(window.handle(), WM_NULL, 0, 0);
}

} // namespace

void Tray::install(MainWindow& window) {
    Icon icon = trayIcon();
    NOTIFYICONDATAW data = iconData(window, kShown, icon.get());
    ::Shell_NotifyIconW(added_ ? NIM_MODIFY : NIM_ADD, &data);
    // The shell has its own copy of the image now; the old handle can go.
    icon_ = std::move(icon);
    added_ = true;
}

void Tray::remove(MainWindow& window) {
    if (!added_)
        return;
    NOTIFYICONDATAW data = iconData(window, 0, nullptr);
    ::Shell_NotifyIconW(NIM_DELETE, &data);
    icon_.reset();
    added_ = false;
}

void Tray::restore(MainWindow& window) {
    if (!added_)
        return;
    NOTIFYICONDATAW data = iconData(window, kShown, icon_.get());
    ::Shell_NotifyIconW(NIM_ADD, &data);
}

int lastIconId(std::span<const std::byte> group) {
    // A directory: reserved 0, type 1 (icons), a count; then 14-byte entries, the id in their last word.
    constexpr size_t kHeader = 6, kEntry = 14;
    auto word = [&](size_t at) {
        std::uint16_t value;
        std::memcpy(&value, group.data() + at, sizeof value);
        return value;
    };
    if (group.size() < kHeader || word(0) != 0 || word(2) != 1)
        return 0;
    size_t count = word(4);
    if (count == 0 || group.size() < kHeader + count * kEntry)
        return 0;
    return word(kHeader + count * kEntry - 2);
}

void bindTray(MainWindow& window, Tray& tray, TrayActions actions) {
    auto exitProgram = actions.exitProgram;
    auto end = [&window, &tray, exitProgram] {
        tray.remove(window);
        exitProgram(0);
    };
    window.trayEvent = [&window](int type) {
        if (type == 3)
            popUpMenu(window);
        else if (type == 2)
            window.setVisible(!window.visible());
    };
    window.屏幕取色.selected = actions.toggleQuickMode;
    window.主界面.selected = [&window] { window.setVisible(true); };
    window.更新.selected = [&window] {
        ::ShellExecuteW(window.handle(), L"open", kUpdatePage, nullptr, nullptr, SW_SHOWNORMAL);
    };
    window.退出.selected = end;
    window.canClose = [&window, end] {
        if (window.选择框3.checked()) {
            window.setVisible(false);
            return false;
        }
        end();
        return false;
    };
    // A tray utility never holds up logging off or shutting down, whatever the close option says.
    window.canEndSession = [] { return true; };
    window.sessionEnding = end;
    window.taskbarCreated = [&window, &tray] { tray.restore(window); };
}

} // namespace ui
