// The options panel toggle, always on top and the About box.
#pragma once

#include "ui/main_window.h"

#include <string>

namespace ui {

// The About text before the version.
inline constexpr wchar_t kAboutText[] = L"Movaril：拖动吸管或按 F4，即可读取屏幕上任意一点的颜色。\r\n"
                                        L"托盘图标右键可打开菜单，双击可显示或隐藏主界面。\r\n\r\n"
                                        L"当前版本：";

// Binds 按钮8 (the options toggle), 选择框1 (always on top) and 超级链接框1 (About).
void bindOptions(MainWindow& window);

// The FileVersion string of a file's version resource, at most 255 characters; empty when it has none.
std::wstring readFileVersion(const std::wstring& path);

// The full path of the running program, whatever characters it holds.
std::wstring programPath();

} // namespace ui
