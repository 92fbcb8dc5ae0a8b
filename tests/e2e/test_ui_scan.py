"""The main window's scan as a person runs it: targets checked in the tree and "&Scan >>" pressed,
with the planted detections and the hidden folder of a removable drive in the result lists; the
counting skipped, after which the walk goes on without a total; and a scan stopped during the walk,
which ends early with "> &Result". Screenshots go to <build>/artifacts/screenshots.

Vestra.exe runs beside its engine and database, laid out from <build>/dist on drive C:. The Skip
and Stop cases slow the scan's pump (a test-only start-up variable) so that the count and the walk
each last far longer than the test needs to click: the state they click in is certain, not raced."""

import re
from pathlib import Path

from harness import controls
from harness.evidence import on_failure
from harness.fixtures import EICAR, make_many_files
from harness.product_window import ProductWindowTest, summary_counts, without_registry_line

SAMPLES = Path(__file__).resolve().parents[1] / "samples"

ids = controls.load().main
# A slowed scan waits this long before each directory entry; with the fixture below, counting
# takes about 40 s and so does the walk, against the few seconds a test takes to read and click.
PUMP_DELAY_MS = 50
FOLDERS, FILES = 4, 200
YES, OK = "6", "OK"
SKIP, STOP, RESULT = "&Skip >>", "# &Stop #", "> &Result"
# The stop button's questions in the first-run language, Indonesian (messages 39 and 37).
SKIP_TITLE, STOP_TITLE = "Lewati Analisis", "Stop Scanning"
# Unchecking one of these areas asks first; nothing else in the tree does.
GUARDED_AREAS = ("System Area", "Memory Processes", "Services", "Registry Area", "Start-Up Area",
                 "Default Registry Area")


