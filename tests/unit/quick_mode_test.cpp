// Quick mode and fine-tuning mode with real windows, timers, hotkeys and message boxes.
#include "support.h"

#include "app/app.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <utility>

using namespace std::chrono_literals;

namespace {

class QuickMode : public ::testing::Test {
protected:
    void SetUp() override {
        // Everything of the program but the created handler, which would take the single-instance guard.
        app::bindHandlers(p, [](unsigned) {});
        ASSERT_TRUE(p.main.load());
        p.quickKey.install();
    }
    void TearDown() override {
        if (p.quickMode.on())
            p.quickMode.toggle();
        ui::processPendingMessages();
        p.registry.unregisterKey(p.main.handle(), p.quickKey.id());
        for (int id : p.fineTune.ids())
            if (id)
                p.registry.unregisterKey(p.main.handle(), id);
    }

public:
    // The three callers: the button, the tray entry (the toggle itself) and F4 through the registry.
    void click() { ::SendMessageW(p.main.按钮7.handle(), BM_CLICK, 0, 0); }
    void f4() { ::SendMessageW(p.main.handle(), WM_HOTKEY, static_cast<WPARAM>(p.quickKey.id()), 0); }
    // Caption, 时钟1 and the floating window agree, after the posted destroy has been carried out.
    void expectState(bool on) {
        ui::processPendingMessages();
        EXPECT_EQ(p.main.按钮7.caption(), on ? L"F4 结束" : L"F4 开始");
        EXPECT_EQ(p.main.时钟1.period(), on ? 100 : 0);
        EXPECT_EQ(p.floating.isCreated(), on);
        EXPECT_EQ(test::formWindows(L""), on ? 1 : 0);
    }

