"""The main window acting on what a scan found, as a person does it: a folder with EICAR and the
harmless samples is scanned from the command line, "&Fix All" deletes, quarantines and cleans,
the quarantine folder holds a .vra file that decodes to the original, the Quarantine tab counts
it, and Restore and Delete act on its rows. The scan log beside the program lists the findings.
Screenshots go to <build>/artifacts/screenshots."""

from pathlib import Path

from harness import controls
from harness.evidence import on_failure
from harness.fixtures import EICAR
from harness.product_window import ProductWindowTest

SAMPLES = Path(__file__).resolve().parents[1] / "samples"
ids = controls.load().main

FOLDER = "C:\\UiFix"
CAGE = "C:\\[Vest-Cage]"
QUARANTINE_TAB = 4
HIDDEN_SCAN_TAB = 4
HIDDEN, SYSTEM = 0x2, 0x4
OK = "OK"
# Row status texts in the first-run language, Indonesian (messages 93, 89, 91).
DELETED, QUARANTINED, CLEANED = "Sudah dihapus", "Sudah dikarantina", "Sudah dibersihkan"
# file name -> (content, the status Fix All leaves on its row)
PLANTED = {
    "eicar.com": (EICAR, DELETED),
    "lovelines.vbs": ((SAMPLES / "worm/lovelines.vbs").read_bytes(), DELETED),
    "macro-note.vbs": ((SAMPLES / "script/macro-note.vbs").read_bytes(), QUARANTINED),
    "setup-dropper.exe": ((SAMPLES / "autorun/setup-dropper.exe").read_bytes(), QUARANTINED),
    "report.exe": ((SAMPLES / "docdrop/report.exe").read_bytes(), CLEANED),
}
QUARANTINED_NAMES = sorted(n for n, (_, s) in PLANTED.items() if s == QUARANTINED)


def decode_cage_file(data):
    """(origin path, virus name, type, body) of a .vra file: "Vra!", three UTF-16LE texts each
    ended by a 16-bit zero, then the body with byte i XORed by i mod 256 and a key, the body's
    length mod 256 (0x5D when that is 0)."""
    assert data[:4] == b"Vra!", data[:16]
    texts, at = [], 4
    while len(texts) < 3:
        end = at
        while data[end:end + 2] != b"\0\0":
            end += 2
        texts.append(data[at:end].decode("utf-16-le"))
        at = end + 2
    body = data[at:]
    key = len(body) % 256 or 0x5D
    return (*texts, bytes(b ^ (i % 256) ^ key for i, b in enumerate(body)))


