// The toolkit's properties, events and window operations on real windows.
#include "support.h"

#include "ui/form.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

using namespace std::chrono_literals;

namespace {

struct TestForm : ui::Form {
    TestForm();
    ui::PictureBox box;
    ui::TransparentLabel caption;
    ui::Hyperlink link;
    ui::Label receiver;
    ui::Button button;
    ui::Edit edit;
    ui::Canvas canvas;
    ui::Timer timer;
    ui::Timer designed;
    ui::PopupMenu menu;
    ui::MenuItem first, second;
};

using F = TestForm;
constexpr ui::FormSpec kSpec{.title = L"toolkit test",
                             .style = WS_POPUP | WS_CLIPCHILDREN,
                             .exStyle = 0,
                             .width = 400,
                             .height = 300,
                             .background = ui::kButtonFace,
                             .activate = false};
// clang-format off
constexpr ui::Row kLayout[] = {
    {"box", ui::field<&F::box>, ui::Kind::PictureBox, nullptr, 10, 10, 100, 80, L"", 0, RGB(200, 30, 40)},
    {"caption", ui::field<&F::caption>, ui::Kind::TransparentLabel, "box", 10, 50, 80, 20, L"■■■■", ui::kStandardFont, 0, RGB(0, 0, 0), 0, SS_CENTER},
    {"link", ui::field<&F::link>, ui::Kind::Hyperlink, nullptr, 120, 10, 90, 24, L"■■■■", -14, ui::kButtonFace, RGB(0, 0, 255), RGB(255, 0, 0)},
    {"receiver", ui::field<&F::receiver>, ui::Kind::Label},
    {"button", ui::field<&F::button>, ui::Kind::Button, nullptr, 120, 50, 80, 24, L"F4 开始"},
    {"edit", ui::field<&F::edit>, ui::Kind::Edit, nullptr, 120, 80, 80, 24, L"", ui::kStandardFont, RGB(255, 255, 255), 0, 0, ES_READONLY},
    {"canvas", ui::field<&F::canvas>, ui::Kind::Canvas, nullptr, 220, 10, 86, 86, L"", 0, RGB(255, 255, 255), 0, 0, 0, 0, 5},
    {"timer", ui::field<&F::timer>, ui::Kind::Timer},
    {"designed", ui::field<&F::designed>, ui::Kind::Timer, nullptr, 0, 0, 0, 0, L"", 0, 0, 0, 0, 0, 0, 100},
    {"menu", ui::field<&F::menu>, ui::Kind::Menu},
    {"first", ui::field<&F::first>, ui::Kind::MenuItem, "menu", 0, 0, 0, 0, L"一"},
    {"second", ui::field<&F::second>, ui::Kind::MenuItem, "menu", 0, 0, 0, 0, L"二"},
};
// clang-format on
TestForm::TestForm() : ui::Form(kSpec, kLayout) {}

class Toolkit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(form.load()); }
    TestForm form;
};

// Milliseconds from `start` to the first tick of `timer`, or nothing within `limit`.
std::optional<long long> firstTick(ui::Timer& timer, std::chrono::steady_clock::time_point start,
                                   std::chrono::milliseconds limit) {
    std::optional<long long> at;
    timer.periodic = [&] {
        if (!at)
            at = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                       start)
                     .count();
    };
    test::pumpUntil([&] { return at.has_value(); }, limit);
    timer.periodic = nullptr;
    return at;
}

