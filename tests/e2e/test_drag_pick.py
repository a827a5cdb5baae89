"""The drag pick with Movaril.exe and real X input: press on the eyedropper box, drag across the screen,
release over a stripe of the fixture window. The fields are read through the copy buttons and the X
clipboard, the swatch and the magnifier canvas from the screen."""

import unittest

import harness as h

TITLE = "Movaril"
# The fixture's stripes, 40 x 80 each, left to right; well away from the centred main window.
STRIPES_AT = (100, 100)
DEEP_BLUE, PALE_BLUE, _, WHITE, RED = h.STRIPES


def centre(x, y, width, height):
    """The centre of a control's layout rectangle, at the screen's DPI."""
    left, top, width, height = h.scaled(x, y, width, height)
    return left + width // 2, top + height // 2


# Client places in the main window, at the screen's DPI.
BOX = h.scaled(8, 8, 80, 64)  # 取色窗口, with a one-pixel border
SWATCH_CENTRE = centre(8, 80, 80, 24)  # 颜色
# 画板1's client area, inside its one-pixel border; the image, as wide as the canvas, starts at its corner.
CANVAS_CLIENT = tuple(v + 1 for v in h.scaled(8, 111))
CANVAS_SIZE = h.scaled(80) - 2
DOT_CENTRE, DOT_REACH = h.scaled(40), h.scaled(3)
# 按钮1..6, the copy buttons of red, Green, Blue, Hex, Dec and Rgb.
COPY_BUTTONS = [centre(280, y, 48, 26) for y in (7, 39, 71, 103, 136, 168)]
OPTIONS_TOGGLE = centre(7, 197, 321, 17)  # 按钮8, "Seting"
AUTO_COPY = h.scaled(24, 319)  # 选择框2's box, in the options panel below the start-up height

EMPTY = [""] * 6
TEXTS = {
    DEEP_BLUE: ["10", "5", "200", "#0A05C8", "13108490", "10,5,200"],
    PALE_BLUE: ["171", "205", "239", "#ABCDEF", "15715755", "171,205,239"],
}


def stripe_centre(colour):
    return h.stripe_centre(STRIPES_AT, colour)


def find_outline(shot, left, top, width, height, size):
    """Screen place of the top-left corner of a one-pixel outline of `size` inside the shot's area, or None.
    The inside must differ from the outline, so a plain area of one colour is no match."""
    w, v = size
    for y in range(top, top + height - v):
        for x in range(left, left + width - w):
            c = shot.pixel(x, y)
            if shot.pixel(x + 1, y + 1) == c or shot.pixel(x + w, y) == c or shot.pixel(x, y + v) == c:
                continue
            edges = [(i, y) for i in range(x, x + w)] + [(i, y + v - 1) for i in range(x, x + w)]
            edges += [(x, j) for j in range(y, y + v)] + [(x + w - 1, j) for j in range(y, y + v)]
            if all(shot.pixel(*p) == c for p in edges):
                return x, y
    return None


