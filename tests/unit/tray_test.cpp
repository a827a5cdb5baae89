// The tray icon, the tray events and menu, the close request and the end of the session, on the real main
// window and the real notification area.
#include "support.h"

#include "resources/resource_ids.h"
#include "ui/main_window.h"
#include "ui/tray.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// Whether the shell holds an icon for the window: changing nothing of an icon succeeds only for one it has.
bool iconShown(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = ui::kTrayIconId;
    return ::Shell_NotifyIconW(NIM_MODIFY, &data);
}

// The shell forgetting the icon, as a restarted shell does.
void forgetIcon(HWND window) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = window;
    data.uID = ui::kTrayIconId;
    ::Shell_NotifyIconW(NIM_DELETE, &data);
}

// The colour image of an icon, top-down, as 0xAARRGGBB; empty unless it is 16 x 16.
std::vector<std::uint32_t> iconPixels(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return {};
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    std::vector<std::uint32_t> pixels;
    if (bitmap.bmWidth == 16 && bitmap.bmHeight == 16) {
        pixels.resize(16 * 16);
        BITMAPINFO format{};
        format.bmiHeader = {.biSize = sizeof(BITMAPINFOHEADER),
                            .biWidth = 16,
                            .biHeight = -16,
                            .biPlanes = 1,
                            .biBitCount = 32,
                            .biCompression = BI_RGB};
        ui::WindowDC screen(nullptr);
        ::GetDIBits(screen.get(), info.hbmColor, 0, 16, pixels.data(), &format, DIB_RGB_COLORS);
    }
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return pixels;
}

std::span<const std::byte> resource(int id, const wchar_t* type) {
    HRSRC found = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    if (!found)
        return {};
    return {static_cast<const std::byte*>(::LockResource(::LoadResource(nullptr, found))),
            ::SizeofResource(nullptr, found)};
}

// The colour pixels of the program icon's last image, as stored: a bitmap header, then 32-bit rows from
// the bottom up.
std::vector<std::uint32_t> lastImagePixels() {
    auto group = resource(IDI_MOVARIL, RT_GROUP_ICON);
    std::uint16_t count = 0, id = 0;
    std::memcpy(&count, group.data() + 4, 2);
    std::memcpy(&id, group.data() + 6 + (count - 1) * 14 + 12, 2);
    auto image = resource(id, RT_ICON);
    BITMAPINFOHEADER header{};
    std::memcpy(&header, image.data(), sizeof header);
    if (header.biWidth != 16 || header.biBitCount != 32)
        return {};
    std::vector<std::uint32_t> pixels(16 * 16);
    for (int row = 0; row < 16; ++row)
        std::memcpy(&pixels[static_cast<size_t>(15 - row) * 16], image.data() + header.biSize + row * 64, 64);
    return pixels;
}

class Tray : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.load());
        ui::bindTray(window, tray,
                     {.toggleQuickMode = [this] { ++toggles; },
                      .exitProgram =
                          [this](unsigned code) {
                              exits.push_back(code);
                              iconShownAtExit = iconShown(window.handle());
                          }});
        tray.install(window);
        ASSERT_TRUE(iconShown(window.handle())) << "no notification area to show the icon in";
    }
    void TearDown() override { tray.remove(window); }

    void trayMessage(LPARAM mouse) {
        ::SendMessageW(window.handle(), ui::kTrayMessage, ui::kTrayIconId, mouse);
    }

    ui::MainWindow window;
    ui::Tray tray;
    int toggles = 0;
    std::vector<unsigned> exits;
    bool iconShownAtExit = true;
};

TEST_F(Tray, IconIsTheSixteenPixelAlphaImageAndReinstallingReplacesIt) {
    const auto expected = lastImagePixels();
    ASSERT_FALSE(expected.empty()) << "the icon's last image is not 16 x 16 with 32 bits";
    EXPECT_EQ(iconPixels(tray.icon()), expected);

    const int icons = ui::liveHandles(ui::HandleKind::Icon);
    HICON first = tray.icon();
    tray.install(window);
    EXPECT_NE(tray.icon(), first);
    EXPECT_EQ(ui::liveHandles(ui::HandleKind::Icon), icons) << "the replaced icon was not destroyed";
    EXPECT_TRUE(iconShown(window.handle()));

    tray.remove(window);
    EXPECT_FALSE(tray.installed());
    EXPECT_FALSE(iconShown(window.handle()));
    EXPECT_EQ(ui::liveHandles(ui::HandleKind::Icon), icons - 1);
    tray.remove(window);
    EXPECT_EQ(ui::liveHandles(ui::HandleKind::Icon), icons - 1);
}

