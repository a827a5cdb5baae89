// The floating window's layout.
#include "ui/float_window.h"

#include "resources/resource_ids.h"

namespace ui {
namespace {

using W = FloatWindow;
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr FormSpec kSpec{
    .title = L"",
    .style = WS_POPUP | WS_DISABLED | WS_CLIPCHILDREN,
    // Topmost from creation; a taskbar button of its own although it is a popup.
    .exStyle = WS_EX_TOPMOST | WS_EX_APPWINDOW,
    .width = 172,
    .height = 86,
    .background = RGB(0, 0, 0),
    .icon = IDI_MOVARIL,
    // It follows the pointer over other programs and must not take the focus from them.
    .activate = false,
};

// clang-format off
constexpr Row kLayout[] = {
    {"Color", field<&W::Color>, Kind::PictureBox, nullptr, 0, 0, 86, 86, L"", 0, kWhite},
    {"Tips", field<&W::Tips>, Kind::TransparentLabel, "Color", 11, 56, 64, 16, L"", kStandardFont, kWhite, 0, 0, SS_CENTER},
    {"透明标签1", field<&W::透明标签1>, Kind::TransparentLabel, "Color", 11, 71, 64, 16, L"按 F4 结束", -10, kWhite, 0, 0, SS_CENTER},
    {"画板1", field<&W::画板1>, Kind::Canvas, nullptr, 86, 0, 86, 86, L"", 0, kWhite, 0, 0, 0, 0, 5},
    {"Get", field<&W::Get>, Kind::Timer},
    {"Get1", field<&W::Get1>, Kind::Timer},
    {"move", field<&W::move>, Kind::Timer, nullptr, 0, 0, 0, 0, L"", 0, 0, 0, 0, 0, 0, 1},
};
// clang-format on

} // namespace

FloatWindow::FloatWindow() : Form(kSpec, kLayout) {}

} // namespace ui
