"""The main window acting on what a scan found, as a person does it: a folder with EICAR and the
harmless samples is scanned from the command line, "&Fix All" deletes, quarantines and cleans,
the quarantine folder holds a .vra file that decodes to the original, the Quarantine tab counts
it, and Restore and Delete act on its rows. The scan log beside the program lists the findings.
The pop-up menus of the virus, hidden and
quarantine lists act on the checked rows and on all rows, and "Restore To ..." puts a file into a
folder chosen in the folder browser. Screenshots go to <build>/artifacts/screenshots."""

import shutil
from pathlib import Path

from harness import controls
from harness.evidence import on_failure
from harness.fixtures import EICAR
from harness.product_window import ProductWindowTest

SAMPLES = Path(__file__).resolve().parents[1] / "samples"
ids = controls.load().main

FOLDER = "C:\\UiFix"
# The hidden list reports paths on drives other than the Windows drive.
MENU_FOLDER, RESTORE_FOLDER = "E:\\UiMenu", "C:\\UiRestoreTo"
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

# The lists' pop-up menus in the window's order, None for a separator. winauto picks an item by
# its place, since a menu of another process cannot be read.
DETECT_MENU = ["Clean &All", "Clean &Checked", None, "Quarantine &All", "Quarantine &Checked",
               None, "Delete &All", "Delete &Checked", None, "Ignore (Exception)",
               "&Explore ...", "&Properties"]
HIDE_MENU = ["Unhide &All", "Unhide &Checked", None, "&Explore ...", "&Properties"]
CAGE_MENU = ["&Restore", "Restore &To ...", "&Explore", None, "&Delete"]


def place(menu, caption):
    return [item for item in menu if item].index(caption)


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


class FixWindowTest(ProductWindowTest):
    """Starts each case with an empty quarantine folder and reads the window's result lists."""
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

    def path(self, name, folder=FOLDER):
        return self.bed.unix_path(folder + "\\" + name)

    def virus_rows(self):
        return {Path(r.cells[2].replace("\\", "/")).name.lower(): r
                for r in self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows}

    def cage_rows(self):
        return self.winauto.listview(self.hwnd, id=ids.kLVCage).rows

    def hidden_rows(self):
        return {Path(r.cells[3].replace("\\", "/")).name.lower(): r
                for r in self.winauto.listview(self.hwnd, id=ids.kLVHide).rows}

    def status_line(self):
        return self.caption(ids.kLbStatus)

    def choose(self, list_id, menu, caption, row=None):
        self.assertTrue(self.winauto.popup(self.hwnd, place(menu, caption), row=row, id=list_id),
                        f"could not choose {caption!r}")

    def quarantine_caption(self):
        """The Quarantine tab's caption, centred in 15 characters; None while the window does
        not answer."""
        tabs = self.winauto.tab(self.hwnd, id=ids.kTabMain) or []
        return tabs[QUARANTINE_TAB].caption if len(tabs) > QUARANTINE_TAB else None

    def assert_quarantine_caption(self, expected, seconds=30):
        """The caption reads `expected` within `seconds`: a window still busy with the end of a
        pass does not answer the read at once."""
        self.wait_until(lambda: self.quarantine_caption() == expected, seconds)
        self.assertEqual(self.quarantine_caption(), expected)

    def scan(self, folder, planted):
        """Plants the files (name -> content) and a clean one, scans the folder from the command
        line and shows the result: the scan's summary box."""
        for name, content in planted.items():
            self.bed.put(f"{folder}\\{name}", content)
        self.bed.put(f"{folder}\\readme.txt", (SAMPLES / "clean/readme.txt").read_bytes())
        self.open(f'"{folder}"')
        summary = self.box(timeout_ms=240000)
        self.press(summary, OK)
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))  # "> &Result"
        return summary

    def statuses(self):
        return {name: row.cells[3] for name, row in self.virus_rows().items()}

    def assert_statuses(self, expected, seconds=60):
        """Waits for the virus list's "Status" column to read `expected` (name -> text); a row
        keeps the scan's own text there until a pass writes its outcome."""
        self.wait_until(lambda: self.statuses() == expected, seconds)
        self.assertEqual(self.statuses(), expected)

    def fix_all(self):
        """Presses "&Fix All" and waits for the end of the whole pass; the rows then."""
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdCleanAll))
        self.assertTrue(self.wait_until(lambda: self.status_line() == "Fixing all finished", 120),
                        f"Fix All did not finish: {self.status_line()!r}")
        return self.virus_rows()

    def scan_and_fix_all(self):
        self.scan(FOLDER, {name: content for name, (content, _) in PLANTED.items()})
        self.assertEqual(sorted(self.virus_rows()), sorted(PLANTED))
        return self.fix_all()


