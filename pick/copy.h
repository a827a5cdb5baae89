// Copying a value field to the clipboard: the six copy buttons and the auto-copy step that ends a pick.
#pragma once

#include "ui/main_window.h"

namespace pick {

// Puts the field's text, as it stands, on the clipboard as CF_TEXT. Does nothing when another program
// holds the clipboard open.
void copyField(const ui::Form& owner, const ui::Edit& field);

// When 选择框2 is checked, copies the field 组合框1 chooses: 0 Dec, 1 Hex, 2 Rgb; anything else nothing.
void autoCopy(ui::MainWindow& window);

// Binds 按钮1 to 按钮6 to their fields.
void bindCopyButtons(ui::MainWindow& window);

} // namespace pick
