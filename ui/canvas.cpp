// The canvas: drawn on straight through its DC, it keeps no image; a repaint shows only its background.
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/paint.h"

namespace ui {

void Canvas::create(Form& form, HWND parent, POINT place) {
    background_ = row_->back;
    pen_ = Pen{::CreatePen(PS_SOLID, form.scale(row_->value), row_->fore)};
    createOwn(form, L"MovarilCanvas", WS_VISIBLE, parent, place);
}

void Canvas::rescaled(Form& form) { pen_ = Pen{::CreatePen(PS_SOLID, form.scale(row_->value), row_->fore)}; }

void Canvas::line(POINT from, POINT to) {
    WindowDC dc(hwnd_);
    if (!dc)
        return;
    Selected pen(dc.get(), pen_.get());
    ::SetROP2(dc.get(), R2_BLACK);
    ::MoveToEx(dc.get(), from.x, from.y, nullptr);
    ::LineTo(dc.get(), to.x, to.y);
}

LRESULT Canvas::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd_, &ps);
        fill(dc, ps.rcPaint, background_);
        ::EndPaint(hwnd_, &ps);
        return 0;
    }
    }
    return Control::message(msg, wParam, lParam);
}

} // namespace ui
