// Where a magnifier copies from: a square of screen centred on the pointer, sized from the floating
// canvas's width W. Pure logic.
#pragma once

namespace colour {

struct Span {
    int source; // S: side of the copied square, W / 5 truncated
    int half;   // H: how far it reaches from the pointer, W / 5 / 2 truncated
    bool operator==(const Span&) const = default;
};

Span magnifierSpan(int canvasWidth);

} // namespace colour
