// The push button.
#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

void Button::create(Form& form, HWND parent, POINT place) {
    createStandard(form, L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, 0, parent, place);
}

std::wstring Button::caption() const { return windowText(hwnd_); }

void Button::setCaption(const std::wstring& caption) { ::SetWindowTextW(hwnd_, caption.c_str()); }

void Button::command(WORD code) {
    if (code == BN_CLICKED)
        raise(clicked);
}

} // namespace ui
