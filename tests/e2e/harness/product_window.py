"""Tests that drive the real Vestra.exe's main window: each test starts from the shipped files laid
out in its own folder on C: and from no settings key (a first run), and the program is ended when
the test ends."""

import re

from harness.base import E2ETest
from harness.evidence import screenshot
from harness.product import Product
from harness.waiting import wait_until

SETTINGS_KEY = "HKCU\\Software\\VESTR\u0394"
# Read once by the program at start: each directory entry of a scan first waits this many
# milliseconds, so that a test can act while the scan is still counting or walking.
PUMP_DELAY_VARIABLE = "VESTRA_TEST_PUMP_DELAY_MS"
# The caption is the product name with random blanks; the window class is fixed.
MAIN_CLASS = "VestraMain"
# Written beside the scan log before every registry repair, in the registry editor's format.
UNDO_FILE = "vestra.reg"
# A scan from the window also runs the registry lists, and a fresh Wine prefix differs from a sound
# Windows in some hundred values: the summary's registry line counts the prefix, not the case.
REGISTRY_SUMMARY_LINE = re.compile(r"\r\n- (\d+) (?:Infected Registry\(s\)|Registry Terinfeksi)")


def without_registry_line(summary_text):
    """The scan summary's text without its registry line (the line only, the rest as it stands)."""
    return REGISTRY_SUMMARY_LINE.sub("", summary_text)


def summary_counts(summary_text):
    """The summary's "- N what" lines as {what: N}."""
    return {what: int(n) for n, what in re.findall(r"^- (\d+) (.+?)\r?$", summary_text, re.M)}


class ProductWindowTest(E2ETest):
    CASE_FOLDER = "ui"  # the folder under C:\VestraE2E that the product is laid out in

    def setUp(self):
        product = Product(self.bed)
        reason = product.skip_reason()
        if reason:
            self.skipTest(reason)
        self.folder = product.lay_out(self.CASE_FOLDER)
        self.product = product
        self.bed.run("reg", "delete", SETTINGS_KEY, "/f")
        self.started = None
        self.addCleanup(self.stop)

    def open(self, arguments="", pump_delay_ms=None):
        """Starts the program (with a slowed scan when `pump_delay_ms` is given) and waits for its
        main window."""
        line = self.product.command_line(self.folder, arguments)
        env = {PUMP_DELAY_VARIABLE: str(pump_delay_ms)} if pump_delay_ms is not None else None
        self.started = self.winauto.start(line, cwd=self.folder, env=env)
        self.assertIsNotNone(self.started, "the program did not start")
        self.hwnd = self.wait_until(self.main_window_or_offer_answered, 90)
        self.assertIsNotNone(self.hwnd, "the main window did not appear")

    def main_window_or_offer_answered(self):
        """The main window once it shows. An ordinary start first offers the protection host
        when none is installed and running (the prefix has none); that question is answered No,
        so the case meets the program as it is."""
        hwnd = self.winauto.wait(cls=MAIN_CLASS, pid=self.started.pid, timeout_ms=1000)
        if hwnd:
            return hwnd
        box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=1000)
        if box and "VesRTP" in box.text and "No" in box.button_captions():
            self.winauto.press(box.window, "No")
            self.winauto.wait_gone(box.window)
        return None

    def wait_until(self, condition, seconds):
        """The first truthy value of condition(), or None when `seconds` pass first."""
        return wait_until(condition, seconds)

    def stop(self):
        if self.started and self.started.running():
            self.winauto.kill(self.started.pid)
        if self.started:
            self.started.close()
        self.undo_registry_repairs()

    def undo_registry_repairs(self):
        """A scan from the window also runs the registry lists, and Fix All repairs what they
        find, Wine's own defaults among them. Other suites share the prefix, so whatever a case
        repaired is put back by importing the undo file the program wrote beside its log."""
        undo = self.bed.unix_path(self.folder + UNDO_FILE)
        if undo.exists():
            done = self.bed.run("regedit", "/s", self.folder + UNDO_FILE)
            if done.returncode == 0:
                undo.unlink()

    def box(self, title=None, timeout_ms=60000):
        """The program's message box (with `title` when given); fails the test when none comes."""
        found = self.winauto.msgbox(pid=self.started.pid, title=title, timeout_ms=timeout_ms)
        self.assertIsNotNone(found, f"no message box {title or ''}")
        return found

    def press(self, box, button):
        """Presses a button of the box and waits until the box is gone."""
        self.assertTrue(self.winauto.press(box.window, button))
        self.assertTrue(self.winauto.wait_gone(box.window))

    def shoot(self, name):
        rect = self.winauto.rect(self.hwnd)
        self.assertIsNotNone(rect, "the main window is gone")
        return screenshot(self.bed, name, rect)

    def caption(self, control_id):
        return self.winauto.gettext(self.hwnd, id=control_id)