class DragPick(h.WineTestCase):
    def setUp(self):
        h.wait_until(lambda: not h.windows(TITLE, visible=False), h.REACT,
                     "the windows of earlier instances to go")
        self.start_fixture("--at", *STRIPES_AT)
        self.start(h.MOVARIL_EXE)
        [self.main] = h.wait_until(lambda: h.windows(TITLE), h.START, "the main window")
        # Wine draws the caption and frame itself; the client area starts where the box's border says.
        left, top, width, height = h.geometry(self.main)

        def box():
            return find_outline(h.Shot(left, top, width, height), left, top, width, height, BOX[2:])
        x, y = h.wait_until(box, h.REACT, "the eyedropper box to be drawn")
        self.origin = (x - BOX[0], y - BOX[1])

    def at(self, client):
        return self.origin[0] + client[0], self.origin[1] + client[1]

    def box_centre(self):
        return self.at((BOX[0] + BOX[2] // 2, BOX[1] + BOX[3] // 2))

    def show(self, colour):
        """Waits until both ticks have seen the pointer over `colour`: the swatch and the canvas show it."""
        swatch = self.at(SWATCH_CENTRE)
        canvas = self.at((CANVAS_CLIENT[0] + 10, CANVAS_CLIENT[1] + 10))
        h.wait_until(lambda: h.pixel(*swatch) == colour and h.pixel(*canvas) == colour, h.REACT,
                     f"the swatch and the magnifier to show {colour}")

    def drag(self, via, to):
        """Presses on the box, drags in steps over the stripe `via` and on to `to`, and releases there once
        the ticks have seen it."""
        start = self.box_centre()
        h.xdotool("mousemove", *start, "mousedown", 1)
        end = stripe_centre(via)
        for step in (1, 2, 3):
            h.xdotool("mousemove", *(a + (b - a) * step // 3 for a, b in zip(start, end)))
        self.show(via)
        h.xdotool("mousemove", *stripe_centre(to))
        self.show(to)
        h.xdotool("mouseup", 1)

    def short_click_on_box(self):
        # Press and release reach Movaril together, and input comes before any timer message.
        h.click(*self.box_centre())

    def fields(self):
        """The six fields' texts, each put on the X clipboard by its copy button. A copy shows as the
        clipboard's change, so neighbouring fields must differ, as they do for every colour here. Only
        Movaril writes the clipboard: Wine takes a text from X into its own clipboard on its own time, and
        a copy made meanwhile can be lost."""
        texts, text = [], h.clipboard()
        for button in COPY_BUTTONS:
            h.click(*self.at(button))
            # A list, so that an empty text counts as a change too.
            [text] = h.wait_until(lambda before=text: (now := h.clipboard()) != before and [now], h.REACT,
                                  f"the copy button at {button} to replace {text!r} on the clipboard")
            texts.append(text.decode())
        return texts

    def edit_texts(self):
        """The six fields' texts, asked of the edit boxes themselves."""
        return [text for kind, text in h.window_texts(TITLE) if kind.lower() == "edit"]

    def test_release_over_a_stripe_keeps_its_colour_in_fields_and_magnifier(self):
        for via, colour in ((RED, DEEP_BLUE), (WHITE, PALE_BLUE)):
            with self.subTest(colour=colour):
                self.drag(via, colour)
                # Nothing repaints the canvas before this shot, so it still holds the last tick's image.
                left, top = self.at(CANVAS_CLIENT)
                shot = h.Shot(left, top, CANVAS_SIZE, CANVAS_SIZE)
                canvas = {(x, y): shot.pixel(left + x, top + y) for y in range(CANVAS_SIZE)
                          for x in range(CANVAS_SIZE)}
                dot = {p for p, c in canvas.items() if c == (0, 0, 0)}
                self.assertEqual({c for p, c in canvas.items() if p not in dot}, {colour},
                                 "the canvas shows the stripe enlarged, and nothing else")
                self.assertIn((DOT_CENTRE, DOT_CENTRE), dot)
                self.assertTrue(all(abs(x - DOT_CENTRE) <= DOT_REACH and abs(y - DOT_CENTRE) <= DOT_REACH
                                    for x, y in dot),
                                f"the black dot spreads beyond the centre: {sorted(dot)}")
                self.assertGreaterEqual(len(dot), 9, "the dot is about 5 pixels across")
                self.assertEqual(self.fields(), TEXTS[colour])

    def test_click_shorter_than_a_tick_leaves_the_fields_as_they_were(self):
        # A tick here would read the box itself, a colour unlike either expectation.
        self.short_click_on_box()
        # Equal texts leave the clipboard as it was, so empty fields are read without it.
        self.assertEqual(self.edit_texts(), EMPTY)
        self.drag(RED, DEEP_BLUE)
        self.short_click_on_box()
        self.assertEqual(self.fields(), TEXTS[DEEP_BLUE])

    def test_auto_copy_puts_the_hex_text_on_the_clipboard_at_the_release(self):
        closed = h.geometry(self.main)[3]
        h.click(*self.at(OPTIONS_TOGGLE))
        h.wait_until(lambda: h.geometry(self.main)[3] > closed, h.REACT, "the options panel to open")
        h.click(*self.at(AUTO_COPY))
        # The empty Hex field's copy button makes the clipboard's starting point.
        h.click(*self.at(COPY_BUTTONS[3]))
        h.wait_until(lambda: h.clipboard() == b"", h.REACT, "the empty Hex text on the clipboard")
        self.drag(WHITE, PALE_BLUE)
        copied = h.wait_until(lambda: (text := h.clipboard()) != b"" and text, h.REACT, "the auto-copy")
        self.assertEqual(copied, b"#ABCDEF")


if __name__ == "__main__":
    unittest.main()
