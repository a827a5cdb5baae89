// A magnifier: a 17 x 17 square of screen around the pointer, stretched onto its canvas, with the
// sampled pixel marked by a black dot. Each magnifier owns the DC pair it copies through.
#pragma once

#include "ui/controls.h"
#include "ui/float_window.h"
#include "ui/handle.h"

namespace colour {

class Magnifier {
public:
    // Takes the screen DC and the canvas's DC, giving back any pair an earlier start left.
    void start(const ui::Canvas& canvas);
    // Gives the pair back.
    void stop();
    bool started() const { return static_cast<bool>(target_); }

    // One tick; `canvasWidth` is the floating canvas's width, which sizes the copied square. The image is
    // stretched to the canvas's own width, and the dot goes at its middle.
    void tick(ui::Canvas& canvas, int canvasWidth);

private:
    ui::WindowDC screen_, target_;
};

// The floating canvas's width: measured while the floating window exists, from its layout otherwise,
// so the main magnifier never needs the floating window loaded.
int floatCanvasWidth(ui::FloatWindow& window);

} // namespace colour
