// The timer: a WM_TIMER of its form, identified by the control's id.
#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

void Timer::create(Form& form, HWND, POINT) {
    owner_ = form.handle();
    period_ = 0;
    setPeriod(row_->value);
}

void Timer::setPeriod(int milliseconds) {
    if (milliseconds < 0)
        milliseconds = 0;
    if (milliseconds == period_ || !owner_ || !::IsWindow(owner_))
        return;
    // SetTimer on a running id replaces it, so a new period restarts the count.
    if (milliseconds == 0)
        ::KillTimer(owner_, static_cast<UINT_PTR>(id_));
    else
        ::SetTimer(owner_, static_cast<UINT_PTR>(id_), static_cast<UINT>(milliseconds), nullptr);
    period_ = milliseconds;
}

} // namespace ui
