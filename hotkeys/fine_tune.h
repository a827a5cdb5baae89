// Fine-tuning mode: while 选择框4 is checked, the arrow keys are global hotkeys that move the pointer by
// one pixel.
#pragma once

#include "hotkeys/registry.h"
#include "ui/main_window.h"

#include <array>

namespace hotkeys {

class FineTune {
public:
    FineTune(Registry& registry, ui::MainWindow& window) : registry_(registry), window_(window) {}

    // Binds 选择框4's click and 标签2's feedback.
    void bind();
    // The ids of Up, Down, Left and Right, 0 where that key is not ours.
    const std::array<int, 4>& ids() const { return ids_; }

private:
    void switched();
    void nudge(int id);

    Registry& registry_;
    ui::MainWindow& window_;
    std::array<int, 4> ids_{};
};

} // namespace hotkeys