TEST(TrayIconGroup, LastEntryIdIsReadFromTheDirectory) {
    // Directory header (reserved, type, count), then 14-byte entries ending in the image's id.
    auto directory = [](std::uint16_t type, std::uint16_t count, std::vector<std::uint16_t> ids) {
        std::vector<std::byte> bytes;
        auto word = [&](std::uint16_t w) {
            bytes.push_back(std::byte(w & 0xFF));
            bytes.push_back(std::byte(w >> 8));
        };
        word(0);
        word(type);
        word(count);
        for (std::uint16_t id : ids) {
            bytes.insert(bytes.end(), 12, std::byte{7});
            word(id);
        }
        return bytes;
    };
    const struct {
        const char* what;
        std::vector<std::byte> bytes;
        int id;
    } cases[] = {
        {"two entries", directory(1, 2, {5, 9}), 9},
        {"one entry", directory(1, 1, {0x1234}), 0x1234},
        {"no entries", directory(1, 0, {}), 0},
        {"a cursor group", directory(2, 1, {5}), 0},
        {"fewer entries than counted", directory(1, 3, {5, 9}), 0},
        {"a cut header", {std::byte{0}, std::byte{0}, std::byte{1}}, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ui::lastIconId(c.bytes), c.id) << c.what;

    // The program's own group ends with the 16 x 16 image with alpha.
    auto image = resource(ui::lastIconId(resource(IDI_MOVARIL, RT_GROUP_ICON)), RT_ICON);
    ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header{};
    std::memcpy(&header, image.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 16);
    EXPECT_EQ(header.biBitCount, 32);
}

TEST_F(Tray, LeftClicksAndOtherMessagesLeaveTheWindowAlone) {
    for (bool shown : {true, false}) {
        window.setVisible(shown);
        for (LPARAM mouse : {LPARAM{WM_LBUTTONUP}, LPARAM{WM_MOUSEMOVE}, LPARAM{WM_LBUTTONDOWN},
                             LPARAM{WM_RBUTTONDOWN}, LPARAM{WM_RBUTTONDBLCLK}, LPARAM{0x7FFF}}) {
            trayMessage(mouse);
            EXPECT_EQ(window.visible(), shown) << "lParam " << mouse;
        }
    }
    EXPECT_EQ(toggles, 0);
    EXPECT_TRUE(exits.empty());
}

TEST_F(Tray, DoubleClickHidesAShownWindowAndShowsAHiddenOne) {
    ASSERT_TRUE(window.visible());
    // One double click on the icon: first release, double click, second release.
    const LPARAM doubleClick[] = {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    for (LPARAM mouse : doubleClick)
        trayMessage(mouse);
    EXPECT_FALSE(window.visible());
    for (LPARAM mouse : doubleClick)
        trayMessage(mouse);
    EXPECT_TRUE(window.visible());
}

TEST_F(Tray, DoubleClickOnAMinimizedWindowHidesItAndBringsItBackMinimized) {
    ::ShowWindow(window.handle(), SW_MINIMIZE);
    ASSERT_TRUE(window.visible());
    trayMessage(WM_LBUTTONDBLCLK);
    EXPECT_FALSE(window.visible());
    trayMessage(WM_LBUTTONDBLCLK);
    EXPECT_TRUE(window.visible());
    EXPECT_TRUE(::IsIconic(window.handle()));
}

// Runs the tray event of a right click (or a context menu) while another thread waits for the menu,
// notes where it opened and closes it with these keys. Returns the menu's rectangle, empty if none opened.
RECT popUpAndPress(HWND window, LPARAM mouse, const std::vector<WPARAM>& keys) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::atomic<bool> returned = false, found = false;
        RECT menu{};
        std::thread watcher([&] {
            auto end = std::chrono::steady_clock::now() + 5s;
            while (!returned && std::chrono::steady_clock::now() < end) {
                HWND popup = ::FindWindowW(L"#32768", nullptr);
                if (popup && ::IsWindowVisible(popup)) {
                    ::GetWindowRect(popup, &menu);
                    found = true;
                    // The menu's own loop takes keys from the thread's queue, whichever window they are for.
                    for (WPARAM key : keys)
                        ::PostMessageW(window, WM_KEYDOWN, key, 0);
                    return;
                }
                std::this_thread::sleep_for(10ms);
            }
        });
        ::SendMessageW(window, ui::kTrayMessage, ui::kTrayIconId, mouse);
        returned = true;
        watcher.join();
        // Wine cancels the menu of a window when the X server's word that the window, hidden just before,
        // lost the focus arrives while the menu is open; it then hands the foreground to the desktop. The
        // keys meant for the menu are still queued: drop them and open the menu again.
        if (::GetForegroundWindow() != ::GetDesktopWindow())
            return found ? menu : RECT{};
        MSG msg;
        while (::PeekMessageW(&msg, window, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        }
    }
    return {};
}

TEST_F(Tray, RightClickOpensTheMenuLeftOfThePointerAlsoWhileHidden) {
    const POINT pointer{700, 500};
    for (bool shown : {true, false}) {
        for (LPARAM mouse : {LPARAM{WM_RBUTTONUP}, LPARAM{WM_CONTEXTMENU}}) {
            SCOPED_TRACE(testing::Message() << "shown " << shown << ", lParam " << mouse);
            window.setVisible(shown);
            ::SetCursorPos(pointer.x, pointer.y);
            RECT menu = popUpAndPress(window.handle(), mouse, {VK_ESCAPE});
            EXPECT_EQ(menu.right, pointer.x - 5);
            EXPECT_EQ(menu.top, pointer.y - 5);
            EXPECT_GT(menu.bottom - menu.top, 20);
            // A message waits behind the menu; Escape chose nothing, so the window is as it was.
            bool nullPosted = false;
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                nullPosted = nullPosted || (msg.message == WM_NULL && msg.hwnd == window.handle());
                ui::dispatch(msg);
            }
            EXPECT_TRUE(nullPosted);
            EXPECT_EQ(window.visible(), shown);
            EXPECT_EQ(toggles, 0);
            EXPECT_TRUE(exits.empty());
        }
    }
}

