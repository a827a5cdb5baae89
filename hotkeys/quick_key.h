// The quick-mode key F4: registered at start-up with 标签3 as its receiver, and anew after each quick mode.
#pragma once

#include "hotkeys/registry.h"
#include "ui/main_window.h"

namespace hotkeys {

class QuickKey {
public:
    QuickKey(Registry& registry, ui::MainWindow& window) : registry_(registry), window_(window) {}

    // Start-up: registers F4 and shows in 透明标签9 whether that worked.
    void install();
    // When quick mode ends: withdraws the current id and registers F4 under a new one; the label stays.
    void reRegister();
    // 0 while F4 is not ours.
    int id() const { return id_; }

private:
    int registerF4();

    Registry& registry_;
    ui::MainWindow& window_;
    int id_ = 0;
};

} // namespace hotkeys