TEST_F(Toolkit, TimerPeriodRules) {
    struct Step {
        int atMs, period;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        int expectedPeriod;
        int earliest, latest; // window for the first tick after the first step; -1: no tick at all
    };
    const Case cases[] = {
        {"starting waits one period", {{0, 100}}, 100, 90, 190},
        {"the same period neither restarts nor fires", {{0, 200}, {120, 200}}, 200, 190, 290},
        {"another period restarts the count", {{0, 200}, {120, 150}}, 150, 260, 380},
        {"zero stops", {{0, 100}, {40, 0}}, 0, -1, -1},
        {"a negative period stops too", {{0, 100}, {40, -5}}, 0, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form.timer.setPeriod(0);
        auto start = std::chrono::steady_clock::now();
        std::optional<long long> tick;
        form.timer.periodic = [&] {
            if (!tick)
                tick = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
        };
        for (const Step& step : c.steps) {
            test::pumpUntil([&] {
                return std::chrono::steady_clock::now() - start >= std::chrono::milliseconds(step.atMs);
            });
            form.timer.setPeriod(step.period);
        }
        EXPECT_EQ(form.timer.period(), c.expectedPeriod);
        if (c.earliest < 0) {
            test::pumpFor(400ms);
            EXPECT_FALSE(tick) << "ticked at " << *tick << " ms";
        } else {
            ASSERT_TRUE(test::pumpUntil([&] { return tick.has_value(); }, 1s));
            EXPECT_GE(*tick, c.earliest);
            EXPECT_LE(*tick, c.latest);
        }
        form.timer.periodic = nullptr;
    }
    form.timer.setPeriod(0);
}

TEST_F(Toolkit, DesignPeriodStartsAtCreationAndDiesWithTheWindow) {
    EXPECT_EQ(form.designed.period(), 100);
    auto tick = firstTick(form.designed, std::chrono::steady_clock::now(), 1s);
    ASSERT_TRUE(tick);
    form.destroy();
    ASSERT_TRUE(test::pumpUntil([&] { return !form.isCreated(); }));
    EXPECT_EQ(form.designed.period(), 0);
    form.designed.setPeriod(100); // no window: nothing to run on
    EXPECT_EQ(form.designed.period(), 0);
}

TEST_F(Toolkit, HeightIsClampedAndKeepsWidthAndPlace) {
    RECT before;
    ::GetWindowRect(form.handle(), &before);
    const struct {
        int requested, expected;
    } cases[] = {{120, 120}, {-5, 0}, {0, 0}, {32627, 32627}, {40000, 32627}, {300, 300}};
    for (auto c : cases) {
        form.setHeight(c.requested);
        RECT after;
        ::GetWindowRect(form.handle(), &after);
        EXPECT_EQ(form.height(), c.expected) << "requested " << c.requested;
        EXPECT_EQ(form.width(), 400);
        EXPECT_EQ(after.left, before.left);
        EXPECT_EQ(after.top, before.top);
    }
}

TEST_F(Toolkit, CaptionsAndTextsReadBackWhatWasSet) {
    EXPECT_EQ(form.button.caption(), L"F4 开始");
    form.button.setCaption(L"F4 结束");
    EXPECT_EQ(form.button.caption(), L"F4 结束");
    form.edit.setText(L"#0A05C8");
    EXPECT_EQ(form.edit.text(), L"#0A05C8");
    form.caption.setText(L"");
    EXPECT_EQ(form.caption.text(), L"");
}

TEST_F(Toolkit, ButtonClickRaisesClicked) {
    int clicks = 0;
    form.button.clicked = [&] { ++clicks; };
    ::SendMessageW(form.button.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(Toolkit, ReadOnlyEditKeepsItsWhiteBackground) {
    HDC dc = ::GetDC(form.edit.handle());
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(form.handle(), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(form.edit.handle())));
    LOGBRUSH info{};
    ::GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(255, 255, 255));
    EXPECT_EQ(::GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(::GetTextColor(dc), RGB(0, 0, 0));
    ::ReleaseDC(form.edit.handle(), dc);
}

TEST_F(Toolkit, PictureIsCentredAtNaturalSizeOverTheBackground) {
    ASSERT_TRUE(form.box.setPicture(test::solidPng(20, 10, RGB(10, 5, 200))));
    // The box is 100 x 80 without a border: the picture covers 40..59 x 35..44.
    auto picture = test::render(form.box.handle());
    EXPECT_EQ(picture.at(40, 35), RGB(10, 5, 200));
    EXPECT_EQ(picture.at(59, 44), RGB(10, 5, 200));
    EXPECT_EQ(picture.at(39, 35), RGB(200, 30, 40));
    EXPECT_EQ(picture.at(40, 45), RGB(200, 30, 40));

    form.box.setBackground(RGB(171, 205, 239));
    ASSERT_TRUE(form.box.setPicture({}));
    EXPECT_TRUE(form.box.picture().empty());
    EXPECT_EQ(test::render(form.box.handle()).at(50, 40), RGB(171, 205, 239));
}

TEST_F(Toolkit, HalfTransparentPictureBlendsWithTheBackground) {
    form.box.setBackground(RGB(0, 0, 0));
    ASSERT_TRUE(form.box.setPicture(test::solidPng(4, 4, RGB(255, 255, 255), 128)));
    COLORREF centre = test::render(form.box.handle()).at(50, 40);
    EXPECT_NEAR(GetRValue(centre), 128, 2);
    EXPECT_NEAR(GetBValue(centre), 128, 2);
}

TEST_F(Toolkit, BadPictureBytesAreRefusedAndKeepThePicture) {
    ASSERT_TRUE(form.box.setPicture(test::solidPng(4, 4, RGB(1, 2, 3))));
    auto damaged = test::solidPng(4, 4, RGB(1, 2, 3));
    damaged.resize(damaged.size() / 2);
    const std::byte junk[] = {std::byte{0}, std::byte{0}, std::byte{2}, std::byte{0}, std::byte{1}};
    EXPECT_FALSE(form.box.setPicture(damaged));
    EXPECT_FALSE(form.box.setPicture(junk));
    EXPECT_FALSE(form.box.setMousePointer(junk));
    EXPECT_FALSE(form.box.picture().empty());
}

TEST_F(Toolkit, TransparentLabelShowsItsParentUnderItsText) {
    auto label = test::render(form.caption.handle());
    EXPECT_EQ(label.at(0, 0), RGB(200, 30, 40));
    EXPECT_TRUE(label.contains(RGB(0, 0, 0), {0, 0, 80, 20}));

    form.box.setBackground(RGB(171, 205, 239));
    EXPECT_EQ(test::render(form.caption.handle()).at(0, 0), RGB(171, 205, 239));
}

TEST_F(Toolkit, HyperlinkColoursFollowHoverAndNormalColour) {
    const RECT all{0, 0, 90, 24};
    EXPECT_TRUE(test::render(form.link.handle()).contains(RGB(0, 0, 255), all));
    form.link.setNormalColour(RGB(0, 128, 0));
    EXPECT_TRUE(test::render(form.link.handle()).contains(RGB(0, 128, 0), all));
    ::SendMessageW(form.link.handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(form.link.hovered());
    EXPECT_TRUE(test::render(form.link.handle()).contains(RGB(255, 0, 0), all));
    ::SendMessageW(form.link.handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(form.link.hovered());
}

TEST_F(Toolkit, HyperlinkFiresOnlyForAReleaseInsideIt) {
    int released = 0;
    form.link.leftReleased = [&](int, int) { ++released; };
    ::SendMessageW(form.link.handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 5));
    EXPECT_EQ(released, 0);
    ::SendMessageW(form.link.handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    EXPECT_EQ(released, 1);
}

TEST_F(Toolkit, CanvasLineIsABlackDotOfThePenWidth) {
    ::ShowWindow(form.handle(), SW_SHOWNA);
    ASSERT_TRUE(test::pumpUntil([&] { return ::IsWindowVisible(form.canvas.handle()); }));
    ::UpdateWindow(form.handle());
    form.canvas.line({43, 43}, {43, 43});
    HDC dc = ::GetDC(form.canvas.handle());
    EXPECT_EQ(::GetPixel(dc, 43, 43), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 44, 44), RGB(0, 0, 0));
    EXPECT_EQ(::GetPixel(dc, 50, 43), RGB(255, 255, 255));
    ::ReleaseDC(form.canvas.handle(), dc);
}

TEST_F(Toolkit, LabelFeedbackHandsOverBothIntegersAndItsResult) {
    EXPECT_EQ(::SendMessageW(form.receiver.handle(), ui::kFeedbackMessage, 33001, 0), 0);
    WPARAM first = 0;
    LPARAM second = 1;
    form.receiver.feedback = [&](WPARAM w, LPARAM l) -> LRESULT {
        first = w;
        second = l;
        return 42;
    };
    EXPECT_EQ(::SendMessageW(form.receiver.handle(), ui::kFeedbackMessage, 33001, 7), 42);
    EXPECT_EQ(first, 33001u);
    EXPECT_EQ(second, 7);
}

TEST_F(Toolkit, DestroyIsPostedAndDoneAfterTheRunningHandler) {
    bool createdAfterDestroy = false;
    form.receiver.feedback = [&](WPARAM, LPARAM) -> LRESULT {
        form.destroy();
        createdAfterDestroy = form.isCreated();
        return 0;
    };
    ::SendMessageW(form.receiver.handle(), ui::kFeedbackMessage, 0, 0);
    EXPECT_TRUE(createdAfterDestroy);
    ui::processPendingMessages();
    EXPECT_FALSE(form.isCreated());
    EXPECT_EQ(form.box.handle(), nullptr);
}

TEST_F(Toolkit, LoadAfterADestroyRequestMakesANewWindow) {
    HWND old = form.handle();
    int loads = 0;
    form.created = [&] { ++loads; };
    form.destroy();
    ASSERT_TRUE(form.load());
    EXPECT_EQ(loads, 1);
    EXPECT_FALSE(::IsWindow(old));
    EXPECT_NE(form.handle(), old);
    ui::processPendingMessages(); // the old request must not take the new window
    EXPECT_TRUE(form.isCreated());
}

TEST_F(Toolkit, PendingMessagesAreDispatchedAndQuitIsKept) {
    int received = 0;
    form.receiver.feedback = [&](WPARAM, LPARAM) -> LRESULT { return ++received; };
    ::PostMessageW(form.receiver.handle(), ui::kFeedbackMessage, 0, 0);
    ::PostMessageW(form.receiver.handle(), ui::kFeedbackMessage, 0, 0);
    ::PostQuitMessage(3);
    ui::processPendingMessages();
    EXPECT_EQ(received, 2);
    MSG msg;
    ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(Toolkit, CloseAsksCanCloseFirst) {
    bool allow = false;
    int asked = 0;
    form.canClose = [&] {
        ++asked;
        return allow;
    };
    EXPECT_EQ(::SendMessageW(form.handle(), WM_QUERYENDSESSION, 0, 0), FALSE);
    ::SendMessageW(form.handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(form.isCreated());
    allow = true;
    EXPECT_EQ(::SendMessageW(form.handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    ::SendMessageW(form.handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.isCreated());
    EXPECT_EQ(asked, 4);
}

TEST_F(Toolkit, TrayMessagesMapToEventTypes) {
    const struct {
        LPARAM mouse;
        int type; // 0: no event
    } cases[] = {{WM_LBUTTONUP, 1}, {WM_LBUTTONDBLCLK, 2}, {WM_RBUTTONUP, 3}, {WM_CONTEXTMENU, 3},
                 {WM_MOUSEMOVE, 0}, {WM_LBUTTONDOWN, 0},   {0x7FFF, 0}};
    for (auto c : cases) {
        int raised = 0;
        form.trayEvent = [&](int type) { raised = type; };
        EXPECT_EQ(::SendMessageW(form.handle(), ui::kTrayMessage, 100, c.mouse), 0);
        EXPECT_EQ(raised, c.type) << "lParam " << c.mouse;
    }
}

TEST_F(Toolkit, MoveToPlacesTheCornerAndKeepsTheSize) {
    form.moveTo(37, 41);
    RECT rect;
    ::GetWindowRect(form.handle(), &rect);
    EXPECT_EQ(rect.left, 37);
    EXPECT_EQ(rect.top, 41);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 300);
}

TEST_F(Toolkit, MenuEntryRaisesSelectedAndUnknownCommandsAreIgnored) {
    int chosen = 0;
    form.second.selected = [&] { chosen = 2; };
    ::SendMessageW(form.handle(), WM_COMMAND, MAKEWPARAM(form.second.id(), 0), 0);
    EXPECT_EQ(chosen, 2);
    chosen = 0;
    for (WPARAM id : {WPARAM{0}, WPARAM{1}, WPARAM{2}, WPARAM{99}, WPARAM{5000}, WPARAM{0xFFFF}})
        ::SendMessageW(form.handle(), WM_COMMAND, id, 0);
    EXPECT_EQ(chosen, 0);
}

TEST_F(Toolkit, PopUpShowsTheEntriesInOrder) {
    // Pick the second entry with the keyboard from inside the menu's own loop.
    std::vector<std::wstring> shown;
    form.first.selected = [&] { shown.push_back(L"一"); };
    form.second.selected = [&] { shown.push_back(L"二"); };
    ::ShowWindow(form.handle(), SW_SHOW);
    ::SetForegroundWindow(form.handle());
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        ::PostMessageW(form.handle(), WM_KEYDOWN, key, 0);
    form.menu.popUp(TPM_LEFTALIGN, 100, 100);
    ASSERT_TRUE(test::pumpUntil([&] { return !shown.empty(); }, 2s));
    EXPECT_EQ(shown, std::vector<std::wstring>{L"二"});
}

TEST(ToolkitHandles, LoadingAndDestroyingFormsLeavesNoHandleBehind) {
    auto before = ui::liveHandleCounts();
    for (int i = 0; i < 50; ++i) {
        TestForm form;
        ASSERT_TRUE(form.load());
        form.box.setPicture(test::solidPng(8, 8, RGB(1, 2, 3)));
        form.canvas.line({1, 1}, {1, 1});
        form.destroy();
        ASSERT_TRUE(test::pumpUntil([&] { return !form.isCreated(); }));
    }
    EXPECT_EQ(ui::liveHandleCounts(), before);
}

} // namespace
