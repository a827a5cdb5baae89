// Pictures for picture boxes, decoded from file bytes: PNG through libpng, cursor files through Windows.
#pragma once

#include "ui/handle.h"

#include <cstddef>
#include <optional>
#include <span>

namespace ui {

class Image {
public:
    Image() = default;
    // PNG or cursor-file bytes; nothing if they are neither or are damaged.
    static std::optional<Image> decode(std::span<const std::byte> file);

    bool empty() const { return !bitmap_ && !icon_; }
    SIZE size() const { return size_; }
    // Draws the whole image into `target`, scaled to it.
    void draw(HDC dc, const RECT& target) const;

private:
    Bitmap bitmap_; // 32-bit top-down DIB with premultiplied alpha
    Icon icon_;
    SIZE size_{};
};

// The first image of a cursor file as a cursor with its hot spot; empty if the bytes are no cursor file.
Icon cursorFromFile(std::span<const std::byte> file);

// Where a picture of `picture` size goes in `box`: natural size and centred, shrunk keeping its aspect
// only when it is larger than the box.
RECT placePicture(SIZE picture, const RECT& box);

} // namespace ui