    app::Program p;
};

TEST_F(QuickMode, EveryCallerStartsAndEndsItAlike) {
    EXPECT_EQ(p.main.透明标签9.text(), L"热键[Yes]");
    const struct {
        const char* name;
        void (QuickMode::*start)();
        void (QuickMode::*end)();
    } cases[] = {
        {"button, button", &QuickMode::click, &QuickMode::click},
        {"F4, F4", &QuickMode::f4, &QuickMode::f4},
        {"F4, button", &QuickMode::f4, &QuickMode::click},
        {"button, F4", &QuickMode::click, &QuickMode::f4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        (this->*c.start)();
        expectState(true);
        (this->*c.end)();
        expectState(false);
    }
    p.quickMode.toggle();
    expectState(true);
    p.quickMode.toggle();
    expectState(false);
}

TEST_F(QuickMode, FloatingWindowRunsItsTimersAndFollowsThePointer) {
    click();
    EXPECT_EQ(p.floating.Get.period(), 100);
    EXPECT_EQ(p.floating.Get1.period(), 100);
    EXPECT_EQ(p.floating.move.period(), 1);
    EXPECT_TRUE(p.floatMagnifier.started());
    ::SetCursorPos(300, 200);
    ASSERT_TRUE(test::pumpUntil(
        [&] {
            RECT rect;
            ::GetWindowRect(p.floating.handle(), &rect);
            return rect.left == 315 && rect.top == 215 && rect.right == 315 + 172 && rect.bottom == 215 + 86;
        },
        2s));
    click();
    EXPECT_FALSE(p.floatMagnifier.started());
}

TEST_F(QuickMode, EndCopiesTheMainFieldAndGivesF4ANewIdThatWorks) {
    p.main.选择框2.setChecked(true);
    test::putClipboardText("untouched");
    int first = p.quickKey.id();
    f4();
    p.main.Hex.setText(L"#ABCDEF");
    p.floating.Tips.setText(L"#000000");
    f4();
    EXPECT_EQ(test::clipboardText(), "#ABCDEF");
    EXPECT_GT(p.quickKey.id(), first);
    // The old id is gone; the new one toggles.
    ::SendMessageW(p.main.handle(), WM_HOTKEY, static_cast<WPARAM>(first), 0);
    expectState(false);
    f4();
    expectState(true);
}

TEST_F(QuickMode, PressesQueuedDuringStartNeverLeaveASecondWindow) {
    // F4 held down: repeats are waiting when the floating window's created handler dispatches the queue.
    for (int i = 0; i < 5; ++i)
        ::PostMessageW(p.main.handle(), WM_HOTKEY, static_cast<WPARAM>(p.quickKey.id()), 0);
    click();
    expectState(true);
    // An end and a start in one pass: the start gets a fresh window, not the one being destroyed.
    click();
    click();
    expectState(true);
    HWND window = p.floating.handle();
    ui::processPendingMessages();
    EXPECT_EQ(p.floating.handle(), window);
    EXPECT_TRUE(::IsWindow(window));
}

LRESULT CALLBACK refuseFloatingWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
        if (HIWORD(create->lpszClass) && std::wstring(create->lpszClass) == L"MovarilForm" &&
            std::wstring(create->lpszName ? create->lpszName : L"") == L"")
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(QuickMode, FloatingWindowThatCannotBeCreatedStillTogglesCleanly) {
    ui::Hook hook{::SetWindowsHookExW(WH_CBT, refuseFloatingWindow, nullptr, ::GetCurrentThreadId())};
    click();
    EXPECT_EQ(p.main.按钮7.caption(), L"F4 结束");
    EXPECT_EQ(p.main.时钟1.period(), 100);
    EXPECT_FALSE(p.floating.isCreated());
    click();
    expectState(false);
}

TEST_F(QuickMode, F4HeldByAnotherProgramShowsNoAndTheButtonStillWorks) {
    p.registry.unregisterKey(p.main.handle(), p.quickKey.id());
    test::Process holder(L"..\\fixture\\movaril_fixture.exe", L"--hold-hotkey 115", "ready");
    ASSERT_TRUE(holder.started());
    p.quickKey.install();
    EXPECT_EQ(p.quickKey.id(), 0);
    EXPECT_EQ(p.main.透明标签9.text(), L"热键[No]");
    click();
    expectState(true);
    click();
    expectState(false);
}

// Drag picks and quick mode share 时钟1: whichever started first, the release stops it, and the
// magnifiers keep to their own canvases.
TEST_F(QuickMode, DragPickAndQuickModeOverlapInEitherOrder) {
    test::ColourPatch patch({100, 100, 200, 200}, RGB(171, 205, 239));
    ASSERT_TRUE(patch.shown());
    ::SetCursorPos(patch.centre().x, patch.centre().y);
    const HWND box = p.main.取色窗口.handle();
    auto press = [&] { ::SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); };
    auto release = [&] { ::SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(10, 10)); };
    // A corner pixel and the dot in the middle of the canvas's image.
    auto cornerAndDot = [](ui::Canvas& canvas, int middle) {
        HDC dc = ::GetDC(canvas.handle());
        std::pair pixels{::GetPixel(dc, 5, 5), ::GetPixel(dc, middle, middle)};
        ::ReleaseDC(canvas.handle(), dc);
        return pixels;
    };
    const std::pair expected{RGB(171, 205, 239), RGB(0, 0, 0)};
    for (bool dragFirst : {false, true}) {
        SCOPED_TRACE(dragFirst ? "drag pick, then quick mode" : "quick mode, then drag pick");
        if (dragFirst) {
            press();
            f4();
        } else {
            f4();
            press();
        }
        EXPECT_EQ(p.main.时钟1.period(), 100);
        EXPECT_EQ(p.main.时钟3.period(), 100);
        ASSERT_TRUE(p.mainMagnifier.started() && p.floatMagnifier.started());
        p.main.时钟3.periodic();
        p.floating.Get1.periodic();
        EXPECT_EQ(cornerAndDot(p.main.画板1, 40), expected);
        EXPECT_EQ(cornerAndDot(p.floating.画板1, 43), expected);

        release();
        // Quick mode goes on with the floating window's own timers; the fields keep the drag pick's colour.
        EXPECT_EQ(p.main.按钮7.caption(), L"F4 结束");
        EXPECT_EQ(p.main.时钟1.period(), 0);
        EXPECT_EQ(p.main.时钟3.period(), 0);
        EXPECT_FALSE(p.mainMagnifier.started());
        EXPECT_TRUE(p.floatMagnifier.started());
        EXPECT_EQ(p.floating.Get.period(), 100);
        EXPECT_EQ(p.floating.Get1.period(), 100);
        EXPECT_EQ(p.floating.move.period(), 1);
        EXPECT_EQ(::GetCapture(), nullptr);
        f4();
        expectState(false);
    }
}

