// Sampling ticks, magnifiers, copying and the drag pick, on real windows and the real screen.
#include "support.h"

#include "colour/magnifier.h"
#include "colour/sampling.h"
#include "pick/copy.h"
#include "pick/drag.h"
#include "resources/resource_ids.h"
#include "ui/float_window.h"
#include "ui/main_window.h"
#include "ui/resource.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <optional>

using namespace std::chrono_literals;

namespace {

constexpr COLORREF kDeepBlue = RGB(10, 5, 200);
constexpr COLORREF kPaleBlue = RGB(171, 205, 239);
// Well away from the centred main window.
constexpr RECT kPatch{100, 100, 200, 200};

class Picking : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.load());
        // As start-up leaves it.
        window.取色窗口.setPicture(ui::resourceBytes(IDR_EYEDROPPER_CUR));
        pick::bindCopyButtons(window);
        pick::bindDragPick(window, magnifier, floating);
    }
    void TearDown() override {
        if (::GetCapture())
            ::ReleaseCapture();
    }

    std::wstring fields() const {
        return window.red.text() + L"|" + window.Green.text() + L"|" + window.Blue.text() + L"|" +
               window.Hex.text() + L"|" + window.Dec.text() + L"|" + window.Rgb.text();
    }
    void press() { ::SendMessageW(window.取色窗口.handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); }
    void release() { ::SendMessageW(window.取色窗口.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10)); }

    ui::MainWindow window;
    ui::FloatWindow floating;
    colour::Magnifier magnifier;
};

TEST_F(Picking, MainTickWritesTheSwatchAndAllSixFields) {
    test::ColourPatch patch(kPatch, kDeepBlue);
    ASSERT_TRUE(patch.shown());
    ::SetCursorPos(patch.centre().x, patch.centre().y);
    colour::mainTick(window);
    EXPECT_EQ(window.颜色.background(), kDeepBlue);
    EXPECT_EQ(fields(), L"10|5|200|#0A05C8|13108490|10,5,200");
}

TEST_F(Picking, FloatingTickWritesOnlyItsSwatchAndHexText) {
    ASSERT_TRUE(floating.load());
    test::ColourPatch patch(kPatch, kPaleBlue);
    ASSERT_TRUE(patch.shown());
    ::SetCursorPos(patch.centre().x, patch.centre().y);
    window.Hex.setText(L"#000000");
    colour::floatTick(floating);
    EXPECT_EQ(floating.Color.background(), kPaleBlue);
    EXPECT_EQ(floating.Tips.text(), L"#ABCDEF");
    EXPECT_EQ(fields(), L"|||#000000||");
    EXPECT_EQ(window.颜色.background(), ui::kButtonFace);
}

