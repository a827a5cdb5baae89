// The hotkey registry.
#include "hotkeys/registry.h"

#include "ui/controls.h"

#include <climits>

namespace hotkeys {
namespace {
// Where the registry's procedure finds its registry: the toolkit owns the window's user data.
constexpr wchar_t kProperty[] = L"Movaril.HotkeyRegistry";
} // namespace

Registry::~Registry() { release(); }

void Registry::intercept(HWND window) {
    if (previous_)
        return;
    window_ = window;
    ::SetPropW(window, kProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Registry::procedure)));
}

void Registry::release() {
    if (!previous_)
        return;
    if (::IsWindow(window_)) {
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
        ::RemovePropW(window_, kProperty);
    }
    previous_ = nullptr;
    window_ = nullptr;
}

int Registry::registerKey(HWND window, HWND target, UINT modifiers, UINT virtualKey) {
    intercept(window);
    int id = ledger_.attempt();
    if (!::RegisterHotKey(window, id, modifiers, virtualKey))
        return 0;
    ledger_.record(id, reinterpret_cast<std::uintptr_t>(target));
    return id;
}

void Registry::unregisterKey(HWND window, int id) {
    ::UnregisterHotKey(window, id);
    if (ledger_.withdraw(id))
        release();
}

LRESULT CALLBACK Registry::procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<Registry*>(::GetPropW(window, kProperty));
    if (!self)
        return ::DefWindowProcW(window, msg, wParam, lParam);
    WNDPROC previous = self->previous_;
    if (msg == WM_HOTKEY && wParam <= static_cast<WPARAM>(INT_MAX)) {
        // Synchronous: the key's handler runs to its end before the message goes on.
        if (auto target = self->ledger_.target(static_cast<int>(wParam)))
            ::SendMessageW(reinterpret_cast<HWND>(*target), ui::kFeedbackMessage, wParam, 0);
    }
    return ::CallWindowProcW(previous, window, msg, wParam, lParam);
}

} // namespace hotkeys
