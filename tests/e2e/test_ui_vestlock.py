"""The drive lock from the window: an autorun.inf file planted on the removable drive E:, the
Vest-Lock page of the Tools tab lists E: as "Unlocked"; E: checked and locked, its row shows
"Locked" (under Wine "Semi-Locked": see locked_text), autorun.inf is a folder holding the device-named folders, the old file is kept as
autorun.inf.backup, and a program can no longer create the file E:\\autorun.inf. Unlocked, the
row shows "Unlocked" and the lock's folders are gone. A screenshot of the locked page goes to
<build>/artifacts/screenshots."""

from harness import controls
from harness.evidence import on_failure
from harness.product_window import ProductWindowTest

ids = controls.load().main
TOOLS_TAB, VEST_LOCK_PAGE = 3, 4
AUTORUN = "E:\\autorun.inf"
PLANTED = b"[autorun]\r\nopen=evil.exe\r\n"
NOTICE = ("nul.  This autorun.inf is LOCKED by VESTR\u0394 to protect your Flash-Disk from virus "
          "infection.   ")
READONLY, HIDDEN, SYSTEM = 0x1, 0x2, 0x4
SAFE_FOLDER = "E:\\\u0394 Vest-Lock (Brankas Vestra) \u0394"


class VestLockTests(ProductWindowTest):
    CASE_FOLDER = "uivestlock"

    def setUp(self):
        super().setUp()
        self.bed.clear_drive("E:")
        self.addCleanup(self.bed.clear_drive, "E:")
        self.bed.put(AUTORUN, PLANTED)

    def locked_text(self):
        """Wine keeps no read-only mark on folders (it ignores the bit where Windows stores it),
        so under Wine a full lock lacks that one part and reads "Semi-Locked"."""
        folder = self.bed.make_folder("E:\\probe")
        try:
            self.bed.attrib("E:\\probe", "+r")
            keeps = self.bed.attributes("E:\\probe") & READONLY
        finally:
            folder.rmdir()
        return "Locked" if keeps else "Semi-Locked"

    def drive_row(self):
        view = self.winauto.listview(self.hwnd, id=ids.kLVLock)
        rows = [r for r in (view.rows if view else []) if "(E:)" in r.cells[0]]
        return rows[0] if len(rows) == 1 else None

    def state_becomes(self, text):
        def shown():
            row = self.drive_row()
            return row is not None and row.cells[1] == text
        return self.wait_until(shown, 30)

    def press_lock(self, lock):
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdLock0 + (1 if lock else 0)))

    def create_file(self, path):
        """Whether a Windows program manages to create the file (cmd's redirection)."""
        done = self.bed.run("cmd", "/c", f"echo x> {path}")
        return done.returncode == 0 and self.bed.unix_path(path).is_file()

    def test_lock_and_unlock_a_removable_drive(self):
        self.open()
        with on_failure(self.bed, self.winauto, "ui_vestlock"):
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=TOOLS_TAB))
            self.assertIsNotNone(
                self.winauto.tab(self.hwnd, id=ids.kTabTool, select=VEST_LOCK_PAGE))
            self.assertTrue(self.state_becomes("Unlocked"), self.drive_row())
            row = self.drive_row()
            self.assertIsNotNone(self.winauto.listview(self.hwnd, id=ids.kLVLock,
                                                       check=row.index))
            self.press_lock(True)
            self.assertTrue(self.state_becomes(self.locked_text()), self.drive_row())
            self.shoot("ui_vestlock_locked")

            lock = self.bed.unix_path(AUTORUN)
            self.assertTrue(lock.is_dir())
            self.assertEqual(self.bed.attributes(AUTORUN) & (HIDDEN | SYSTEM), HIDDEN | SYSTEM)
            self.assertEqual(self.bed.unix_path(AUTORUN + ".backup").read_bytes(), PLANTED)
            self.assertEqual([p.name for p in (lock / "con" / "aux").iterdir()], [NOTICE])
            self.assertTrue((lock / "desktop.ini").is_file())
            self.assertTrue(self.bed.unix_path(SAFE_FOLDER + "\\Read Me.txt").is_file())
            self.assertFalse(self.create_file(AUTORUN))

            self.assertTrue(self.drive_row().checked)
            self.press_lock(False)
            self.assertTrue(self.state_becomes("Unlocked"), self.drive_row())
            self.assertFalse(lock.exists())
            self.assertFalse(self.bed.unix_path(SAFE_FOLDER).exists())
            self.assertTrue(self.bed.unix_path(AUTORUN + ".backup").is_file())
