// The hidden label: a named receiver of feedback messages.
#include "ui/controls.h"

namespace ui {

void Label::create(Form&, HWND parent, POINT place) { createOwn(L"MovarilLabel", 0, parent, place); }

LRESULT Label::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kFeedbackMessage)
        return feedback && !eventsSilenced() ? feedback(wParam, lParam) : 0;
    return Control::message(msg, wParam, lParam);
}

} // namespace ui
