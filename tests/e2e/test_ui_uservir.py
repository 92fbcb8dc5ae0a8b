"""The "One-Virus By-User" tool page as a person uses it: a program the database does not know is
chosen through "&Browse Other ...", confirmed, and shown on the page; a scan of the removable drive
then finds it and its copies as "Suspected By User"; "&Reset" takes the signature out again and the
next scan finds them clean. The "vrs" start adds a file as the lasting signature
"Malware.Behavior" that a later start detects. Screenshots of the page in both languages go to
<build>/artifacts/screenshots.

Vestra.exe runs beside its engine and database, laid out from <build>/dist on drive C:; the
planted program is a few harmless bytes with an "MZ" header that no signature matches."""

from harness import controls
from harness.evidence import on_failure
from harness.product_window import ProductWindowTest

ids = controls.load().main
YES, OK = "6", "OK"
TOOLS_TAB, SETTINGS_TAB = 3, 5
NONE = "-"
# The open-file dialog: its first edit box is the file name's (the folder list has none), and
# Open is its OK button.
OPEN_BUTTON = "1"
ORIGINAL = "E:\\UserVir\\dropper.exe"
COPIES = ("E:\\UserVir\\copy of dropper.exe", "E:\\UserVir\\Deep\\again.exe")
# Unchecking one of these areas asks first.
GUARDED_AREAS = ("System Area", "Memory Processes", "Services", "Registry Area", "Start-Up Area",
                 "Default Registry Area")
CLEAN_TITLE, FOUND_TITLE = "Komputer BAIK", "Status Komputer"  # messages 41 and 44


def harmless_program(tag):
    """A file that passes for a program: "MZ", padding, and text of its own."""
    return b"MZ" + bytes(62) + f"Vestra user-virus test program {tag}\r\n".encode() * 8


