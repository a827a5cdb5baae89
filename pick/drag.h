// The drag pick: press on the picking box, drag anywhere, release over the colour wanted.
#pragma once

#include "colour/magnifier.h"
#include "ui/float_window.h"
#include "ui/main_window.h"

namespace pick {

// Binds the picking box's press and release and the main window's two timers.
void bindDragPick(ui::MainWindow& window, colour::Magnifier& magnifier, ui::FloatWindow& floating);

} // namespace pick
