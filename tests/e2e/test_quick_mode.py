"""Quick mode, its key F4 and fine-tuning mode with Movaril.exe and real X input.

Wine delivers a global hotkey only while a window of the same prefix has the X focus, so the fixture's
stripes window holds the focus whenever keys are pressed; it also reports the keys that reach it. The
floating window has no title: it is found as the one mapped window of Movaril's process without one that
has the floating window's size, 172 x 86 at 96 DPI.
"""

import itertools
import time
import unittest

import harness as h

TITLE = "Movaril"
FIXTURE_TITLE = "Movaril fixture"
# Well away from the centred main window; the floating window keeps below the row the pointer moves along.
STRIPES_AT = (100, 100)
DEEP_BLUE, PALE_BLUE, _, _, RED = h.STRIPES
PALE_BLUE_TEXTS = ["171", "205", "239", "#ABCDEF", "15715755", "171,205,239"]

# Swatch and magnifier pixels inside the floating window, clear of the texts drawn on the swatch and of
# the dot in the middle of the magnified square.
SWATCH_PIXEL = (5, 5)
MAGNIFIER_PIXEL = (h.scaled(86) + 5, 5)
# The follow timer runs every 10 ms. A window that stays put or needs seconds fails; how closely it
# follows is measured by bench/follow.py, where no polling process competes with it.
FOLLOW = 1.0
# Long enough for the keyboard's auto-repeat, which starts after 660 ms.
HOLD = 1.0
# F4 presses sent at once, faster than quick mode starts.
BURST = 5

OFF, ON = "F4 开始", "F4 结束"
SETTINGS = "Seting"
AUTO_COPY = "自动复制色值"
FINE_TUNING = "鼠标微调模式 [注册 ↑↓←→ 按键]"
WARNING_TITLE = "警告"
WARNING_TEXT = "本选项还在测试中，开启可能会有不可预想的BUG，确定要开启吗"

ARROWS = {"Up": (38, 0, -1), "Down": (40, 0, 1), "Left": (37, -1, 0), "Right": (39, 1, 0)}


def stripe_centre(colour):
    return h.stripe_centre(STRIPES_AT, colour)


def pointer():
    values = dict(line.split("=") for line in h.xdotool("getmouselocation", "--shell").split())
    return int(values["X"]), int(values["Y"])


