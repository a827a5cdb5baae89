// The sampling ticks.
#include "colour/sampling.h"

#include "ui/handle.h"

namespace colour {
namespace {

std::wstring widen(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

} // namespace

std::optional<Sample> readPixelUnderPointer() {
    ui::WindowDC screen(nullptr);
    POINT at;
    if (!screen || !::GetCursorPos(&at))
        return std::nullopt;
    // A failed read gives CLR_INVALID, all bits set, which shows as white.
    return fromPixel(::GetPixel(screen.get(), at.x, at.y));
}

void mainTick(ui::MainWindow& window) {
    auto sample = readPixelUnderPointer();
    if (!sample)
        return;
    window.颜色.setBackground(static_cast<COLORREF>(packed(*sample)));
    window.red.setText(widen(channelText(sample->r)));
    window.Green.setText(widen(channelText(sample->g)));
    window.Blue.setText(widen(channelText(sample->b)));
    window.Hex.setText(widen(hexText(*sample)));
    window.Dec.setText(widen(decText(*sample)));
    window.Rgb.setText(widen(rgbText(*sample)));
}

void floatTick(ui::FloatWindow& window) {
    auto sample = readPixelUnderPointer();
    if (!sample)
        return;
    window.Color.setBackground(swatch(*sample));
    window.Tips.setText(widen(hexText(*sample)));
}

} // namespace colour
