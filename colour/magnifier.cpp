// The magnifiers.
#include "colour/magnifier.h"

#include "colour/magnifier_geometry.h"

namespace colour {

void Magnifier::start(const ui::Canvas& canvas) {
    stop();
    screen_ = ui::WindowDC(nullptr);
    target_ = ui::WindowDC(canvas.handle());
}

void Magnifier::stop() {
    target_.reset();
    screen_.reset();
}

namespace {
int outerWidth(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect.right - rect.left;
}
} // namespace

void Magnifier::tick(ui::Canvas& canvas, int canvasWidth) {
    POINT at;
    if (!started() || !::GetCursorPos(&at))
        return;
    Span span = magnifierSpan(canvasWidth);
    // 80 and 40 on the main canvas, 86 and 43 on the floating one, at 96 DPI.
    int destination = outerWidth(canvas.handle()), mark = destination / 2;
    // The default stretch mode replicates pixels, so each screen pixel stays one sharp block.
    ::StretchBlt(target_.get(), 0, 0, destination, destination, screen_.get(), at.x - span.half,
                 at.y - span.half, span.source, span.source, SRCCOPY);
    canvas.line({mark, mark}, {mark, mark});
}

int floatCanvasWidth(ui::FloatWindow& window) {
    return window.isCreated() ? outerWidth(window.画板1.handle()) : window.row("画板1")->width;
}

} // namespace colour
