// The floating window of quick mode: a swatch with the Hex text on the left, a magnifier on the right.
#pragma once

#include "ui/form.h"

namespace ui {

struct FloatWindow : Form {
    FloatWindow();

    PictureBox Color;           // the floating swatch
    TransparentLabel Tips;      // the Hex text, on the swatch
    TransparentLabel 透明标签1; // the hint naming the key that ends quick mode
    Canvas 画板1;               // the floating magnifier
    Timer Get;                  // sampling
    Timer Get1;                 // magnifier
    Timer move;                 // follows the pointer
};

} // namespace ui
