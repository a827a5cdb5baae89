// Fine-tuning mode.
#include "hotkeys/fine_tune.h"

namespace hotkeys {
namespace {

struct Nudge {
    UINT key;
    int dx, dy;
};
// In slot order; a press is matched against the slots in this order.
constexpr Nudge kNudges[] = {{VK_UP, 0, -1}, {VK_DOWN, 0, 1}, {VK_LEFT, -1, 0}, {VK_RIGHT, 1, 0}};

} // namespace

void FineTune::bind() {
    window_.选择框4.clicked = [this] { switched(); };
    window_.标签2.feedback = [this](WPARAM id, LPARAM) -> LRESULT {
        nudge(static_cast<int>(id));
        return 0;
    };
}

void FineTune::switched() {
    if (!window_.选择框4.checked()) {
        for (int id : ids_)
            registry_.unregisterKey(window_.handle(), id);
        ids_ = {};
        return;
    }
    int answer = ::MessageBoxW(window_.handle(), L"本选项还在测试中，开启可能会有不可预想的BUG，确定要开启吗",
                               L"警告", MB_OKCANCEL | MB_ICONEXCLAMATION | MB_TASKMODAL);
    if (answer != IDOK) {
        window_.选择框4.setChecked(false);
        return;
    }
    for (size_t slot = 0; slot < ids_.size(); ++slot)
        ids_[slot] = registry_.registerKey(window_.handle(), window_.标签2.handle(), 0, kNudges[slot].key);
}

void FineTune::nudge(int id) {
    POINT at;
    if (id == 0 || !::GetCursorPos(&at))
        return;
    for (size_t slot = 0; slot < ids_.size(); ++slot) {
        if (ids_[slot] == id) {
            ::SetCursorPos(at.x + kNudges[slot].dx, at.y + kNudges[slot].dy);
            return;
        }
    }
}

} // namespace hotkeys