class UserVirusTests(ProductWindowTest):
    CASE_FOLDER = "uiuservir"

    def plant(self):
        self.bed.clear_drive("E:")
        body = harmless_program("one")
        for path in (ORIGINAL, *COPIES):
            self.bed.put(path, body)
        self.bed.put("E:\\UserVir\\other.exe", harmless_program("two"))

    def answer(self, button, title=None, timeout_ms=30000):
        box = self.winauto.msgbox(pid=self.started.pid, title=title, timeout_ms=timeout_ms)
        self.assertIsNotNone(box, f"no box {title!r}")
        self.assertTrue(self.winauto.press(box.window, button))
        self.assertTrue(self.winauto.wait_gone(box.window))
        return box

    def open_tools(self):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=TOOLS_TAB))
        self.assertTrue(self.wait_until(lambda: self.caption(ids.kTxUVPath) == NONE, 30),
                        f"the page shows {self.caption(ids.kTxUVPath)!r}")

    def declare(self, path):
        """Browse, the file typed in the dialog, Yes on the question."""
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdUVBrowse))
        dialog = self.winauto.wait(title="Select suspected file", pid=self.started.pid,
                                   timeout_ms=60000)
        self.assertIsNotNone(dialog, "no open-file dialog")
        self.assertTrue(self.winauto.settext(dialog, path, cls="Edit"))
        self.assertTrue(self.winauto.press(dialog, OPEN_BUTTON))
        question = self.answer(YES, timeout_ms=60000)
        self.assertEqual(question.text, 'Apakah Anda yakin "dropper.exe" adalah virus?')  # 8, 9
        self.assertTrue(self.wait_until(lambda: self.caption(ids.kTxUVPath) == path, 30),
                        f"the page shows {self.caption(ids.kTxUVPath)!r}")

    def set_node(self, text, checked):
        change = {"check": text} if checked else {"uncheck": text}
        self.assertIsNotNone(self.winauto.treeview(self.hwnd, id=ids.kTvDir, **change),
                             f"could not click the box of {text!r}")
        if not checked and text in GUARDED_AREAS:
            self.answer(YES)

        def shown():
            nodes = self.winauto.treeview(self.hwnd, id=ids.kTvDir) or []
            return any(n.text == text and n.checked == checked for n in nodes)

        self.assertTrue(self.wait_until(shown, 30), f"{text!r} did not become {checked}")

    def choose_drive_e(self):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=0))
        nodes = self.winauto.treeview(self.hwnd, id=ids.kTvDir)
        drive = [n.text for n in nodes if n.depth == 1 and n.text.endswith("(E:)")]
        self.assertEqual(len(drive), 1, [n.text for n in nodes])
        for node in nodes:
            if node.depth == 0 and node.checked:
                self.set_node(node.text, False)
        self.set_node(drive[0], True)

    def scan(self, report_shown=False):
        """Scan pressed (OK when it asks to drop the report on show), the summary answered; the
        virus rows as (name, lower-case path)."""
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=0))
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdScan))
        if report_shown:
            question = self.answer(OK, timeout_ms=60000)
            self.assertIn("Laporan scanning saat ini akan dihapus", question.text)
        box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=240000)
        self.assertIsNotNone(box, "no summary box after the scan")
        self.assertTrue(self.winauto.press(box.window, OK))
        self.assertTrue(self.winauto.wait_gone(box.window))
        rows = self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows
        return box, sorted((r.cells[0], r.cells[2].lower()) for r in rows)

    def switch_language(self, index):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=SETTINGS_TAB))
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kOptLang0 + index))
        wanted = ("> &Keluar <", "> &Exit <")[index]
        self.assertTrue(self.wait_until(lambda: self.caption(ids.kCmdExit) == wanted, 30))

    def test_a_declared_file_makes_its_copies_detected_until_reset(self):
        self.plant()
        self.open()
        with on_failure(self.bed, self.winauto, "ui_uservir_declare"):
            self.open_tools()
            self.assertFalse(self.enabled(ids.kCmdUVReset))
            self.declare(ORIGINAL)
            self.assertEqual(self.caption(ids.kLbUVName), "dropper.exe")
            self.assertEqual(self.caption(ids.kLbUVLev), "1")  # in no suspect record
            self.assertTrue(self.enabled(ids.kCmdUVReset))
            self.shoot("ui_uservir_tools_id")
            self.switch_language(1)
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=TOOLS_TAB))
            self.assertEqual(self.caption(ids.kCmdUVBrowse), "&Browse Other ...")
            self.shoot("ui_uservir_tools_en")
            self.switch_language(0)

            self.choose_drive_e()
            box, found = self.scan()
            self.assertEqual(box.title, FOUND_TITLE, box.text)
            self.assertIn("- 3 File Virus", box.text)
            self.assertEqual(found, sorted(("Suspected By User", p.lower())
                                           for p in (ORIGINAL, *COPIES)))
            self.shoot("ui_uservir_detected")

            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=TOOLS_TAB))
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdUVReset))
            self.assertTrue(self.wait_until(lambda: self.caption(ids.kTxUVPath) == NONE, 30))
            self.assertEqual(self.caption(ids.kLbUVName), NONE)
            self.assertFalse(self.enabled(ids.kCmdUVReset))
            box, found = self.scan(report_shown=True)
            self.assertEqual(box.title, CLEAN_TITLE, box.text)
            self.assertEqual(found, [])

    def test_a_file_that_is_not_a_program_is_refused(self):
        self.plant()
        self.bed.put("E:\\UserVir\\notes.txt", "only text")
        self.open()
        with on_failure(self.bed, self.winauto, "ui_uservir_refused"):
            self.open_tools()
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdUVBrowse))
            dialog = self.winauto.wait(title="Select suspected file", pid=self.started.pid,
                                       timeout_ms=60000)
            self.assertIsNotNone(dialog, "no open-file dialog")
            self.assertTrue(self.winauto.settext(dialog, "E:\\UserVir\\notes.txt", cls="Edit"))
            self.assertTrue(self.winauto.press(dialog, OPEN_BUTTON))
            box = self.answer("2", timeout_ms=60000)  # Cancel: no other file
            self.assertEqual(box.title, "File ini bukan virus")  # message 4
            self.assertEqual(self.caption(ids.kTxUVPath), NONE)

    def test_the_vrs_start_adds_a_lasting_behaviour_signature(self):
        self.plant()
        self.open(f"vrs {ORIGINAL}")
        with on_failure(self.bed, self.winauto, "ui_uservir_vrs"):
            # An ordinary start follows; the user virus of the page is not touched.
            self.open_tools()
            self.stop()
            self.open('"E:\\UserVir"')
            box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=240000)
            self.assertIsNotNone(box, "no summary box after the scan")
            self.assertEqual(box.title, FOUND_TITLE, box.text)
            self.assertTrue(self.winauto.press(box.window, OK))
            rows = self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows
            self.assertEqual(sorted((r.cells[0], r.cells[2].lower()) for r in rows),
                             sorted(("Malware.Behavior", p.lower()) for p in (ORIGINAL, *COPIES)))

    def enabled(self, control_id):
        for control in self.winauto.children(self.hwnd):
            if control.id == control_id:
                return control.enabled
        self.fail(f"no control {control_id}")
