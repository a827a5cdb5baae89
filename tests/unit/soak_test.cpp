// The soak: thousands of picks and toggles must leave handles, hotkey records, timers, windows and memory
// where they were. Opt-in (label "soak"); `scripts/test --soak` runs it.
#include "support.h"

#include "app/app.h"

#include <gtest/gtest.h>

#include <psapi.h>

namespace {

SIZE_T privateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                           sizeof counters);
    return counters.PrivateUsage;
}

TEST(Soak, ThousandsOfPicksAndTogglesLeaveNothingBehind) {
    app::Program p;
    unsigned exits = 0;
    app::bindHandlers(p, [&](unsigned) { ++exits; });
    ASSERT_TRUE(p.main.load());
    p.quickKey.install();
    p.main.选择框2.setChecked(true);
    test::ColourPatch patch({100, 100, 200, 200}, RGB(10, 5, 200));
    ::SetCursorPos(patch.centre().x, patch.centre().y);

    auto click = [](ui::Control& control) { ::SendMessageW(control.handle(), BM_CLICK, 0, 0); };
    auto menu = [&](ui::MenuItem& item) { ::SendMessageW(p.main.handle(), WM_COMMAND, item.id(), 0); };
    auto round = [&] {
        ::SendMessageW(p.main.取色窗口.handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
        p.main.时钟1.periodic();
        p.main.时钟3.periodic();
        ::SendMessageW(p.main.取色窗口.handle(), WM_LBUTTONUP, 0, 0);
        click(p.main.按钮7); // quick mode on
        p.floating.Get.periodic();
        p.floating.Get1.periodic();
        p.floating.move.periodic();
        menu(p.main.屏幕取色); // and off again from the tray menu
        ui::processPendingMessages();
        click(p.main.按钮8);
        click(p.main.按钮8);
        menu(p.main.主界面);
        click(p.main.按钮4);
    };
    auto fineTuning = [&] {
        test::BoxAnswerer box(L"警告", IDOK);
        click(p.main.选择框4);
        ASSERT_TRUE(box.answered());
        click(p.main.选择框4);
    };
    // Warm up first: the first round makes what lives on (the fonts of a load, caches of the runtime).
    round();
    fineTuning();
    auto handles = ui::liveHandleCounts();
    size_t records = p.registry.ledger().records();
    int outstanding = p.registry.ledger().outstanding();
    SIZE_T memory = privateBytes();

    for (int i = 0; i < 3000; ++i)
        round();
    for (int i = 0; i < 50; ++i)
        fineTuning();

    EXPECT_EQ(ui::liveHandleCounts(), handles);
    EXPECT_EQ(p.registry.ledger().records(), records);
    EXPECT_EQ(p.registry.ledger().outstanding(), outstanding);
    // Allocators keep a little; a leak of even a few bytes a round would show as far more.
    EXPECT_LT(privateBytes(), memory + 256 * 1024) << "grew from " << memory;
    for (ui::Timer* timer :
         {&p.main.时钟1, &p.main.时钟3, &p.floating.Get, &p.floating.Get1, &p.floating.move})
        EXPECT_EQ(timer->period(), 0);
    EXPECT_FALSE(p.floating.isCreated());
    EXPECT_EQ(test::formWindows(), 1);
    EXPECT_EQ(exits, 0u);
    EXPECT_EQ(p.main.按钮8.caption(), L"Seting");
    EXPECT_EQ(test::clipboardText(), "#0A05C8");
    p.registry.unregisterKey(p.main.handle(), p.quickKey.id());
    p.tray.remove(p.main);
}

} // namespace
