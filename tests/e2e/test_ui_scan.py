"""The main window's scan as a person runs it: targets checked in the tree and "&Scan >>" pressed,
with the planted detections and the hidden folder of a removable drive in the result lists; the
counting skipped, after which the walk goes on without a total; and a scan stopped during the walk,
which ends early with "> &Result". Screenshots go to <build>/artifacts/screenshots.

Vestra.exe runs beside its engine and database, laid out from <build>/dist on drive C:."""

import re
from pathlib import Path

from harness.evidence import on_failure
from harness.product_window import ProductWindowTest

SAMPLES = Path(__file__).resolve().parents[1] / "samples"

# Control ids of the main window (ui/model/ControlIds.h).
TV_DIR, CMD_SCAN, LB_STATUS, TX_FILE = 1101, 1108, 1110, 1112
LV_DETECT, LV_HIDE, CMD_STOP = 1121, 1123, 1131
# Written in two halves so that no file of the repository holds the whole test string.
EICAR = r"X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STA" + "NDARD-ANTIVIRUS-TEST-FILE!$H+H*"
YES, OK = "6", "OK"
SKIP, STOP, RESULT = "&Skip >>", "# &Stop #", "> &Result"
# The stop button's questions in the first-run language, Indonesian (messages 39 and 37).
SKIP_TITLE, STOP_TITLE = "Lewati Analisis", "Stop Scanning"


