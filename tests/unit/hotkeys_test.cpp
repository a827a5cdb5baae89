// The hotkey registry: its bookkeeping, and key presses reaching the label named at registration.
#include "support.h"

#include "hotkeys/ledger.h"
#include "hotkeys/registry.h"
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(HotkeyLedger, IdsCountsAndRecordsThroughASequence) {
    hotkeys::Ledger ledger;
    struct Step {
        enum { Succeed, Fail, Withdraw } what;
        int id;          // for Withdraw: the id withdrawn; otherwise the id expected
        int outstanding; // after the step
        size_t records;
    };
    const Step steps[] = {
        {Step::Fail, 33001, 1, 0},    // a failed first attempt uses up 33001
        {Step::Succeed, 33002, 2, 1}, // so the next is 33002
        {Step::Withdraw, 0, 1, 1},    // withdrawing the failed one (id 0) still counts
        {Step::Succeed, 33003, 2, 2},  {Step::Withdraw, 33002, 1, 1},
        {Step::Withdraw, 33003, 0, 0}, {Step::Succeed, 33004, 1, 1}, // ids are never given twice
    };
    for (const Step& step : steps) {
        if (step.what == Step::Withdraw) {
            ledger.withdraw(step.id);
        } else {
            int id = ledger.attempt();
            EXPECT_EQ(id, step.id);
            if (step.what == Step::Succeed)
                ledger.record(id, 0x1000 + id);
        }
        EXPECT_EQ(ledger.outstanding(), step.outstanding) << "after id " << step.id;
        EXPECT_EQ(ledger.records(), step.records) << "after id " << step.id;
    }
    EXPECT_EQ(ledger.highest(), 33004);
    EXPECT_EQ(ledger.target(33004), 0x1000u + 33004);
    for (int unknown : {0, -1, 33000, 33001, 33002, 33003, 33005, 40000})
        EXPECT_FALSE(ledger.target(unknown)) << unknown;
}

TEST(HotkeyLedger, LastWithdrawalReportsNoneOutstanding) {
    hotkeys::Ledger ledger;
    ledger.attempt();
    ledger.attempt();
    EXPECT_FALSE(ledger.withdraw(33001));
    EXPECT_TRUE(ledger.withdraw(33002));
}

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.load());
        for (ui::Label* label : {&window.标签2, &window.标签3})
            label->feedback = [this, label](WPARAM id, LPARAM second) -> LRESULT {
                presses.push_back({label, static_cast<int>(id), second});
                return 0;
            };
        original = ::GetWindowLongPtrW(window.handle(), GWLP_WNDPROC);
    }
    void TearDown() override {
        for (int id : registered)
            registry.unregisterKey(window.handle(), id);
    }
    int add(ui::Label& target, UINT key) {
        int id = registry.registerKey(window.handle(), target.handle(), 0, key);
        registered.push_back(id);
        return id;
    }
    void hotkey(WPARAM id) { ::SendMessageW(window.handle(), WM_HOTKEY, id, 0); }

    struct Press {
        ui::Label* label;
        int id;
        LPARAM second;
        bool operator==(const Press&) const = default;
    };
    ui::MainWindow window;
    hotkeys::Registry registry;
    std::vector<Press> presses;
    std::vector<int> registered;
    LONG_PTR original = 0;
};

TEST_F(Registry, PressesReachTheirOwnLabelAndOthersPassUntouched) {
    int f4 = add(window.标签3, VK_F4);
    int up = add(window.标签2, VK_UP);
    ASSERT_EQ(f4, 33001);
    ASSERT_EQ(up, 33002);
    EXPECT_NE(::GetWindowLongPtrW(window.handle(), GWLP_WNDPROC), original);
    hotkey(33002);
    hotkey(33001);
    for (WPARAM unknown : {WPARAM{0}, WPARAM{33000}, WPARAM{33003}, WPARAM{5}, ~WPARAM{0}})
        hotkey(unknown);
    EXPECT_EQ(presses, (std::vector<Press>{{&window.标签2, 33002, 0}, {&window.标签3, 33001, 0}}));
}

TEST_F(Registry, InterceptionEndsWithTheLastWithdrawal) {
    int f4 = registry.registerKey(window.handle(), window.标签3.handle(), 0, VK_F4);
    registry.unregisterKey(window.handle(), f4);
    EXPECT_EQ(::GetWindowLongPtrW(window.handle(), GWLP_WNDPROC), original);
    hotkey(static_cast<WPARAM>(f4));
    EXPECT_TRUE(presses.empty());
    // The window keeps working as before.
    window.按钮7.setCaption(L"x");
    EXPECT_EQ(window.按钮7.caption(), L"x");
}

TEST_F(Registry, KeyHeldByAnotherProgramGivesZeroAndUsesUpItsId) {
    test::Process holder(L"..\\fixture\\movaril_fixture.exe", L"--hold-hotkey 115", "ready");
    ASSERT_TRUE(holder.started());
    EXPECT_EQ(add(window.标签3, VK_F4), 0);
    EXPECT_EQ(add(window.标签2, VK_DOWN), 33002);
    EXPECT_EQ(registry.ledger().outstanding(), 2);
}

} // namespace