TEST_F(QuickMode, FineTuningAsksFirstThenNudgesByOnePixel) {
    {
        test::BoxAnswerer box(L"警告", IDCANCEL);
        ::SendMessageW(p.main.选择框4.handle(), BM_CLICK, 0, 0);
        ASSERT_TRUE(box.answered());
        EXPECT_EQ(box.text(), L"本选项还在测试中，开启可能会有不可预想的BUG，确定要开启吗");
        EXPECT_EQ(box.owner(), p.main.handle());
    }
    EXPECT_FALSE(p.main.选择框4.checked());
    EXPECT_EQ(p.fineTune.ids(), (std::array<int, 4>{}));

    {
        test::BoxAnswerer box(L"警告", IDOK);
        ::SendMessageW(p.main.选择框4.handle(), BM_CLICK, 0, 0);
        ASSERT_TRUE(box.answered());
    }
    EXPECT_TRUE(p.main.选择框4.checked());
    auto ids = p.fineTune.ids();
    const struct { int slot, dx, dy; } nudges[] = {{0, 0, -1}, {1, 0, 1}, {2, -1, 0}, {3, 1, 0}};
    for (auto n : nudges) {
        ASSERT_NE(ids[n.slot], 0);
        ::SetCursorPos(400, 300);
        ::SendMessageW(p.main.handle(), WM_HOTKEY, static_cast<WPARAM>(ids[n.slot]), 0);
        POINT at;
        ::GetCursorPos(&at);
        EXPECT_EQ(at.x, 400 + n.dx) << "slot " << n.slot;
        EXPECT_EQ(at.y, 300 + n.dy) << "slot " << n.slot;
    }
    // F4 still toggles quick mode beside the arrow keys.
    f4();
    expectState(true);
    f4();
    expectState(false);

    int outstanding = p.registry.ledger().outstanding();
    ::SendMessageW(p.main.选择框4.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(p.registry.ledger().outstanding(), outstanding - 4);
    ::SetCursorPos(400, 300);
    ::SendMessageW(p.main.handle(), WM_HOTKEY, static_cast<WPARAM>(ids[0]), 0);
    POINT at;
    ::GetCursorPos(&at);
    EXPECT_EQ(at.y, 300);
}

} // namespace

namespace {

TEST_F(QuickMode, ArrowKeyHeldByAnotherProgramLeavesTheOtherNudgesWorking) {
    test::Process holder(L"..\\fixture\\movaril_fixture.exe", L"--hold-hotkey 38", "ready");
    ASSERT_TRUE(holder.started());
    test::BoxAnswerer box(L"警告", IDOK);
    ::SendMessageW(p.main.选择框4.handle(), BM_CLICK, 0, 0);
    ASSERT_TRUE(box.answered());
    EXPECT_TRUE(p.main.选择框4.checked());
    auto ids = p.fineTune.ids();
    EXPECT_EQ(ids[0], 0); // Up belongs to the other program
    ::SetCursorPos(400, 300);
    ::SendMessageW(p.main.handle(), WM_HOTKEY, static_cast<WPARAM>(ids[3]), 0);
    POINT at;
    ::GetCursorPos(&at);
    EXPECT_EQ(at.x, 401);
    // Unchecking withdraws all four, the failed one included.
    int outstanding = p.registry.ledger().outstanding();
    ::SendMessageW(p.main.选择框4.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(p.registry.ledger().outstanding(), outstanding - 4);
}

} // namespace
