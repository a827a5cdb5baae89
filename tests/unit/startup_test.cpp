// Start-up: the created handler, and a main window that cannot be created.
#include "support.h"

#include "app/app.h"
#include "ui/handle.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace {

TEST(Startup, CreatedHandlerTakesTheGuardAndArmsThePickingBox) {
    app::Program program;
    app::bind(program);
    ui::MainWindow& window = program.main;
    ASSERT_TRUE(window.load());
    ui::Event guard{::OpenEventW(SYNCHRONIZE, FALSE, app::kInstanceEventName)};
    EXPECT_TRUE(guard);
    EXPECT_EQ(window.取色窗口.picture().size().cx, 32);
    EXPECT_NE(window.取色窗口.mousePointer(), nullptr);
    // Over the picking box the pointer is the eyedropper.
    EXPECT_EQ(::SendMessageW(window.取色窗口.handle(), WM_SETCURSOR,
                             reinterpret_cast<WPARAM>(window.取色窗口.handle()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    EXPECT_EQ(::GetCursor(), window.取色窗口.mousePointer());
    EXPECT_TRUE(window.visible());
}

LRESULT CALLBACK refuseForms(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (HIWORD(create->lpszClass) && std::wstring(create->lpszClass) == L"MovarilForm")
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Startup, MainWindowThatCannotBeCreatedIsReportedAndExitsWithOne) {
    ui::Hook hook{::SetWindowsHookExW(WH_CBT, refuseForms, nullptr, ::GetCurrentThreadId())};
    ASSERT_TRUE(hook);
    std::wstring text;
    std::atomic<bool> closed = false;
    std::thread closer([&] {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < end) {
            if (HWND box = ::FindWindowW(L"#32770", L"信息：")) {
                wchar_t buffer[256] = L"";
                ::GetDlgItemTextW(box, 0xFFFF, buffer, 256);
                text = buffer;
                ::PostMessageW(box, WM_COMMAND, IDOK, 0);
                closed = true;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    });
    int code = app::run();
    closer.join();
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(closed);
    EXPECT_NE(text.find(L"无法创建主窗口"), std::wstring::npos) << std::string(text.begin(), text.end());
}

} // namespace
