// The quick-mode key F4.
#include "hotkeys/quick_key.h"

namespace hotkeys {

int QuickKey::registerF4() {
    return registry_.registerKey(window_.handle(), window_.标签3.handle(), 0, VK_F4);
}

void QuickKey::install() {
    id_ = registerF4();
    window_.透明标签9.setText(id_ ? L"热键[Yes]" : L"热键[No]");
}

void QuickKey::reRegister() {
    registry_.unregisterKey(window_.handle(), id_);
    id_ = registerF4();
}

} // namespace hotkeys
