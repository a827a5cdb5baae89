"""The tray icon and its menu, closing to the tray, the options panel and the About box, with Movaril.exe and
real X input.

Without a system tray on the X server, Wine shows the notification area as its own window, "Wine System
Tray", with the icons in a row under its caption; clicks there reach the program like clicks on a taskbar
icon. The tray menu and the floating window have no title: they are found among the mapped windows of
Movaril's process, the menu by its top edge 5 pixels above the pointer, the floating window by its size.
"""

import shutil
import tempfile
import unittest
from pathlib import Path

import harness as h

TITLE = "Movaril"
TRAY_TITLE = "Wine System Tray"
FIXTURE_TITLE = "Movaril fixture"
BOX_TITLE = "信息："
# Clear of the tray window in the top left corner, the menu under it and the centred main window.
STRIPES_AT = (100, 600)

SETTINGS, BACK = "Seting", "Back"
QUICK_OFF = "F4 开始"
HIDE_ON_CLOSE = "窗口关闭后隐藏至系统托盘"
ABOUT = "About"
VERSION_LINE = "当前版本：1.0.0.2"
CLOSED_HEIGHT, OPEN_HEIGHT = 247, 374

ENTRIES = ["屏幕取色", "主界面", "更新 提取码:[m4xt]", "退出"]


def tray_icon():
    """The centre of the one icon in Wine's tray window: the box around its saturated pixels, below the
    caption (whose own icon is saturated too)."""
    [tray] = h.wait_until(lambda: h.windows(TRAY_TITLE), h.START, "Wine's tray window")
    left, top, width, height = h.geometry(tray)
    below = top + height // 2
    shot = h.Shot(left, below, width, top + height - below)
    ring = [(x, y) for y in range(below, top + height) for x in range(left, left + width)
            if max(shot.pixel(x, y)) - min(shot.pixel(x, y)) > 100]
    if not ring:
        raise AssertionError("no icon in Wine's tray window")
    xs, ys = [x for x, _ in ring], [y for _, y in ring]
    box = min(xs), min(ys), max(xs), max(ys)
    if box[2] - box[0] > 16 or box[3] - box[1] > 16:
        raise AssertionError(f"more than one icon in Wine's tray window, around {box}")
    return (box[0] + box[2]) // 2, (box[1] + box[3]) // 2


