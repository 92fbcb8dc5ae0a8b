"""Tests that drive the real Vestra.exe's main window: each test starts from the shipped files laid
out in its own folder on C: and from no settings key (a first run), and the program is ended when
the test ends."""

import time

from harness.base import E2ETest
from harness.evidence import screenshot
from harness.product import Product

SETTINGS_KEY = "HKCU\\Software\\VESTR\u0394"
# The caption is the product name with random blanks; the window class is fixed.
MAIN_CLASS = "VestraMain"


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

    def open(self, arguments=""):
        line = self.product.command_line(self.folder, arguments)
        self.started = self.winauto.start(line, cwd=self.folder)
        self.assertIsNotNone(self.started, "the program did not start")
        self.hwnd = self.winauto.wait(cls=MAIN_CLASS, pid=self.started.pid, timeout_ms=60000)
        self.assertIsNotNone(self.hwnd, "the main window did not appear")

    def wait_until(self, condition, seconds):
        """True once condition() holds, False when `seconds` pass first."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if condition():
                return True
            time.sleep(0.2)
        return False

    def stop(self):
        if self.started and self.started.running():
            self.winauto.kill(self.started.pid)
        if self.started:
            self.started.close()

    def shoot(self, name):
        rect = self.winauto.rect(self.hwnd)
        self.assertIsNotNone(rect, "the main window is gone")
        return screenshot(self.bed, name, rect)

    def caption(self, control_id):
        return self.winauto.gettext(self.hwnd, id=control_id)
