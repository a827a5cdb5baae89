// The main window: the picking box, swatch, magnifier, the six value fields with their copy buttons, the
// options toggle and, below the start-up height, the options panel.
#pragma once

#include "ui/form.h"

namespace ui {

struct MainWindow : Form {
    MainWindow();

    PictureBox 取色窗口; // the picking box
    PictureBox 颜色;     // the swatch
    Canvas 画板1;        // the main magnifier
    TransparentLabel 透明标签1, 透明标签2, 透明标签3, 透明标签6, 透明标签7, 透明标签8;
    Edit red, Green, Blue, Hex, Dec, Rgb;
    Button 按钮1, 按钮2, 按钮3, 按钮4, 按钮5, 按钮6;
    Button 按钮8; // the options toggle
    GroupBox 分组框2;
    CheckBox 选择框1; // always on top
    CheckBox 选择框3; // hide to the tray on close
    CheckBox 选择框4; // fine-tuning mode
    CheckBox 选择框2; // auto-copy
    ComboBox 组合框1; // auto-copy format
    GroupBox 分组框1;
    Button 按钮7;               // quick mode
    TransparentLabel 透明标签9; // hotkey status
    Hyperlink 超级链接框1;
    Timer 时钟1;    // main sampling
    Timer 时钟3;    // main magnifier
    Label 标签2;    // receives the nudge keys
    Label 标签3;    // receives the quick-mode key
    PopupMenu 操作; // the tray menu
    MenuItem 屏幕取色, 主界面, 更新, 退出;
};

} // namespace ui
