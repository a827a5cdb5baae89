// The group box: a titled frame; its children belong to the form, placed inside it.
#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

void GroupBox::create(Form& form, HWND parent, POINT place) {
    // A group box paints only its frame and title; transparent, it lets the form paint its inside even
    // though the form clips its children.
    createStandard(form, L"BUTTON", BS_GROUPBOX, WS_EX_TRANSPARENT, parent, place);
}

HBRUSH GroupBox::colours(HDC dc) {
    ::SetTextColor(dc, resolve(row_->fore));
    ::SetBkColor(dc, resolve(row_->back));
    return backgroundBrush();
}

} // namespace ui
