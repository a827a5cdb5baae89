// What every control shares: creating its window from its row, and its background brush.
#include "ui/controls.h"
#include "ui/form.h"

namespace ui {

HWND Control::createStandard(Form& form, const wchar_t* className, DWORD style, DWORD exStyle, HWND parent,
                             POINT place) {
    hwnd_ = ::CreateWindowExW(
        exStyle | row_->exStyle, className, row_->text, WS_CHILD | WS_VISIBLE | style | row_->style, place.x,
        place.y, form.scale(row_->width), form.scale(row_->height), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), ::GetModuleHandleW(nullptr), nullptr);
    if (HFONT font = form.font(row_->font); hwnd_ && font)
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd_;
}

HWND Control::createOwn(Form& form, const wchar_t* className, DWORD style, HWND parent, POINT place) {
    registerClass(className);
    return createWindow(className, row_->text, WS_CHILD | style | row_->style, row_->exStyle, place.x,
                        place.y, form.scale(row_->width), form.scale(row_->height), parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)));
}

void Control::rescaled(Form& form) {
    if (HFONT font = form.font(row_->font); hwnd_ && font)
        ::SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HBRUSH Control::backgroundBrush() {
    if (row_->back == kButtonFace)
        return ::GetSysColorBrush(COLOR_BTNFACE);
    if (!background_)
        background_ = Brush{::CreateSolidBrush(row_->back)};
    return background_.get();
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)), L'\0');
    if (!text.empty())
        text.resize(
            static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size() + 1))));
    return text;
}

} // namespace ui