class QuickMode(h.WineTestCase):
    def setUp(self):
        h.wait_until(lambda: not h.windows(TITLE, visible=False), h.REACT,
                     "the windows of earlier instances to go")
        self.fixture = self.start_fixture("--at", *STRIPES_AT)
        self.movaril = self.start(h.MOVARIL_EXE)
        [self.main] = h.wait_until(lambda: h.windows(TITLE), h.START, "the main window")
        [self.stripes] = h.windows(FIXTURE_TITLE)
        self.focus_fixture()

    def focus_fixture(self):
        h.focus(self.stripes)

    def floating(self):
        """{X window: geometry} of the floating windows shown now."""
        found = {}
        for window in self.movaril_windows():
            name = h.run("xdotool", "getwindowname", window, check=False)
            place = h.run("xdotool", "getwindowgeometry", "--shell", window, check=False)
            # A window destroyed between the search and these questions is no longer shown.
            if name.returncode or place.returncode or name.stdout.strip():
                continue
            values = dict(line.split("=") for line in place.stdout.decode().split())
            geometry = tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
            if geometry[2:] == h.FLOATING_SIZE:
                found[window] = geometry
        return found

    def movaril_windows(self):
        while True:
            search = h.run("xdotool", "search", "--onlyvisible", "--pid", self.movaril.popen.pid, check=False)
            if b"X Error" not in search.stderr:
                return [int(w) for w in search.stdout.split()]

    def caption(self):
        """The caption of the quick-mode button 按钮7, the quick-mode state."""
        texts = h.window_texts(TITLE) or []
        [caption] = [text for kind, text in texts if kind == "Button" and text in (OFF, ON)] or [None]
        return caption

    def fields(self):
        return [text for kind, text in h.window_texts(TITLE) or [] if kind == "Edit"]

    def state(self):
        """(caption of 按钮7, [floating windows]), checking that there is never more than one of them."""
        shown = list(self.floating())
        self.assertLessEqual(len(shown), 1, f"two floating windows at once: {shown}")
        return self.caption(), shown

    def settle(self, wanted, what):
        """Waits until 按钮7 shows a caption in wanted with one floating window for ON and none for OFF;
        returns (caption, the floating window or None)."""
        seen = []

        def settled():
            caption, shown = self.state()
            seen.append((caption, shown))
            return caption in wanted and len(shown) == (caption == ON) and (caption, (shown or [None])[0])
        try:
            return h.wait_until(settled, h.REACT, what)
        except AssertionError as e:
            caption, shown = seen[-1]
            raise AssertionError(f"{e}; 按钮7 says {caption!r}, the floating windows are {shown}") from None

    def wait_for_state(self, caption, what):
        return self.settle((caption,), what)[1]

    def wait_until_off(self, what):
        self.wait_for_state(OFF, what)

    def wait_until_on(self, what):
        return self.wait_for_state(ON, what)

    def follow(self, window, colour):
        """Moves the pointer onto the stripe of colour; the floating window must follow and show it."""
        x, y = stripe_centre(colour)
        h.xdotool("mousemove", x, y)
        at = (x + h.FLOATING_OFFSET, y + h.FLOATING_OFFSET)
        h.wait_until(lambda: self.floating().get(window) == (*at, *h.FLOATING_SIZE), FOLLOW,
                     f"the floating window to follow the pointer to {at}")
        swatch = (at[0] + SWATCH_PIXEL[0], at[1] + SWATCH_PIXEL[1])
        magnifier = (at[0] + MAGNIFIER_PIXEL[0], at[1] + MAGNIFIER_PIXEL[1])
        h.wait_until(lambda: h.pixel(*swatch) == colour and h.pixel(*magnifier) == colour, h.REACT,
                     f"the floating swatch and magnifier to show {colour}")

    def open_panel(self):
        closed = h.geometry(self.main)[3]
        h.click(*h.centre(h.wait_until(lambda: h.control(SETTINGS), h.REACT, 'the "Seting" button')))
        h.wait_until(lambda: h.geometry(self.main)[3] > closed, h.REACT,
                     "the options panel to open after a click on Seting")

    def checked(self, text):
        return h.control(text)[4] == 1

    def test_f4_starts_quick_mode_and_the_window_follows_showing_the_colour_under_the_pointer(self):
        for run in (1, 2):
            with self.subTest(run=run):
                h.key("F4")
                window = self.wait_until_on("F4 to start quick mode")
                for colour in (DEEP_BLUE, PALE_BLUE, RED):
                    self.follow(window, colour)
                # Each end registers F4 anew, so the second run shows the new registration works.
                h.key("F4")
                self.wait_until_off("F4 to end quick mode")

    def test_f4_ends_the_pick_and_auto_copy_puts_the_hex_field_on_the_clipboard(self):
        self.open_panel()
        h.click(*h.centre(h.control(AUTO_COPY)))
        h.wait_until(lambda: self.checked(AUTO_COPY), h.REACT, "the auto-copy box to be checked")
        self.own_clipboard("not copied")
        self.focus_fixture()
        h.key("F4")
        self.follow(self.wait_until_on("F4 to start quick mode"), PALE_BLUE)
        h.wait_until(lambda: self.fields() == PALE_BLUE_TEXTS, h.REACT,
                     "the main window's fields to show the colour under the pointer")
        h.key("F4")
        self.wait_until_off("F4 to end quick mode")
        h.wait_until(lambda: h.clipboard() == b"#ABCDEF", h.REACT, "the Hex field on the clipboard")

    def hold_f4(self):
        """Holds F4 down for HOLD seconds, checking all the while that at most one floating window shows."""
        h.xdotool("keydown", "F4")
        try:
            released = time.monotonic() + HOLD
            while time.monotonic() < released:
                shown = self.floating()
                self.assertLessEqual(len(shown), 1, f"two floating windows while F4 is held: {shown}")
        finally:
            h.xdotool("keyup", "F4")

    def test_f4_held_or_pressed_in_a_burst_leaves_one_floating_window_in_step_with_the_button(self):
        # Wine fires a held hotkey once and swallows its repeats; a burst of presses is what queues presses
        # while quick mode starts, for the floating window's created handler to dispatch.
        stimuli = {"held": self.hold_f4, "burst": lambda: h.xdotool("key", "--delay", 0, *["F4"] * BURST)}
        for (stimulus, press), before in itertools.product(stimuli.items(), (OFF, ON)):
            with self.subTest(stimulus=stimulus, before=before):
                self.focus_fixture()
                h.xdotool("mousemove", *stripe_centre(PALE_BLUE))
                if before == ON:
                    h.key("F4")
                    self.wait_until_on("F4 to start quick mode")
                press()
                caption, _ = self.settle((OFF, ON), "the button and the floating windows to agree")
                if caption == OFF:
                    h.key("F4")
                # The one floating window left must be a live one, and F4 must still end the pick.
                self.follow(self.wait_until_on("quick mode after the presses"), DEEP_BLUE)
                h.key("F4")
                self.wait_until_off("F4 to end quick mode after the presses")

    def test_quick_mode_button_starts_and_ends_quick_mode_with_f4_as_the_other_end(self):
        self.open_panel()
        for start, end in (("button", "F4"), ("F4", "button"), ("button", "button")):
            with self.subTest(start=start, end=end):
                for step, caption in ((start, ON), (end, OFF)):
                    if step == "button":
                        h.click(*h.centre(h.control(OFF if caption == ON else ON)))
                    else:
                        self.focus_fixture()
                        h.key("F4")
                    window = self.wait_for_state(caption, f"{step} to turn quick mode {caption}")
                    if caption == ON:
                        self.follow(window, PALE_BLUE)

    def answer_warning(self, key):
        """Clicks the fine-tuning box, checks the warning it shows and answers it with key."""
        h.click(*h.centre(h.control(FINE_TUNING)))
        [box] = h.wait_until(lambda: h.windows(WARNING_TITLE), h.REACT, "the fine-tuning warning")
        self.assertIn(WARNING_TEXT, [text for _, text in h.window_texts(WARNING_TITLE)])
        h.focus(box)
        h.key(key)
        h.wait_until(lambda: not h.windows(WARNING_TITLE), h.REACT, f"the warning to close after {key}")

    def keys_reach_the_fixture(self, *names):
        """Presses keys with the fixture focused and waits until it reports each of them."""
        self.focus_fixture()
        before = pointer()
        reported = len(self.fixture.read().splitlines())
        h.key(*names)
        expected = [f"key {ARROWS[n][0]}" for n in names]
        self.fixture.wait_until(lambda: self.fixture.read().splitlines()[reported:] == expected, h.REACT,
                                f"the keys {names}")
        self.assertEqual(pointer(), before, "arrow keys moved the pointer while fine-tuning mode was off")

    def nudges(self, *names):
        """Presses arrow keys with the fixture focused; each must move the pointer by one pixel and none
        may reach the fixture."""
        self.focus_fixture()
        h.xdotool("mousemove", *stripe_centre(PALE_BLUE))
        x, y = pointer()
        reported = len(self.fixture.read().splitlines())
        for name in names:
            _, dx, dy = ARROWS[name]
            x, y = x + dx, y + dy
            h.key(name)
            moved = h.wait_until(lambda: (at := pointer()) != (x - dx, y - dy) and at, h.REACT,
                                 f"{name} to move the pointer")
            self.assertEqual(moved, (x, y), f"{name} moved the pointer by more than one pixel")
        # A key that does reach the fixture comes after the arrows: once it is reported, they are all done.
        h.key("a")
        self.fixture.wait_for_line("key 65", h.REACT)
        self.assertEqual(self.fixture.read().splitlines()[reported:], ["key 65"],
                         "arrow keys reached the fixture while fine-tuning mode was on")
        self.assertEqual(pointer(), (x, y))

    def test_fine_tuning_mode_moves_the_pointer_one_pixel_per_arrow_until_unchecked(self):
        self.open_panel()
        self.keys_reach_the_fixture("Left", "Up")

        self.answer_warning("Escape")
        # The click checked the box before the warning showed; the answer unchecks it after it has gone.
        h.wait_until(lambda: not self.checked(FINE_TUNING), h.REACT,
                     "cancelling the warning to uncheck fine-tuning mode")
        self.keys_reach_the_fixture("Right", "Down")

        self.answer_warning("Return")
        self.assertTrue(self.checked(FINE_TUNING), "OK in the warning left fine-tuning mode unchecked")
        self.nudges("Right", "Right", "Down", "Left", "Up", "Up")
        # Ending quick mode registers F4 again; the arrow keys must survive it.
        h.key("F4")
        self.wait_until_on("F4 to start quick mode while fine-tuning mode is on")
        h.key("F4")
        self.wait_until_off("F4 to end quick mode while fine-tuning mode is on")
        self.nudges("Left", "Down")

        h.click(*h.centre(h.control(FINE_TUNING)))
        h.wait_until(lambda: not self.checked(FINE_TUNING), h.REACT, "fine-tuning mode to be unchecked")
        self.assertEqual(h.windows(WARNING_TITLE), [], "unchecking fine-tuning mode asked a question")
        self.keys_reach_the_fixture("Left", "Up", "Right", "Down")


if __name__ == "__main__":
    unittest.main()