class ScanTests(ProductWindowTest):
    CASE_FOLDER = "uiscan"

    def answer(self, title, button, timeout_ms=30000):
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
        """Clicks the node's check box; unchecking a guarded area brings the window's warning,
        which is answered Yes. Returns once the tree shows the node in that state."""
        change = {"check": text} if checked else {"uncheck": text}
        self.assertIsNotNone(self.winauto.treeview(self.hwnd, id=ids.kTvDir, **change),
                             f"could not click the box of {text!r}")
        if not checked and text in GUARDED_AREAS:
            question = self.winauto.msgbox(pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(question, f"no warning before unchecking {text!r}")
            self.assertIn(f'"{text}"', question.text)
            self.assertTrue(self.winauto.press(question.window, YES))
            self.assertTrue(self.winauto.wait_gone(question.window))

        def shown():
            nodes = self.winauto.treeview(self.hwnd, id=ids.kTvDir) or []
            return any(n.text == text and n.checked == checked for n in nodes)

        self.assertTrue(self.wait_until(shown, 30), f"{text!r} did not become {checked}")

    def open_slowed(self, folder):
        self.open(f'"{folder}"', pump_delay_ms=PUMP_DELAY_MS)

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
            nodes = self.winauto.treeview(self.hwnd, id=ids.kTvDir)
            drive = [n.text for n in nodes if n.depth == 1 and n.text.endswith("(E:)")]
            self.assertEqual(len(drive), 1, [n.text for n in nodes])
            # Only the drive: the system areas are not what this case is about.
            for node in nodes:
                if node.depth == 0 and node.checked:
                    self.set_node(node.text, False)
            self.set_node(drive[0], True)
            self.shoot("ui_scan_tree_targets")
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdScan))
            box = self.summary(180000)
            self.assertEqual(box.title, "Status Komputer")  # message 44
            self.assertIn("- 3 File Virus", box.text)  # message 45
            self.assertIn("- 1 File Tersembunyi", box.text)  # message 47
            self.shoot("ui_scan_tree_summary")
            self.assertTrue(self.winauto.press(box.window, OK))
            self.assertEqual(self.caption(ids.kCmdStop), RESULT)

            rows = self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows
            found = sorted((r.cells[0], r.cells[2].lower()) for r in rows)
            self.assertEqual(found, [
                ("Eicar-Test-Signature", "e:\\docs\\eicar.com"),
                ("Vestra.Test.Script.MacroNote", "e:\\docs\\macro-note.vbs"),
                ("Vestra.Test.Worm.LoveLines", "e:\\docs\\lovelines.vbs"),
            ])
            hidden = self.winauto.listview(self.hwnd, id=ids.kLVHide).rows
            self.assertEqual([r.cells[3].lower() for r in hidden], ["e:\\stash"])
            self.assertIn("H", hidden[0].cells[1])
            self.assertIn("S", hidden[0].cells[1])
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))  # "> &Result"
            self.shoot("ui_scan_tree_virus_list")

    def test_skipping_the_count_walks_without_a_total(self):
        make_many_files(self.bed, "C:\\UiSkip", FOLDERS, FILES)
        self.open_slowed("C:\\UiSkip")
        with on_failure(self.bed, self.winauto, "ui_scan_skip"):
            # The count shows itself while it runs.
            self.assertTrue(self.wait_until(
                lambda: self.caption(ids.kCmdStop) == SKIP and
                (self.caption(ids.kLbStatus) or "").startswith("Analyzing "), 60),
                f"never counting: {self.caption(ids.kCmdStop)!r} {self.caption(ids.kLbStatus)!r}")
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))
            # The question holds the count where it is until it is answered.
            box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(box, "no question after Skip")
            self.assertEqual(box.title, SKIP_TITLE, box.text)
            self.shoot("ui_scan_skip_counting")
            self.assertTrue(self.winauto.press(box.window, YES))
            self.assertTrue(self.winauto.wait_gone(box.window))
            self.assertTrue(self.wait_until(lambda: self.caption(ids.kCmdStop) == STOP, 30))
            # Without a total the status names no counts.
            self.assertEqual(self.caption(ids.kLbStatus), "Scanning Files And Folders ....")
            self.shoot("ui_scan_skip_walking")
            box = self.summary(300000)
            # No file was found: only the prefix's own registry line may stand (message 41 when
            # not even that).
            self.assertEqual(summary_counts(without_registry_line(box.text)), {}, box.text)
            registry_found = without_registry_line(box.text) != box.text
            self.assertEqual(box.title, "Status Komputer" if registry_found else "Komputer BAIK")
            self.shoot("ui_scan_skip_summary")
            self.assertTrue(self.winauto.press(box.window, OK))
            self.assertEqual(self.caption(ids.kCmdStop), RESULT)
            scanned = re.search(r"File Scanned : (\d+)", self.caption(ids.kTxFile))
            self.assertIsNotNone(scanned, self.caption(ids.kTxFile))
            # The walk still went on through every planted file; the files that the start-up
            # and system areas check (start-up folders, the hosts file) count as scanned too.
            self.assertGreaterEqual(int(scanned.group(1)), FOLDERS * FILES)

    def test_stopping_during_the_walk_ends_the_scan_early(self):
        total = make_many_files(self.bed, "C:\\UiStop", FOLDERS, FILES)
        self.open_slowed("C:\\UiStop")
        with on_failure(self.bed, self.winauto, "ui_scan_stop"):
            walking = re.compile(r"Scanning (\d+) Files and (\d+) Folders \.\.\.\.")
            counted = self.wait_until(
                lambda: self.caption(ids.kCmdStop) == STOP and walking.match(
                    self.caption(ids.kLbStatus) or ""), 180)
            self.assertTrue(counted, "the file walk never started")
            self.assertEqual(int(counted.group(1)), total)
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))
            self.answer(STOP_TITLE, YES)
            box = self.summary(120000)
            self.shoot("ui_scan_stop_summary")
            self.assertTrue(self.winauto.press(box.window, OK))
            self.assertEqual(self.caption(ids.kCmdStop), RESULT)
            scanned = re.search(r"File Scanned : (\d+)", self.caption(ids.kTxFile))
            self.assertIsNotNone(scanned, self.caption(ids.kTxFile))
            self.assertLess(int(scanned.group(1)), total)
            self.shoot("ui_scan_stop_result")
