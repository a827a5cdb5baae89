// Magnifier geometry.
#include "colour/magnifier_geometry.h"

namespace colour {

Span magnifierSpan(int canvasWidth) {
    double fifth = canvasWidth / 5.0;
    return {static_cast<int>(fifth), static_cast<int>(fifth / 2)};
}

} // namespace colour