class FixTests(ProductWindowTest):
    CASE_FOLDER = "uifix"

    def setUp(self):
        super().setUp()
        cage = self.bed.unix_path(CAGE)
        if cage.exists():
            for old in cage.iterdir():
                if old.is_file():
                    old.unlink()
        self.addCleanup(lambda: [f.unlink() for f in self.cage_files()])

    def cage_files(self):
        cage = self.bed.unix_path(CAGE)
        return sorted(cage.glob("*.vra")) if cage.exists() else []

    def path(self, name):
        return self.bed.unix_path(FOLDER + "\\" + name)

    def box(self, title=None, timeout_ms=60000):
        found = self.winauto.msgbox(pid=self.started.pid, title=title, timeout_ms=timeout_ms)
        self.assertIsNotNone(found, f"no message box {title or ''}")
        return found

    def press(self, box, button):
        self.assertTrue(self.winauto.press(box.window, button))
        self.assertTrue(self.winauto.wait_gone(box.window))

    def virus_rows(self):
        return {Path(r.cells[2].replace("\\", "/")).name.lower(): r
                for r in self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows}

    def cage_rows(self):
        return self.winauto.listview(self.hwnd, id=ids.kLVCage).rows

    def quarantine_caption(self):
        """The Quarantine tab's caption, centred in 15 characters."""
        tabs = self.winauto.tab(self.hwnd, id=ids.kTabMain) or []
        return tabs[QUARANTINE_TAB].caption if len(tabs) > QUARANTINE_TAB else None

    def scan_and_fix_all(self):
        for name, (content, _) in PLANTED.items():
            self.bed.put(f"{FOLDER}\\{name}", content)
        self.bed.put(f"{FOLDER}\\readme.txt", (SAMPLES / "clean/readme.txt").read_bytes())
        self.open(f'"{FOLDER}"')
        self.press(self.box(timeout_ms=240000), OK)  # the scan's summary
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))  # "> &Result"
        self.assertEqual(sorted(self.virus_rows()), sorted(PLANTED))
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdCleanAll))
        fixed = self.wait_until(
            lambda: (rows := self.virus_rows()) and all(r.cells[3] for r in rows.values()) and rows,
            120)
        self.assertTrue(fixed, "Fix All left rows without a status")
        return fixed

    def test_fix_all_then_restore_and_delete_in_quarantine(self):
        with on_failure(self.bed, self.winauto, "ui_fix_all"):
            rows = self.scan_and_fix_all()
            self.shoot("ui_fix_virus_list")
            self.assertEqual({n: r.cells[3] for n, r in rows.items()},
                             {n: s for n, (_, s) in PLANTED.items()})
            # Fixed rows refuse the check mark.
            self.assertFalse(any(r.checked for r in rows.values()))
            for name in PLANTED:
                self.assertFalse(self.path(name).exists(), name)
            # Cleaning the dropper gave the carried document back beside it.
            self.assertTrue(self.path("report.doc").is_file())
            self.assertTrue(self.path("readme.txt").is_file())
            # The pass told the Quarantine tab before anyone opened it.
            self.assertEqual(self.quarantine_caption(), "Quarantine (2) ")

            caged = {}
            for vra in self.cage_files():
                origin, virus, _, body = decode_cage_file(vra.read_bytes())
                caged[origin.rsplit("\\", 1)[-1]] = (vra, virus, body)
            self.assertEqual(sorted(caged), QUARANTINED_NAMES)
            for name in QUARANTINED_NAMES:
                self.assertEqual(caged[name][2], PLANTED[name][0], name)
            self.assertEqual(caged["macro-note.vbs"][1], "Vestra.Test.Script.MacroNote")

            log = (self.bed.unix_path(self.folder) / "vestra.log").read_bytes()
            text = log.decode("utf-16-le") if b"\0" in log else log.decode("latin-1")
            self.assertIn("Detected Virus :", text)
            for virus in ("Eicar-Test-Signature", "Vestra.Test.Worm.LoveLines",
                          "Vestra.Test.DocDropper"):
                self.assertIn(virus, text)

            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain,
                                                  select=QUARANTINE_TAB))
            self.assertTrue(self.wait_until(lambda: len(self.cage_rows()) == 2, 30),
                            self.cage_rows())
            self.assertEqual(self.quarantine_caption(), "Quarantine (2) ")
            self.shoot("ui_fix_quarantine_tab")
            origins = [r.cells[2].rsplit("\\", 1)[-1] for r in self.cage_rows()]
            self.assertEqual(sorted(origins), QUARANTINED_NAMES)

            # Restore only the script: its row is checked, the other is not.
            self.winauto.listview(self.hwnd, id=ids.kLVCage,
                                  check=origins.index("macro-note.vbs"))
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdCage0))
            self.press(self.box(), OK)  # the question
            self.press(self.box(), OK)  # the report
            self.assertEqual(self.path("macro-note.vbs").read_bytes(),
                             PLANTED["macro-note.vbs"][0])
            self.assertFalse(caged["macro-note.vbs"][0].exists())
            self.assertFalse(self.path("setup-dropper.exe").exists())
            self.assertTrue(self.wait_until(lambda: len(self.cage_rows()) == 1, 30))
            self.assertEqual(self.quarantine_caption(), "Quarantine (1) ")

            # Delete the one left.
            self.winauto.listview(self.hwnd, id=ids.kLVCage, check=0)
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdCage0 + 2))
            self.press(self.box(), OK)
            self.press(self.box(), OK)
            self.assertTrue(self.wait_until(lambda: not self.cage_rows(), 30))
            self.assertEqual(self.cage_files(), [])
            self.assertFalse(self.path("setup-dropper.exe").exists())
            self.assertEqual(self.quarantine_caption(), "Quarantine (0) ")

    def test_unhide_all_puts_the_attributes_back(self):
        self.bed.clear_drive("E:")
        self.bed.put("E:\\Top\\Stash\\kept.txt", "out of sight")
        self.bed.attrib("E:\\Top\\Stash", "+h", "+s")
        self.open('"E:\\Top"')
        with on_failure(self.bed, self.winauto, "ui_fix_unhide"):
            self.press(self.box(timeout_ms=240000), OK)
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabScan,
                                                  select=HIDDEN_SCAN_TAB))
            rows = self.winauto.listview(self.hwnd, id=ids.kLVHide).rows
            self.assertEqual([r.cells[3].lower() for r in rows], ["e:\\top\\stash"])
            self.assertEqual(self.caption(ids.kCmdScanEx0), "Unhide &All")
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdScanEx0))
            self.assertTrue(self.wait_until(
                lambda: not self.bed.attributes("E:\\Top\\Stash") & (HIDDEN | SYSTEM), 60),
                hex(self.bed.attributes("E:\\Top\\Stash")))
            row = self.wait_until(lambda: next(
                (r for r in self.winauto.listview(self.hwnd, id=ids.kLVHide).rows
                 if "H" not in r.cells[1] and "S" not in r.cells[1]), None), 30)
            self.assertIsNotNone(row, "the row still shows the hidden attributes")
            self.assertFalse(row.checked)  # an unhidden row is done with
            self.shoot("ui_fix_unhidden")