class ScanTests(ProductWindowTest):
    CASE_FOLDER = "uiscan"

    def answer(self, title, button, timeout_ms=15000):
        box = self.winauto.msgbox(pid=self.started.pid, title=title, timeout_ms=timeout_ms)
        self.assertIsNotNone(box, f"no box {title!r}")
        self.assertTrue(self.winauto.press(box.window, button))
        self.assertTrue(self.winauto.wait_gone(box.window))
        return box

    def summary(self, timeout_ms):
        box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=timeout_ms)
        self.assertIsNotNone(box, "no summary box after the scan")
        return box

    def set_node(self, text, checked):
        """Clicks the node's check box; answers the window's warning, if it asks, with Yes."""
        change = {"check": text} if checked else {"uncheck": text}
        self.assertIsNotNone(self.winauto.treeview(self.hwnd, id=TV_DIR, **change),
                             f"could not click the box of {text!r}")
        question = self.winauto.msgbox(pid=self.started.pid, timeout_ms=1500)
        if question:
            self.assertTrue(self.winauto.press(question.window, YES))
            self.assertTrue(self.winauto.wait_gone(question.window))
        nodes = {n.text: n.checked for n in self.winauto.treeview(self.hwnd, id=TV_DIR)}
        self.assertEqual(nodes[text], checked, text)

    def make_many_files(self, windows_folder, folders, files):
        root = self.bed.unix_path(windows_folder)
        for sub in range(folders):
            (root / f"d{sub}").mkdir(parents=True, exist_ok=True)
            for n in range(files):
                (root / f"d{sub}" / f"f{n}.exe").write_bytes(b"MZ" + bytes(200))
        return folders * files

    def test_targets_checked_in_the_tree_are_scanned_with_their_findings(self):
        self.bed.clear_drive("E:")
        self.bed.put("E:\\Docs\\eicar.com", EICAR)
        for sample in ("worm/lovelines.vbs", "script/macro-note.vbs"):
            self.bed.put("E:\\Docs\\" + sample.split("/")[1], (SAMPLES / sample).read_bytes())
        self.bed.put("E:\\Docs\\notes.txt", "nothing to see")
        self.bed.put("E:\\Stash\\kept.txt", "out of sight")
        self.bed.attrib("E:\\Stash", "+h", "+s")
        self.open()
        with on_failure(self.bed, self.winauto, "ui_scan_tree"):
            nodes = self.winauto.treeview(self.hwnd, id=TV_DIR)
            drive = [n.text for n in nodes if n.depth == 1 and n.text.endswith("(E:)")]
            self.assertEqual(len(drive), 1, [n.text for n in nodes])
            # Only the drive: the system areas are not what this case is about.
            for node in nodes:
                if node.depth == 0 and node.checked:
                    self.set_node(node.text, False)
            self.set_node(drive[0], True)
            self.shoot("ui_scan_tree_targets")
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_SCAN))
            box = self.summary(180000)
            self.assertEqual(box.title, "Status Komputer")  # message 44
            self.assertIn("- 3 File Virus", box.text)  # message 45
            self.assertIn("- 1 File Tersembunyi", box.text)  # message 47
            self.shoot("ui_scan_tree_summary")
            self.assertTrue(self.winauto.press(box.window, OK))
            self.assertEqual(self.caption(CMD_STOP), RESULT)

            rows = self.winauto.listview(self.hwnd, id=LV_DETECT).rows
            found = sorted((r.cells[0], r.cells[2].lower()) for r in rows)
            self.assertEqual(found, [
                ("Eicar-Test-Signature", "e:\\docs\\eicar.com"),
                ("Vestra.Test.Script.MacroNote", "e:\\docs\\macro-note.vbs"),
                ("Vestra.Test.Worm.LoveLines", "e:\\docs\\lovelines.vbs"),
            ])
            hidden = self.winauto.listview(self.hwnd, id=LV_HIDE).rows
            self.assertEqual([r.cells[3].lower() for r in hidden], ["e:\\stash"])
            self.assertIn("H", hidden[0].cells[1])
            self.assertIn("S", hidden[0].cells[1])
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_STOP))  # "> &Result"
            self.shoot("ui_scan_tree_virus_list")

    def test_skipping_the_count_walks_without_a_total(self):
        self.make_many_files("C:\\UiSkip", 80, 300)
        self.open('"C:\\UiSkip"')
        with on_failure(self.bed, self.winauto, "ui_scan_skip"):
            self.assertTrue(self.wait_until(lambda: self.caption(CMD_STOP) == SKIP, 60),
                            "the stop button never read Skip")
            # The count shows itself while it runs.
            self.assertTrue(self.wait_until(
                lambda: (self.caption(LB_STATUS) or "").startswith("Analyzing "), 20),
                self.caption(LB_STATUS))
            self.assertEqual(self.caption(CMD_STOP), SKIP, "the count ended before the test")
            self.shoot("ui_scan_skip_counting")
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_STOP))
            self.answer(SKIP_TITLE, YES)
            self.assertTrue(self.wait_until(lambda: self.caption(CMD_STOP) == STOP, 30))
            # Without a total the status names no counts.
            self.assertEqual(self.caption(LB_STATUS), "Scanning Files And Folders ....")
            self.shoot("ui_scan_skip_walking")
            box = self.summary(300000)
            self.assertEqual(box.title, "Komputer BAIK")  # message 41: nothing found
            self.shoot("ui_scan_skip_summary")
            self.assertTrue(self.winauto.press(box.window, OK))
            self.assertEqual(self.caption(CMD_STOP), RESULT)

    def test_stopping_during_the_walk_ends_the_scan_early(self):
        total = self.make_many_files("C:\\UiStop", 40, 300)
        self.open('"C:\\UiStop"')
        with on_failure(self.bed, self.winauto, "ui_scan_stop"):
            walking = re.compile(r"Scanning (\d+) Files and (\d+) Folders \.\.\.\.")
            self.assertTrue(self.wait_until(
                lambda: self.caption(CMD_STOP) == STOP and walking.match(
                    self.caption(LB_STATUS) or ""), 120), "the file walk never started")
            counted = walking.match(self.caption(LB_STATUS))
            self.assertEqual(int(counted.group(1)), total)
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_STOP))
            self.answer(STOP_TITLE, YES)
            box = self.summary(120000)
            self.shoot("ui_scan_stop_summary")
            self.assertTrue(self.winauto.press(box.window, OK))
            self.assertEqual(self.caption(CMD_STOP), RESULT)
            scanned = re.search(r"File Scanned : (\d+)", self.caption(TX_FILE))
            self.assertIsNotNone(scanned, self.caption(TX_FILE))
            self.assertLess(int(scanned.group(1)), total)
            self.shoot("ui_scan_stop_result")