// Chooses the tray menu's entry at this index (0 屏幕取色, 1 主界面, 2 更新, 3 退出) as a user does.
void choose(HWND window, int entry) {
    std::vector<WPARAM> keys(static_cast<size_t>(entry) + 1, VK_DOWN);
    keys.push_back(VK_RETURN);
    ASSERT_NE(popUpAndPress(window, WM_RBUTTONUP, keys).bottom, 0) << "no menu";
    // The chosen entry is posted as a command message when the menu closes.
    ui::processPendingMessages();
}

TEST_F(Tray, ScreenPickEntryRunsTheQuickModeToggleAlsoWhileHidden) {
    choose(window.handle(), 0);
    EXPECT_EQ(toggles, 1);
    window.setVisible(false);
    choose(window.handle(), 0);
    EXPECT_EQ(toggles, 2);
    EXPECT_FALSE(window.visible());
}

TEST_F(Tray, MainWindowEntryShowsTheWindowAsItWas) {
    const struct {
        const char* what;
        int show;
        bool iconic;
    } cases[] = {{"hidden", SW_HIDE, false}, {"shown", SW_SHOW, false}, {"minimized", SW_MINIMIZE, true}};
    for (auto c : cases) {
        SCOPED_TRACE(c.what);
        ::ShowWindow(window.handle(), SW_RESTORE);
        ::ShowWindow(window.handle(), c.show);
        choose(window.handle(), 1);
        EXPECT_TRUE(window.visible());
        EXPECT_EQ(::IsIconic(window.handle()) != FALSE, c.iconic);
    }
    EXPECT_EQ(toggles, 0);
}