class TrayAndOptions(h.WineTestCase):
    def setUp(self):
        h.wait_until(lambda: not h.windows(TITLE, visible=False), h.REACT,
                     "the windows of earlier instances to go")
        self.fixture = self.start_fixture("--at", *STRIPES_AT)
        [self.stripes] = h.windows(FIXTURE_TITLE)

    def start_movaril(self, exe=h.MOVARIL_EXE):
        self.movaril = self.start(exe)
        [self.main] = h.wait_until(lambda: h.windows(TITLE), h.START, "the main window")

    def untitled(self):
        """{X window: geometry} of Movaril's mapped windows without a title: the menu, the floating window."""
        while True:
            search = h.run("xdotool", "search", "--onlyvisible", "--pid", self.movaril.popen.pid, check=False)
            if b"X Error" not in search.stderr:
                break
        found = {}
        for window in map(int, search.stdout.split()):
            name = h.run("xdotool", "getwindowname", window, check=False)
            place = h.run("xdotool", "getwindowgeometry", "--shell", window, check=False)
            # A window destroyed between the search and these questions is no longer shown.
            if name.returncode or place.returncode or name.stdout.strip():
                continue
            values = dict(line.split("=") for line in place.stdout.decode().split())
            found[window] = tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        return found

    def floating(self):
        return [g for g in self.untitled().values() if g[2:] == h.FLOATING_SIZE]

    def wait_for_quick_mode(self, on, what):
        h.wait_until(lambda: len(self.floating()) == int(on), h.REACT,
                     f"{what} to turn quick mode {'on' if on else 'off'}")

    def menu_at(self, y):
        menus = [g for g in self.untitled().values() if g[1] == y - 5 and g[2:] != h.FLOATING_SIZE]
        return menus[0] if len(menus) == 1 else None

    def choose(self, entry):
        """Opens the tray menu with a right click on the icon and clicks the entry."""
        x, y = tray_icon()
        # A single left click comes first and must change nothing. It also takes Wine's X focus to the tray
        # window: when that focus change reaches Movaril while its menu is open, Wine closes the menu at once.
        # Should it come that late all the same, the user's answer is a second right click.
        shown = bool(h.windows(TITLE))
        h.click(x, y)
        menu = None
        for _ in range(2):
            h.click(x, y, 3)
            try:
                menu = h.wait_until(lambda: self.menu_at(y), 2.0, "the tray menu")
                break
            except AssertionError:
                pass
        self.assertIsNotNone(menu, "no tray menu after two right clicks on the icon")
        self.assertEqual(bool(h.windows(TITLE)), shown, "a single click on the icon changed the main window")
        left, top, width, height = menu
        # The entries share the menu's height.
        at = (left + width // 2, top + height * (2 * ENTRIES.index(entry) + 1) // (2 * len(ENTRIES)))
        h.xdotool("mousemove", *at)
        # The floating window follows the pointer: it must be off the entry before the click.
        if self.floating():
            follows = (at[0] + h.FLOATING_OFFSET, at[1] + h.FLOATING_OFFSET, *h.FLOATING_SIZE)
            h.wait_until(lambda: self.floating() == [follows], h.REACT,
                         "the floating window to follow the pointer")
        h.xdotool("click", 1)
        h.wait_until(lambda: self.menu_at(y) is None, h.REACT, "the tray menu to close")

    def press_f4(self):
        h.focus(self.stripes)
        h.key("F4")

    def open_panel(self):
        place = h.geometry(self.main)
        h.click_control(SETTINGS)
        h.wait_until(lambda: h.geometry(self.main) == (*place[:3], OPEN_HEIGHT), h.REACT,
                     "the options panel to open in place")

    def test_close_box_hides_the_window_and_f4_and_the_tray_keep_working(self):
        self.start_movaril()
        place = h.geometry(self.main)
        h.click(*h.close_box(self.main))
        h.wait_until(lambda: not h.windows(TITLE), h.REACT, "the close box to hide the main window")
        self.assertTrue(self.movaril.running())

        self.press_f4()
        self.wait_for_quick_mode(True, "F4 while hidden")
        self.press_f4()
        self.wait_for_quick_mode(False, "F4 while hidden")

        self.choose("屏幕取色")
        self.wait_for_quick_mode(True, "the tray entry while hidden")
        self.choose("屏幕取色")
        self.wait_for_quick_mode(False, "the tray entry while hidden")

        self.choose("主界面")
        h.wait_until(lambda: h.windows(TITLE) == [self.main], h.REACT,
                     "the tray entry to show the main window")
        self.assertEqual(h.geometry(self.main), place)

        # A double click on the icon hides the window, the next one shows it.
        for shown in (False, True):
            h.xdotool("mousemove", *tray_icon(), "click", "--repeat", 2, "--delay", 80, 1)
            h.wait_until(lambda: bool(h.windows(TITLE)) == shown, h.REACT,
                         f"a double click on the icon to {'show' if shown else 'hide'} the main window")
        self.assertTrue(self.movaril.running())

    def test_close_box_ends_the_program_with_0_once_hiding_is_unchecked(self):
        self.start_movaril()
        self.open_panel()
        self.assertEqual(h.control(HIDE_ON_CLOSE)[4], 1, "hiding to the tray is not on at start")
        h.click_control(HIDE_ON_CLOSE)
        h.wait_until(lambda: h.control(HIDE_ON_CLOSE)[4] == 0, h.REACT, "the hide-to-tray box to be unchecked")
        h.click(*h.close_box(self.main))
        self.assertEqual(self.movaril.exit_code(h.REACT), 0)
        self.assertEqual(h.windows(TITLE, visible=False), [])

    def test_exit_entry_ends_quick_mode_and_the_program_with_0(self):
        self.start_movaril()
        self.choose("屏幕取色")
        self.wait_for_quick_mode(True, "the tray entry")
        self.choose("退出")
        self.assertEqual(self.movaril.exit_code(h.REACT), 0)
        self.assertEqual(h.windows(TITLE, visible=False), [])

    def test_tray_entry_starts_and_ends_quick_mode_with_f4_and_the_button_as_the_other_ends(self):
        self.start_movaril()
        self.open_panel()
        self.choose("屏幕取色")
        self.wait_for_quick_mode(True, "the tray entry")
        self.press_f4()
        self.wait_for_quick_mode(False, "F4")
        h.click_control(QUICK_OFF)
        self.wait_for_quick_mode(True, "the quick-mode button")
        self.choose("屏幕取色")
        self.wait_for_quick_mode(False, "the tray entry")
        h.wait_until(lambda: h.control(QUICK_OFF), h.REACT, "the quick-mode button to say quick mode is off")

    def test_options_button_opens_and_closes_the_panel_without_moving_the_window(self):
        self.start_movaril()
        left, top, width, height = h.geometry(self.main)
        self.assertEqual((width, height), (340, CLOSED_HEIGHT))
        self.assertIsNone(h.control(BACK))
        self.open_panel()
        self.assertIsNotNone(h.control(BACK))
        self.assertIsNone(h.control(SETTINGS))
        h.click_control(BACK)
        h.wait_until(lambda: h.geometry(self.main) == (left, top, width, CLOSED_HEIGHT), h.REACT,
                     "Back to close the options panel in place")
        self.assertIsNotNone(h.control(SETTINGS))

    def test_about_box_shows_the_version_of_the_running_file_under_a_non_ansi_path(self):
        # A copy in a folder and under a name that no ANSI code page holds all of.
        folder = Path(tempfile.mkdtemp(prefix="movaril-")) / "取色 한글 हिन्दी"
        self.addCleanup(shutil.rmtree, folder.parent)
        folder.mkdir()
        copy = folder / "副本 ☂.exe"
        shutil.copy(h.MOVARIL_EXE, copy)
        self.start_movaril(copy)
        self.open_panel()
        self.assertEqual(h.windows(BOX_TITLE), [])
        h.click_control(ABOUT)
        [box] = h.wait_until(lambda: h.windows(BOX_TITLE), h.REACT, "the About box after a click on About")
        texts = [text for kind, text in h.window_texts(BOX_TITLE) if kind.lower() == "static"]
        self.assertTrue(any(text.endswith(VERSION_LINE) for text in texts), f"About box texts: {texts}")
        h.focus(box)
        h.key("Return")
        h.wait_until(lambda: not h.windows(BOX_TITLE), h.REACT, "the About box to close after Return")
        self.assertTrue(self.movaril.running())


if __name__ == "__main__":
    unittest.main()
