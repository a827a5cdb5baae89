"""Movaril.exe started as a user starts it: the main window, the single-instance guard, closing and
starting again."""

import unittest

import harness as h
from test_tray_options import HIDE_ON_CLOSE, OPEN_HEIGHT, SETTINGS

TITLE = "Movaril"
BOX_TITLE = "信息："
BOX_TEXT = "Movaril已经运行了\r\n\r\n您其实可以去看看系统托盘"


def lines(text):
    return text.replace("\r\n", "\n")


class StartUp(h.WineTestCase):
    def setUp(self):
        # A leftover instance would turn this test's first start into a second one.
        h.wait_until(lambda: not h.windows(TITLE, visible=False) and not h.windows(BOX_TITLE), h.REACT,
                     "the windows of earlier instances to go")

    def only_main_window(self, main):
        self.assertEqual(h.windows(TITLE), [main], "a second main window is shown")

    def start_first(self):
        process = self.start(h.MOVARIL_EXE)
        shown = h.wait_until(lambda: h.windows(TITLE), h.START, "the main window")
        self.assertEqual(len(shown), 1)
        self.assertEqual(h.windows(BOX_TITLE), [], "a first start shows the already-running box")
        return process, shown[0]

    def answer_box(self, main):
        """Checks the already-running box's text, presses Return on it and waits until it has gone."""
        def box():
            self.only_main_window(main)
            return h.windows(BOX_TITLE)
        [shown] = h.wait_until(box, h.START, "the already-running box")
        texts = h.window_texts(BOX_TITLE)
        self.assertIn(("static", lines(BOX_TEXT)), [(c.lower(), lines(t)) for c, t in texts])
        h.focus(shown)
        h.key("Return")

        def closed():
            self.only_main_window(main)
            return not h.windows(BOX_TITLE)
        h.wait_until(closed, h.REACT, "the box to close after Return")

    def test_main_window_appears_centred_on_the_screen(self):
        _, main = self.start_first()
        width, height = h.screen_size()
        self.assertEqual(h.geometry(main), ((width - 340) // 2, (height - 247) // 2, 340, 247))

    def test_second_start_shows_only_the_box_and_ends_with_0(self):
        first, main = self.start_first()
        second = self.start(h.MOVARIL_EXE)
        self.answer_box(main)
        self.assertEqual(second.exit_code(h.REACT), 0)
        self.assertTrue(first.running())
        self.only_main_window(main)

    def test_two_starts_at_once_give_one_main_window_and_one_box(self):
        starts = [self.start(h.MOVARIL_EXE), self.start(h.MOVARIL_EXE)]
        shown = h.wait_until(lambda: h.windows(TITLE), h.START, "a main window")
        self.assertEqual(len(shown), 1)
        self.answer_box(shown[0])
        ended = h.wait_until(lambda: [p for p in starts if not p.running()], h.REACT, "one process to end")
        self.assertEqual(len(ended), 1)
        self.assertEqual(ended[0].exit_code(0), 0)
        self.only_main_window(shown[0])

    def test_close_box_ends_the_program_and_the_next_start_is_a_first_one(self):
        first, main = self.start_first()
        # The close box only hides the window to the tray until that option is unchecked in the panel.
        h.click_control(SETTINGS)
        h.wait_until(lambda: h.geometry(main)[3] == OPEN_HEIGHT, h.REACT, "the options panel to open")
        h.click_control(HIDE_ON_CLOSE)
        h.wait_until(lambda: h.control(HIDE_ON_CLOSE)[4] == 0, h.REACT, "the hide-to-tray box to be unchecked")
        h.click(*h.close_box(main))
        self.assertEqual(first.exit_code(h.REACT), 0)
        self.assertEqual(h.windows(TITLE, visible=False), [])
        self.start_first()

    def test_after_a_hard_kill_the_next_start_is_a_first_one(self):
        first, _ = self.start_first()
        first.kill()
        h.wait_until(lambda: not h.windows(TITLE, visible=False), h.REACT, "the killed instance's window to go")
        self.start_first()

    def test_f4_held_by_another_program_is_reported_and_the_program_runs_on(self):
        self.start_fixture("--hold-hotkey", 0x73)
        process, _ = self.start_first()
        # Start-up sets the label before the window shows.
        self.assertEqual([text for _, text in h.window_texts(TITLE) if text.startswith("热键")], ["热键[No]"])
        self.assertTrue(process.running())


if __name__ == "__main__":
    unittest.main()
