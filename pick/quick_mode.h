// Quick mode: the floating window follows the pointer and shows the colour under it until the toggle
// ends the pick. The caption of 按钮7 is the state: "F4 开始" means off.
#pragma once

#include "colour/magnifier.h"
#include "hotkeys/quick_key.h"
#include "ui/float_window.h"
#include "ui/main_window.h"

namespace pick {

class QuickMode {
public:
    QuickMode(ui::MainWindow& window, ui::FloatWindow& floating, colour::Magnifier& magnifier,
              hotkeys::QuickKey& key)
        : window_(window), floating_(floating), magnifier_(magnifier), key_(key) {}

    // Binds 按钮7, 标签3 (the quick-mode key) and the floating window's created handler and timers.
    void bind();
    // Starts quick mode when it is off, ends it when it is on. The tray menu calls it too.
    void toggle();
    bool on() const;

private:
    void start();
    void end();
    void floatingCreated();
    void follow();

    ui::MainWindow& window_;
    ui::FloatWindow& floating_;
    colour::Magnifier& magnifier_;
    hotkeys::QuickKey& key_;
    // Set while start() loads the floating window, whose created handler dispatches what is queued.
    bool starting_ = false;
};

} // namespace pick
