// The hidden label: a named receiver of feedback messages.
#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

void Label::create(Form& form, HWND parent, POINT place) {
    createOwn(form, L"MovarilLabel", 0, parent, place);
}

LRESULT Label::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kFeedbackMessage)
        return feedback && !eventsSilenced() ? feedback(wParam, lParam) : 0;
    return Control::message(msg, wParam, lParam);
}

} // namespace ui