// HKEY_CLASSES_ROOT of this process replaced by a key of our own in which https URLs open with a command
// that writes the URL into a file, so that no browser starts.
class UrlRecorder {
public:
    UrlRecorder() {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        file_ = std::filesystem::path(temp) / L"movaril-opened-url.txt";
        std::filesystem::remove(file_);
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kClasses, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                          nullptr, &root_, nullptr);
        HKEY command = nullptr;
        ::RegCreateKeyExW(root_, L"https\\shell\\open\\command", 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &command, nullptr);
        std::wstring line = L"cmd.exe /c echo %1>\"" + file_.wstring() + L"\"";
        ::RegSetValueExW(command, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                         static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(command);
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, root_);
    }
    ~UrlRecorder() {
        ::RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        ::RegCloseKey(root_);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, kKey);
        std::filesystem::remove(file_);
    }
    UrlRecorder(const UrlRecorder&) = delete;
    UrlRecorder& operator=(const UrlRecorder&) = delete;

    // The URL the command was given, once it has written it.
    std::string opened() const {
        std::ifstream in(file_);
        std::string line;
        std::getline(in, line);
        return line;
    }

private:
    static constexpr wchar_t kKey[] = L"Software\\MovarilTest";
    static constexpr wchar_t kClasses[] = L"Software\\MovarilTest\\Classes";
    std::filesystem::path file_;
    HKEY root_ = nullptr;
};

TEST_F(Tray, UpdateEntryOpensTheUpdatePage) {
    UrlRecorder recorder;
    choose(window.handle(), 2);
    std::string expected(std::begin(ui::kUpdatePage), std::end(ui::kUpdatePage) - 1);
    EXPECT_TRUE(test::pumpUntil([&] { return recorder.opened().find(expected) != std::string::npos; }, 10s))
        << "opened: " << recorder.opened();
    EXPECT_TRUE(window.visible());
    EXPECT_TRUE(exits.empty());
}

TEST_F(Tray, ExitEntryRemovesTheIconThenExitsWithZero) {
    window.setVisible(false);
    choose(window.handle(), 3);
    EXPECT_EQ(exits, std::vector<unsigned>{0});
    EXPECT_FALSE(iconShownAtExit);
    EXPECT_FALSE(tray.installed());
}

TEST_F(Tray, CloseRequestHidesWhileTheOptionIsCheckedAndExitsOtherwise) {
    ASSERT_TRUE(window.选择框3.checked());
    ::SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(window.isCreated());
    EXPECT_FALSE(window.visible());
    EXPECT_TRUE(iconShown(window.handle()));
    EXPECT_TRUE(exits.empty());
    // Closing a hidden window hides it again and nothing more.
    ::SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(exits.empty());

    window.setVisible(true);
    window.选择框3.setChecked(false);
    ::SendMessageW(window.handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(exits, std::vector<unsigned>{0});
    EXPECT_FALSE(iconShownAtExit);
}

TEST_F(Tray, SessionMayAlwaysEndAndItsEndRemovesTheIconAndExits) {
    for (bool hideOnClose : {true, false}) {
        window.选择框3.setChecked(hideOnClose);
        EXPECT_EQ(::SendMessageW(window.handle(), WM_QUERYENDSESSION, 0, 0), TRUE) << hideOnClose;
        EXPECT_TRUE(window.visible());
        EXPECT_TRUE(exits.empty());
    }
    // The session goes on after all.
    ::SendMessageW(window.handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(exits.empty());
    EXPECT_TRUE(iconShown(window.handle()));

    window.选择框3.setChecked(true);
    ::SendMessageW(window.handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(exits, std::vector<unsigned>{0});
    EXPECT_FALSE(iconShownAtExit);
}

TEST_F(Tray, NewTaskbarGetsTheIconAgain) {
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    forgetIcon(window.handle());
    ASSERT_FALSE(iconShown(window.handle()));
    window.setVisible(false);
    // The shell announces itself to every top-level window, hidden ones included.
    ::SendMessageW(window.handle(), taskbarCreated, 0, 0);
    EXPECT_TRUE(iconShown(window.handle()));

    // After the icon was removed for good, a new taskbar brings nothing back.
    tray.remove(window);
    ::SendMessageW(window.handle(), taskbarCreated, 0, 0);
    EXPECT_FALSE(iconShown(window.handle()));
}

} // namespace
