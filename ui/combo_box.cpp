// The combo box: its row's text holds the items, one per line; the row's height is the dropped list's.
#include "ui/controls.h"
#include "ui/form.h"

#include <string_view>

namespace ui {

void ComboBox::create(Form& form, HWND parent, POINT place) {
    if (!createStandard(form, L"COMBOBOX", WS_TABSTOP, 0, parent, place))
        return;
    std::wstring_view items = row_->text;
    while (!items.empty()) {
        size_t end = items.find(L'\n');
        std::wstring item(items.substr(0, end));
        ::SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        items.remove_prefix(end == std::wstring_view::npos ? items.size() : end + 1);
    }
    // List items one pixel taller than the font gives them. Told to the dropped list itself: some
    // implementations ignore CB_SETITEMHEIGHT on combo boxes that are not owner-drawn.
    COMBOBOXINFO info{.cbSize = sizeof info};
    if (::GetComboBoxInfo(hwnd_, &info)) {
        LRESULT itemHeight = ::SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0);
        ::SendMessageW(info.hwndList, LB_SETITEMHEIGHT, 0, itemHeight + 1);
    }
    setCurrentItem(row_->value);
}

int ComboBox::currentItem() const { return static_cast<int>(::SendMessageW(hwnd_, CB_GETCURSEL, 0, 0)); }

void ComboBox::setCurrentItem(int index) {
    ::SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ComboBox::itemCount() const { return static_cast<int>(::SendMessageW(hwnd_, CB_GETCOUNT, 0, 0)); }

std::wstring ComboBox::item(int index) const {
    LRESULT length = ::SendMessageW(hwnd_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(hwnd_, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

} // namespace ui
