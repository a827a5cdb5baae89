// The sampling ticks: the pixel under the pointer, shown in the main window's swatch and six fields, or
// in the floating window's swatch and Hex text.
#pragma once

#include "colour/sample.h"
#include "ui/float_window.h"
#include "ui/main_window.h"

#include <optional>

namespace colour {

// Reads the pixel under the pointer through a screen DC of its own. Nothing when the pointer position
// cannot be read (a secure desktop, say): the tick then leaves everything as it is.
std::optional<Sample> readPixelUnderPointer();

// `时钟1`: the swatch `颜色` and the fields red, Green, Blue, Hex, Dec and Rgb.
void mainTick(ui::MainWindow& window);
// `Get`: the swatch `Color` and the Hex text `Tips`; nothing else.
void floatTick(ui::FloatWindow& window);

} // namespace colour
