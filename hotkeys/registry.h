// The hotkey registry: registers global keys on the main window and turns each press into the feedback
// event of the label named at registration. While any registration is outstanding it sits in front of
// the main window's window procedure.
#pragma once

#include "hotkeys/ledger.h"

#include <windows.h>

namespace hotkeys {

class Registry {
public:
    Registry() = default;
    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;
    ~Registry();

    // Returns the new id, or 0 when Windows refused the key (another program holds it, say).
    int registerKey(HWND window, HWND target, UINT modifiers, UINT virtualKey);
    // 0 and ids that are not registered leave the keys alone but still count as a withdrawal.
    void unregisterKey(HWND window, int id);

    const Ledger& ledger() const { return ledger_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void intercept(HWND window);
    void release();

    Ledger ledger_;
    HWND window_ = nullptr;
    WNDPROC previous_ = nullptr;
};

} // namespace hotkeys
