// The check box: automatic, so the mark has changed before clicked is raised.
#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

void CheckBox::create(Form& form, HWND parent, POINT place) {
    if (createStandard(form, L"BUTTON", BS_AUTOCHECKBOX | BS_MULTILINE | BS_VCENTER | WS_TABSTOP, 0, parent,
                       place))
        setChecked(row_->value != 0);
}

bool CheckBox::checked() const { return ::SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckBox::setChecked(bool checked) {
    ::SendMessageW(hwnd_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::command(WORD code) {
    if (code == BN_CLICKED)
        raise(clicked);
}

HBRUSH CheckBox::colours(HDC dc) {
    ::SetTextColor(dc, resolve(row_->fore));
    ::SetBkColor(dc, resolve(row_->back));
    return backgroundBrush();
}

} // namespace ui
