// The options panel toggle, always on top and the About box.
#pragma once

#include "ui/main_window.h"

#include <string>

namespace ui {

// Binds 按钮8 (the options toggle), 选择框1 (always on top) and 超级链接框1 (About).
void bindOptions(MainWindow& window);

// The FileVersion string of a file's version resource, at most 255 characters; empty when it has none.
std::wstring readFileVersion(const std::wstring& path);

} // namespace ui
