"""The "One-Virus By-User" tool page as a person uses it: a program the database does not know is
chosen through "&Browse Other ...", confirmed, and shown on the page; a scan of the removable drive
then finds it and its copies as "Suspected By User"; "&Reset" takes the signature out again and the
next scan finds them clean. The "vrs" start adds a file as the lasting signature
"Malware.Behavior" that a later start detects. A program the database does not know, started from
both run keys and the start-up folder and named by the removable drive's autorun.inf, is weighed
at start as the most dangerous suspect, becomes a user signature, and a scan detects it by that
signature, its log listing it before and after. Screenshots of the page and of the suspect list
in both languages go to <build>/artifacts/screenshots.

Vestra.exe runs beside its engine and database, laid out from <build>/dist on drive C:; the
planted program is a few harmless bytes with an "MZ" header that no signature matches."""

import shutil

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


class UserVirusPage(ProductWindowTest):
    """What the cases of the page do as a person would."""

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

    def enabled(self, control_id):
        for control in self.winauto.children(self.hwnd):
            if control.id == control_id:
                return control.enabled
        self.fail(f"no control {control_id}")


class UserVirusTests(UserVirusPage):
    CASE_FOLDER = "uiuservir"

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


# The anchored program of the heuristics case, and where it is anchored.
ANCHORED = "C:\\VestraE2E\\heur\\updater.exe"
RUN_KEYS = ["HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
            "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"]
RUN_VALUE = "VestraE2EUpdater"
SHELL_FOLDERS = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"


class HeuristicTests(UserVirusPage):
    CASE_FOLDER = "uiheur"  # its own signature store: the promotion lasts beyond the case

    def startup_folder(self):
        done = self.bed.run("reg", "query", SHELL_FOLDERS, "/v", "Startup")
        for line in done.stdout.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) == 3 and parts[0] == "Startup":
                return parts[2]
        self.fail(f"no start-up folder: {done.stdout}")

    def anchor(self):
        """The program in its folder, a copy in the start-up folder, both run keys and the
        autorun.inf of E:; all of it removed when the case ends."""
        body = harmless_program("anchored")
        shutil.rmtree(self.bed.unix_path(ANCHORED.rsplit("\\", 1)[0]), ignore_errors=True)
        self.bed.put(ANCHORED, body)
        copy = self.startup_folder() + "\\updater.exe"
        self.bed.put(copy, body)
        self.addCleanup(lambda: self.bed.unix_path(copy).unlink(missing_ok=True))
        for key in RUN_KEYS:
            done = self.bed.run("reg", "add", key, "/v", RUN_VALUE, "/t", "REG_SZ", "/d",
                                f'"{ANCHORED}" /background', "/f")
            self.assertEqual(done.returncode, 0, done.stderr)
            self.addCleanup(self.bed.run, "reg", "delete", key, "/v", RUN_VALUE, "/f")
        self.bed.clear_drive("E:")
        self.addCleanup(self.bed.clear_drive, "E:")
        self.bed.put("E:\\autorun.inf", f"[autorun]\r\nopen={ANCHORED}\r\n")
        return copy

    def suspect_rows(self):
        view = self.winauto.listview(self.hwnd, id=ids.kLVUnwanted)
        return {r.cells[0].lower(): r.cells for r in view.rows} if view else {}

    def test_a_program_anchored_in_autostart_places_is_promoted_and_detected(self):
        copy = self.anchor()
        self.open()
        with on_failure(self.bed, self.winauto, "ui_heuristics"):
            self.open_tools()
            row = self.wait_until(lambda: self.suspect_rows().get("updater.exe"), 30)
            self.assertIsNotNone(row, self.suspect_rows())
            # Two run keys and the start-up folder (10 each) and the autorun.inf (200).
            self.assertEqual(row[1:3], ["9", "Start-Up, Autorun as : Danger Virus!!"])
            self.assertEqual(row[4].lower(), ANCHORED.lower())
            self.shoot("ui_heuristics_suspects_id")
            self.switch_language(1)
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=TOOLS_TAB))
            self.shoot("ui_heuristics_suspects_en")
            self.switch_language(0)
            self.stop()

            # The promotion is a lasting user signature: a later scan detects the program by it.
            self.open(f'"{ANCHORED.rsplit(chr(92), 1)[0]}"')
            box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=240000)
            self.assertIsNotNone(box, "no summary box after the scan")
            self.assertEqual(box.title, FOUND_TITLE, box.text)
            self.assertTrue(self.winauto.press(box.window, OK))
            rows = self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows
            self.assertIn(("New Heur.Level(9)", ANCHORED.lower()),
                          [(r.cells[0], r.cells[2].lower()) for r in rows])

            log_file = self.bed.unix_path(self.folder) / "vestra.log"
            self.assertTrue(self.wait_until(log_file.exists, 30), "no scan log")
            log = log_file.read_bytes()
            text = log.decode("utf-16-le") if b"\0" in log else log.decode("latin-1")
            before, _, after = text.partition("After Scanning")
            self.assertIn("Before Scanning", before)
            for part in (before, after):
                self.assertIn("=> updater.exe(Level 9) as  : 2 Startup, 1 Autorun.inf", part)
                self.assertIn(f"   -{ANCHORED}".lower(), part.lower())
                self.assertIn(f"   -{copy}".lower(), part.lower())
