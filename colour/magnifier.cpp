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

void Magnifier::tick(ui::Canvas& canvas, int canvasWidth) {
    POINT at;
    if (!started() || !::GetCursorPos(&at))
        return;
    Span span = magnifierSpan(canvasWidth);
    // The default stretch mode replicates pixels, so each screen pixel stays one sharp block.
    ::StretchBlt(target_.get(), 0, 0, destination_, destination_, screen_.get(), at.x - span.half,
                 at.y - span.half, span.source, span.source, SRCCOPY);
    canvas.line({mark_, mark_}, {mark_, mark_});
}

int floatCanvasWidth(ui::FloatWindow& window) {
    if (window.isCreated()) {
        RECT rect;
        ::GetWindowRect(window.画板1.handle(), &rect);
        return rect.right - rect.left;
    }
    return window.row("画板1")->width;
}

} // namespace colour