class FixTests(FixWindowTest):
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
            self.assert_quarantine_caption("Quarantine (2) ")

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
            self.assert_quarantine_caption("Quarantine (2) ")
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
            self.assert_quarantine_caption("Quarantine (1) ")

            # Delete the one left.
            self.winauto.listview(self.hwnd, id=ids.kLVCage, check=0)
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdCage0 + 2))
            self.press(self.box(), OK)
            self.press(self.box(), OK)
            self.assertTrue(self.wait_until(lambda: not self.cage_rows(), 30))
            self.assertEqual(self.cage_files(), [])
            self.assertFalse(self.path("setup-dropper.exe").exists())
            self.assert_quarantine_caption("Quarantine (0) ")

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

    def test_menus_act_on_checked_rows_then_all_rows_and_restore_to_a_chosen_folder(self):
        planted = {n: PLANTED[n][0] for n in
                   ("eicar.com", "lovelines.vbs", "macro-note.vbs", "setup-dropper.exe")}
        for folder in (MENU_FOLDER, RESTORE_FOLDER):
            shutil.rmtree(self.bed.unix_path(folder), ignore_errors=True)
        self.bed.make_folder(RESTORE_FOLDER)
        for stash in ("StashA", "StashB"):
            self.bed.put(f"{MENU_FOLDER}\\{stash}\\kept.txt", "out of sight")
            self.bed.attrib(f"{MENU_FOLDER}\\{stash}", "+h", "+s")
        with on_failure(self.bed, self.winauto, "ui_fix_menus"):
            self.scan(MENU_FOLDER, planted)
            rows = self.virus_rows()
            self.assertEqual(sorted(rows), sorted(planted))

            # Quarantine only the checked row, although its own action is to delete.
            self.winauto.listview(self.hwnd, id=ids.kLVDetect, check=rows["eicar.com"].index)
            self.choose(ids.kLVDetect, DETECT_MENU, "Quarantine &Checked")
            self.assertTrue(self.wait_until(lambda: self.status_line() == "Cleaning finished", 60),
                            self.status_line())
            scanned = {n: r.cells[3] for n, r in rows.items()}  # the scan's texts
            self.assertEqual(self.statuses(), {**scanned, "eicar.com": QUARANTINED})
            for name in ("lovelines.vbs", "macro-note.vbs", "setup-dropper.exe"):
                self.assertEqual(self.path(name, MENU_FOLDER).read_bytes(), planted[name], name)
            self.assertEqual(len(self.cage_files()), 1)

            # Delete all: the rows still open are deleted, whatever their own action; the
            # quarantined row is done with and stays as it is.
            self.choose(ids.kLVDetect, DETECT_MENU, "Delete &All", row=0)
            self.assert_statuses({"eicar.com": QUARANTINED, "lovelines.vbs": DELETED,
                                  "macro-note.vbs": DELETED, "setup-dropper.exe": DELETED})
            for name in planted:
                self.assertFalse(self.path(name, MENU_FOLDER).exists(), name)
            self.assertEqual(len(self.cage_files()), 1)  # the two own quarantines were not done
            self.shoot("ui_fix_menu_virus_list")

            # Unhide the checked folder only, then all.
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabScan,
                                                  select=HIDDEN_SCAN_TAB))
            hidden = self.hidden_rows()
            self.assertEqual(sorted(hidden), ["stasha", "stashb"])
            self.winauto.listview(self.hwnd, id=ids.kLVHide, check=hidden["stasha"].index)
            self.choose(ids.kLVHide, HIDE_MENU, "Unhide &Checked")
            self.assertTrue(self.wait_until(lambda: self.status_line() == "Unhiding finished", 60),
                            self.status_line())
            stash_a, stash_b = (f"{MENU_FOLDER}\\{n}" for n in ("StashA", "StashB"))
            self.assertFalse(self.bed.attributes(stash_a) & (HIDDEN | SYSTEM))
            self.assertEqual(self.bed.attributes(stash_b) & (HIDDEN | SYSTEM), HIDDEN | SYSTEM)
            self.choose(ids.kLVHide, HIDE_MENU, "Unhide &All")
            self.assertTrue(self.wait_until(
                lambda: not self.bed.attributes(stash_b) & (HIDDEN | SYSTEM), 60))
            self.assertTrue(self.wait_until(
                lambda: all("Hidden" not in r.cells[1] for r in self.hidden_rows().values()), 30),
                self.hidden_rows())
            self.shoot("ui_fix_menu_unhidden")

            # Restore To: the folder browser picks the folder, the file arrives there unchanged.
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain,
                                                  select=QUARANTINE_TAB))
            self.assertTrue(self.wait_until(lambda: len(self.cage_rows()) == 1, 30),
                            self.cage_rows())
            self.winauto.listview(self.hwnd, id=ids.kLVCage, check=0)
            self.choose(ids.kLVCage, CAGE_MENU, "Restore &To ...", row=0)
            self.assertEqual(self.winauto.choose_folder(self.started.pid, RESTORE_FOLDER),
                             "UiRestoreTo")
            report = self.box()
            # Messages 29 and 27 in Indonesian.
            self.assertEqual(report.text, "Semua file yang dicentang berhasil dikembalikan ke")
            self.press(report, OK)
            self.assertEqual(self.path("eicar.com", RESTORE_FOLDER).read_bytes(), EICAR)
            self.assertFalse(self.path("eicar.com", MENU_FOLDER).exists())
            self.assertEqual(self.cage_files(), [])
            self.assertTrue(self.wait_until(lambda: not self.cage_rows(), 30))
            self.assert_quarantine_caption("Quarantine (0) ")