TEST_F(Picking, CopyButtonsPutTheirFieldAsItStands) {
    window.Rgb.setText(L"171,205,239");
    ::SendMessageW(window.按钮6.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(test::clipboardText(), "171,205,239");
    // An empty field replaces what was there with the empty text.
    ::SendMessageW(window.按钮1.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(test::clipboardText(), "");
}

TEST_F(Picking, AutoCopyFollowsTheCheckBoxAndTheFormat) {
    window.Dec.setText(L"13108490");
    window.Hex.setText(L"#0A05C8");
    window.Rgb.setText(L"10,5,200");
    const struct {
        bool on;
        int item;
        const char* copied; // nullptr: the clipboard keeps "untouched"
    } cases[] = {{false, 1, nullptr},
                 {true, -1, nullptr},
                 {true, 0, "13108490"},
                 {true, 1, "#0A05C8"},
                 {true, 2, "10,5,200"}};
    for (auto c : cases) {
        test::putClipboardText("untouched");
        window.选择框2.setChecked(c.on);
        window.组合框1.setCurrentItem(c.item);
        ASSERT_EQ(window.组合框1.currentItem(), c.item);
        pick::autoCopy(window);
        EXPECT_EQ(test::clipboardText(), c.copied ? c.copied : "untouched")
            << "on " << c.on << ", item " << c.item;
    }
}

TEST_F(Picking, CopyOrAutoCopyWhileAnotherProgramHoldsTheClipboardChangesNothing) {
    test::ColourPatch patch(kPatch, kPaleBlue);
    ASSERT_TRUE(patch.shown());
    ::SetCursorPos(patch.centre().x, patch.centre().y);
    window.选择框2.setChecked(true);
    const struct {
        const char* name;
        std::function<void()> before, copy;
    } cases[] = {
        {"copy button", [&] { window.Hex.setText(L"#ABCDEF"); },
         [&] { ::SendMessageW(window.按钮4.handle(), BM_CLICK, 0, 0); }},
        {"auto-copy at a drag pick's release",
         [&] {
             press();
             ASSERT_TRUE(test::pumpUntil([&] { return window.Hex.text() == L"#ABCDEF"; }, 2s));
         },
         [&] { release(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::putClipboardText("before");
        c.before();
        std::optional<test::Process> holder;
        holder.emplace(L"..\\fixture\\movaril_fixture.exe", L"--hold-clipboard", "ready");
        ASSERT_TRUE(holder->started());
        auto start = std::chrono::steady_clock::now();
        c.copy();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
        EXPECT_FALSE(test::clipboardText()); // still held: not even we can open it
        holder.reset();
        EXPECT_EQ(test::clipboardText(), "before");
        EXPECT_EQ(::GetCapture(), nullptr);
    }
}

TEST_F(Picking, MainMagnifierWorksBeforeQuickModeWasEverUsed) {
    EXPECT_EQ(colour::floatCanvasWidth(floating), 86);
    EXPECT_FALSE(floating.isCreated());

    test::ColourPatch patch(kPatch, kPaleBlue);
    ASSERT_TRUE(patch.shown());
    ::SetCursorPos(patch.centre().x, patch.centre().y);
    press();
    window.时钟3.periodic();
    HDC dc = ::GetDC(window.画板1.handle());
    EXPECT_EQ(::GetPixel(dc, 5, 5), kPaleBlue);
    EXPECT_EQ(::GetPixel(dc, 77, 77), kPaleBlue); // the 80 x 80 image fills the 78 x 78 client area
    EXPECT_EQ(::GetPixel(dc, 40, 40), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 39, 41), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 44, 40), kPaleBlue);
    ::ReleaseDC(window.画板1.handle(), dc);
    release();
    EXPECT_FALSE(floating.isCreated());
}

TEST_F(Picking, DragPickRunsFromPressToRelease) {
    test::ColourPatch patch(kPatch, kDeepBlue);
    ASSERT_TRUE(patch.shown());
    ::SetCursorPos(patch.centre().x, patch.centre().y);
    window.选择框2.setChecked(true);
    test::putClipboardText("untouched");

    press();
    EXPECT_EQ(::GetCapture(), window.取色窗口.handle());
    EXPECT_EQ(window.取色窗口.picture().size().cx, 39); // the blank picture
    EXPECT_EQ(window.时钟1.period(), 100);
    EXPECT_EQ(window.时钟3.period(), 100);
    EXPECT_TRUE(magnifier.started());
    ASSERT_TRUE(test::pumpUntil([&] { return window.Hex.text() == L"#0A05C8"; }, 2s));

    release();
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(window.取色窗口.picture().size().cx, 32); // the eyedropper again
    EXPECT_EQ(window.时钟1.period(), 0);
    EXPECT_EQ(window.时钟3.period(), 0);
    EXPECT_FALSE(magnifier.started());
    EXPECT_EQ(test::clipboardText(), "#0A05C8");
}

TEST_F(Picking, PressAgainWithoutReleaseLeavesNoDCPairBehind) {
    int before = ui::liveHandles(ui::HandleKind::DC);
    press();
    press();
    EXPECT_EQ(ui::liveHandles(ui::HandleKind::DC), before + 2);
    release();
    EXPECT_EQ(ui::liveHandles(ui::HandleKind::DC), before);
}

TEST_F(Picking, AThousandDragPicksLeaveNoHandleBehind) {
    test::ColourPatch patch(kPatch, kDeepBlue);
    ASSERT_TRUE(patch.shown());
    ::SetCursorPos(patch.centre().x, patch.centre().y);
    window.选择框2.setChecked(true);
    auto before = ui::liveHandleCounts();
    for (int i = 0; i < 1000; ++i) {
        press();
        window.时钟1.periodic();
        window.时钟3.periodic();
        release();
    }
    EXPECT_EQ(ui::liveHandleCounts(), before);
    EXPECT_EQ(fields(), L"10|5|200|#0A05C8|13108490|10,5,200");
}

} // namespace
