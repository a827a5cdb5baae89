// Popup menus: built from the rows that name the menu as their parent, for one pop-up at a time.
#include "ui/controls.h"
#include "ui/form.h"

#include <cstring>

namespace ui {

void MenuItem::command(WORD) { raise(selected); }

void PopupMenu::popUp(UINT flags, int x, int y) {
    Menu menu{::CreatePopupMenu()};
    if (!menu)
        return;
    for (const Row& row : form_->layout())
        if (row.kind == Kind::MenuItem && row.parent && std::strcmp(row.parent, row_->name) == 0)
            ::AppendMenuW(menu.get(), MF_STRING, static_cast<UINT_PTR>(form_->control(row).id()), row.text);
    ::TrackPopupMenu(menu.get(), flags, x, y, 0, form_->handle(), nullptr);
}

void PopupMenu::popUpAtCursor() {
    POINT at{};
    ::GetCursorPos(&at);
    popUp(TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y);
}

} // namespace ui
