"""The real-time protection host, end to end: `Vestra.exe rtp` shows its splash, hides, and
answers the channel (the number in its hidden window's text box) as the main program writes it;
its logon entry is written with the path in quotes. The main window's Protection tab installs the
host into Program Files, switches it off and on through the channel, and uninstalls it. One start
of each program per case; whatever a case installs or registers is removed afterwards, since the
other suites share the prefix. Screenshots of the splash and of the tab go to
<build>/artifacts/screenshots."""

import re

from harness import controls
from harness.evidence import on_failure, screenshot
from harness.product_window import ProductWindowTest
from harness.waiting import wait_until

ids = controls.load().main

HOST_CAPTION = "VesRTP"
BOX_CLASS = "ThunderRT6TextBox"
RUN_KEY = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"
RUN_VALUE = "VE\u0394RT-Protection"
INSTALL_DIR = "C:\\Program Files\\Vestra\\"
INSTALLED_HOST = INSTALL_DIR + "VE\u0394RTP.exe"
PROTECTION_TAB = 1
ON, OFF, END = 17, 8, 0


class ProtectionTests(ProductWindowTest):
    CASE_FOLDER = "protection"

    def setUp(self):
        super().setUp()
        self.addCleanup(self.remove_traces)

    def remove_traces(self):
        self.end_hosts()
        self.bed.run("reg", "delete", RUN_KEY, "/v", RUN_VALUE, "/f")
        self.bed.run("cmd", "/c", "rmdir", "/s", "/q", INSTALL_DIR.rstrip("\\"))

    # The host ---------------------------------------------------------------------------------

    def host_window(self, timeout_ms=60000):
        return self.winauto.wait(title=HOST_CAPTION, include_hidden=True, timeout_ms=timeout_ms)

    def channel(self, host):
        return self.winauto.gettext(host, cls=BOX_CLASS)

    def channel_state(self, host):
        """The remainder of the box's number modulo 22, or the text when it is no number."""
        text = (self.channel(host) or "").strip()
        return int(text) % 22 if text.isdigit() else text

    def wait_state(self, host, state, seconds=30):
        return wait_until(lambda: self.channel_state(host) == state, seconds)

    def run_entry(self):
        """The logon entry's data, or None. Read from an export of the key, which keeps the
        delta of the names (reg query prints them in the console's code page)."""
        export = "C:\\VestraE2E\\run-key.reg"
        self.bed.run("reg", "export", RUN_KEY, export, "/y")
        path = self.bed.unix_path(export)
        if not path.exists():
            return None
        text = path.read_bytes().decode("utf-16")
        path.unlink()
        prefix = f'"{RUN_VALUE}"="'
        for line in text.splitlines():
            if line.startswith(prefix) and line.endswith('"'):
                return re.sub(r"\\(.)", r"\1", line[len(prefix):-1])
        return None

    def hidden(self, host):
        return all(w[0] != host for w in self.winauto.windows())

    def end_hosts(self):
        """Ends any host through its own channel, as the installer does."""
        for _ in range(3):
            host = self.winauto.wait(title=HOST_CAPTION, include_hidden=True, timeout_ms=500)
            if not host:
                return
            self.winauto.settext(host, "44", cls=BOX_CLASS)
            self.winauto.wait_gone(host, timeout_ms=10000)

    def test_host_splash_channel_and_logon_entry(self):
        self.started = self.winauto.start(self.product.command_line(self.folder, "rtp"),
                                          cwd=self.folder)
        self.assertIsNotNone(self.started, "the host did not start")
        with on_failure(self.bed, self.winauto, "protection-host"):
            host = self.host_window()
            self.assertIsNotNone(host, "no VesRTP window")
            # The splash shows for about three seconds, then the window hides.
            rect = self.winauto.rect(host)
            self.assertIsNotNone(rect)
            screenshot(self.bed, "protection_splash", rect)
            self.assertTrue(wait_until(lambda: self.hidden(host), 30), "the splash stayed")
            self.assertTrue(self.wait_state(host, ON), f"box reads {self.channel(host)!r}")

            # Off, on, and what the host ignores (the box keeps the foreign text, which reads
            # as off to the main program; the host's own state does not change).
            self.winauto.settext(host, "30", cls=BOX_CLASS)
            self.assertTrue(self.wait_state(host, OFF))
            self.winauto.settext(host, "61", cls=BOX_CLASS)
            self.assertTrue(self.wait_state(host, ON))
            for ignored in ("abc", "31"):
                self.winauto.settext(host, ignored, cls=BOX_CLASS)
                self.assertEqual(self.channel(host), ignored)
            self.winauto.settext(host, "52", cls=BOX_CLASS)  # 2 * 22 + 8: off
            self.assertTrue(self.wait_state(host, OFF))

            # The logon entry: the installed host's path in quotes, then the word.
            self.assertEqual(self.run_entry(), f'"{INSTALLED_HOST}" rtp')

            # A multiple of 22 ends the host.
            self.winauto.settext(host, "44", cls=BOX_CLASS)
            self.assertTrue(self.winauto.wait_gone(host, timeout_ms=20000), "the host stayed")
            self.assertEqual(self.started.wait(30), 0)

    # The main window's Protection tab ---------------------------------------------------------

    def protect_caption(self):
        return self.caption(ids.kCmdProtect)

    def test_protection_tab_installs_switches_and_uninstalls_the_host(self):
        self.open()
        with on_failure(self.bed, self.winauto, "protection-tab"):
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain,
                                                  select=PROTECTION_TAB))
            self.assertTrue(wait_until(lambda: self.protect_caption() == "Activate", 10))
            # No host yet: Activate installs it into Program Files and starts it.
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdProtect))
            host = self.host_window(timeout_ms=90000)
            self.assertIsNotNone(host, "the installed host did not start")
            self.assertTrue(self.bed.unix_path(INSTALLED_HOST).is_file())
            for companion in ("VestEngine.dll", "Vestra.loov"):
                self.assertTrue(self.bed.unix_path(INSTALL_DIR + companion).is_file(), companion)
            self.assertTrue(wait_until(lambda: self.protect_caption() == "Disable", 60),
                            f"caption {self.protect_caption()!r}")
            self.shoot("protection_tab_on")

            # Disable and Activate go through the channel.
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdProtect))
            self.assertTrue(self.wait_state(host, OFF))
            self.assertTrue(wait_until(lambda: self.protect_caption() == "Activate", 10))
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdProtect))
            self.assertTrue(self.wait_state(host, ON))
            self.assertTrue(wait_until(lambda: self.protect_caption() == "Disable", 10))

            # Uninstall: the host is asked to end, its files and logon entry go.
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdUninstall))
            question = self.box(title="Uninstall")
            self.press(question, "OK")
            self.assertTrue(self.winauto.wait_gone(host, timeout_ms=30000), "the host stayed")
            report = self.box()
            self.assertIn("VesRTP", report.text)
            self.press(report, "OK")
            self.assertFalse(self.bed.unix_path(INSTALLED_HOST).exists())
            self.assertIsNone(self.run_entry(), "the logon entry stayed")
            self.assertTrue(wait_until(lambda: self.protect_caption() == "Activate", 10))
