// Start-up: the created handler, and a main window that cannot be created.
#include "support.h"

#include "app/app.h"
#include "ui/handle.h"

#include <gtest/gtest.h>

#include <string>

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
    test::BoxAnswerer box(L"信息：", IDOK);
    int code = app::run();
    EXPECT_EQ(code, 1);
    ASSERT_TRUE(box.answered());
    const std::wstring& text = box.text();
    EXPECT_NE(text.find(L"无法创建主窗口"), std::wstring::npos) << std::string(text.begin(), text.end());
}

} // namespace
