// The edit box: a standard EDIT whose colours come from its row, also while it is read-only.
#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

void Edit::create(Form& form, HWND parent, POINT place) {
    createStandard(form, L"EDIT", WS_TABSTOP, 0, parent, place);
}

std::wstring Edit::text() const { return windowText(hwnd_); }

void Edit::setText(const std::wstring& text) { ::SetWindowTextW(hwnd_, text.c_str()); }

HBRUSH Edit::colours(HDC dc) {
    // A read-only edit asks with WM_CTLCOLORSTATIC and would otherwise turn grey.
    ::SetTextColor(dc, resolve(row_->fore));
    ::SetBkColor(dc, resolve(row_->back));
    return backgroundBrush();
}

} // namespace ui
