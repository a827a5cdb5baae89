// The main window's layout.
#include "ui/main_window.h"

#include "resources/resource_ids.h"

namespace ui {
namespace {

using W = MainWindow;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr DWORD kField = ES_READONLY | ES_CENTER | ES_AUTOHSCROLL;

constexpr FormSpec kSpec{
    .title = L"Movaril",
    .style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
    .exStyle = 0,
    .width = 340,
    .height = 247,
    .background = kButtonFace,
    .icon = IDI_MOVARIL,
};

// clang-format off
constexpr Row kLayout[] = {
    {"取色窗口", field<&W::取色窗口>, Kind::PictureBox, nullptr, 8, 8, 80, 64, L"", 0, kButtonFace, 0, 0, WS_BORDER},
    {"颜色", field<&W::颜色>, Kind::PictureBox, nullptr, 8, 80, 80, 24, L"", 0, kButtonFace, 0, 0, WS_BORDER},
    {"画板1", field<&W::画板1>, Kind::Canvas, nullptr, 8, 111, 80, 80, L"", 0, kButtonFace, 0, 0, WS_BORDER, 0, 5},
    {"透明标签1", field<&W::透明标签1>, Kind::TransparentLabel, nullptr, 104, 8, 72, 24, L"红色[Red]："},
    {"透明标签2", field<&W::透明标签2>, Kind::TransparentLabel, nullptr, 104, 40, 72, 24, L"绿色[Green]："},
    {"透明标签3", field<&W::透明标签3>, Kind::TransparentLabel, nullptr, 104, 72, 72, 24, L"蓝色[Blue]："},
    {"透明标签6", field<&W::透明标签6>, Kind::TransparentLabel, nullptr, 104, 104, 72, 24, L"16进制[Hex]："},
    {"透明标签7", field<&W::透明标签7>, Kind::TransparentLabel, nullptr, 104, 137, 72, 24, L"10进制[Dec]："},
    {"透明标签8", field<&W::透明标签8>, Kind::TransparentLabel, nullptr, 104, 169, 72, 24, L"R,G,B[RGB]："},
    {"red", field<&W::red>, Kind::Edit, nullptr, 180, 8, 96, 24, L"", kStandardFont, kWhite, 0, 0, kField, WS_EX_CLIENTEDGE},
    {"Green", field<&W::Green>, Kind::Edit, nullptr, 180, 40, 96, 24, L"", kStandardFont, kWhite, 0, 0, kField, WS_EX_CLIENTEDGE},
    {"Blue", field<&W::Blue>, Kind::Edit, nullptr, 180, 72, 96, 24, L"", kStandardFont, kWhite, 0, 0, kField, WS_EX_CLIENTEDGE},
    {"Hex", field<&W::Hex>, Kind::Edit, nullptr, 180, 104, 96, 24, L"", kStandardFont, kWhite, 0, 0, kField, WS_EX_CLIENTEDGE},
    {"Dec", field<&W::Dec>, Kind::Edit, nullptr, 180, 137, 96, 24, L"", kStandardFont, kWhite, 0, 0, kField, WS_EX_CLIENTEDGE},
    {"Rgb", field<&W::Rgb>, Kind::Edit, nullptr, 180, 169, 96, 24, L"", kStandardFont, kWhite, 0, 0, kField, WS_EX_CLIENTEDGE},
    {"按钮1", field<&W::按钮1>, Kind::Button, nullptr, 280, 7, 48, 26, L"复制"},
    {"按钮2", field<&W::按钮2>, Kind::Button, nullptr, 280, 39, 48, 26, L"复制"},
    {"按钮3", field<&W::按钮3>, Kind::Button, nullptr, 280, 71, 48, 26, L"复制"},
    {"按钮4", field<&W::按钮4>, Kind::Button, nullptr, 280, 103, 48, 26, L"复制"},
    {"按钮5", field<&W::按钮5>, Kind::Button, nullptr, 280, 136, 48, 26, L"复制"},
    {"按钮6", field<&W::按钮6>, Kind::Button, nullptr, 280, 168, 48, 26, L"复制"},
    {"按钮8", field<&W::按钮8>, Kind::Button, nullptr, 7, 197, 321, 17, L"Seting", -10},
    {"分组框2", field<&W::分组框2>, Kind::GroupBox, nullptr, 8, 224, 224, 116, L"选项", kStandardFont, kButtonFace, 0, 0, BS_CENTER},
    {"选择框1", field<&W::选择框1>, Kind::CheckBox, "分组框2", 8, 16, 75, 24, L"窗口置顶"},
    {"选择框3", field<&W::选择框3>, Kind::CheckBox, "分组框2", 8, 37, 208, 21, L"窗口关闭后隐藏至系统托盘", kStandardFont, kButtonFace, 0, 0, 0, 0, 1},
    {"选择框4", field<&W::选择框4>, Kind::CheckBox, "分组框2", 8, 56, 208, 24, L"鼠标微调模式 [注册 ↑↓←→ 按键]"},
    {"选择框2", field<&W::选择框2>, Kind::CheckBox, "分组框2", 8, 84, 96, 23, L"自动复制色值"},
    // Items in the order they are added; the control sorts them. The height is the dropped list's.
    {"组合框1", field<&W::组合框1>, Kind::ComboBox, "分组框2", 112, 82, 99, 160, L"16进制[Hex]\nR,G,B[RGB]\n10进制[DEC]", kStandardFont, kWhite, 0, 0, CBS_DROPDOWNLIST | CBS_SORT | CBS_AUTOHSCROLL | WS_VSCROLL, 0, 1},
    {"分组框1", field<&W::分组框1>, Kind::GroupBox, nullptr, 239, 224, 89, 80, L"快速模式", kStandardFont, kButtonFace, 0, 0, BS_CENTER},
    {"按钮7", field<&W::按钮7>, Kind::Button, "分组框1", 8, 25, 72, 24, L"F4 开始"},
    {"透明标签9", field<&W::透明标签9>, Kind::TransparentLabel, "分组框1", 18, 54, 53, 20, L"热键[No]"},
    {"超级链接框1", field<&W::超级链接框1>, Kind::Hyperlink, nullptr, 240, 312, 89, 24, L"About", -14, kButtonFace, kBlue, kRed},
    {"时钟1", field<&W::时钟1>, Kind::Timer},
    {"时钟3", field<&W::时钟3>, Kind::Timer},
    {"标签2", field<&W::标签2>, Kind::Label},
    {"标签3", field<&W::标签3>, Kind::Label},
    {"操作", field<&W::操作>, Kind::Menu},
    {"屏幕取色", field<&W::屏幕取色>, Kind::MenuItem, "操作", 0, 0, 0, 0, L"屏幕取色"},
    {"主界面", field<&W::主界面>, Kind::MenuItem, "操作", 0, 0, 0, 0, L"主界面"},
    {"更新", field<&W::更新>, Kind::MenuItem, "操作", 0, 0, 0, 0, L"更新 提取码:[m4xt]"},
    {"退出", field<&W::退出>, Kind::MenuItem, "操作", 0, 0, 0, 0, L"退出"},
};
// clang-format on

} // namespace

MainWindow::MainWindow() : Form(kSpec, kLayout) {}

} // namespace ui
