"""Running programs as the product meets them: the start-up memory check ends a running program
whose file the database detects (and says so), a scan over the memory and service areas ends such
a program and stops and uninstalls a service that runs a detected file, and the clean program
stays running through both; the Process Manager page lists it with its path, and its pop-up
menu suspends, resumes, restarts and kills the checked program only, shows the process tree with
parent and child and the properties of a running program (version strings, loaded modules).
Screenshots in both languages go to <build>/artifacts/screenshots.

The programs are the harmless fixtures of tests/e2e/fixtures: process_marked.exe carries a test
signature's body bytes, process_plain.exe nothing. The test service is created in the prefix with
"sc create" and removed again when the case ends."""

import shutil

from harness import controls
from harness.evidence import on_failure, screenshot
from harness.product_window import ProductWindowTest

_ids = controls.load()
ids, prop = _ids.main, _ids.fileprop
PROGRAMS = "C:\\VestraE2E\\procs\\"
SERVICE = "VestraE2EProcSvc"
DETECTED = "Vestra.Test.Worm.LoveLines"
# Message 52 in the first-run language (Indonesian), and the product name as its title.
INFECTED = "Komputer Anda sedang terinfeksi virus"
TOOLS_TAB, PROCESS_PAGE, SETTINGS_TAB = 3, 1, 5
YES, OK = "6", "OK"
# The Process Manager's pop-up menu without separators, and its "&Action" submenu.
PROCESS_MENU = ["&Action", "&Select", "S&hutdown", "Concea&l Windows!", "Process &Tree",
                "&Create Process ...", "&Explore ...", "&Google ...", "&Process Information"]
ACTIONS = ["kill", "restart", "suspend", "resume"]
BEAT = PROGRAMS + "beat.txt"
TREE_CLASS, PROP_CLASS = "VestraProcessTree", "VestraFileProp"
WINVER = "C:\\windows\\system32\\winver.exe"
GUARDED_AREAS = ("System Area", "Memory Processes", "Services", "Registry Area", "Start-Up Area",
                 "Default Registry Area")


class ProcessTests(ProductWindowTest):
    CASE_FOLDER = "uiproc"

    def setUp(self):
        super().setUp()
        built = self.bed.build / "e2e"
        for name in ("process_marked.exe", "process_plain.exe"):
            if not (built / name).is_file():
                self.skipTest(f"{built / name} is not built yet")
        folder = self.bed.unix_path(PROGRAMS)
        if folder.exists():
            shutil.rmtree(folder)
        folder.mkdir(parents=True)
        for source, name in (("process_marked.exe", "marked.exe"),
                             ("process_marked.exe", "svc_marked.exe"),
                             ("process_plain.exe", "process_plain.exe"),
                             ("process_plain.exe", "plain.exe")):
            shutil.copy2(built / source, folder / name)
        self.programs = []
        self.addCleanup(self.end_programs)
        # What the fixtures start themselves (the child of "--child", a restarted copy) is not
        # in self.programs: ended by name, so that no case meets another's.
        for name in ("plain.exe", "process_plain.exe"):
            self.addCleanup(self.bed.run, "taskkill", "/f", "/im", name)

    def end_programs(self):
        for started in self.programs:
            if started.running():
                self.winauto.kill(started.pid)
            started.close()

    def run_program(self, name, arguments=""):
        line = f'"{PROGRAMS}{name}"' + (f" {arguments}" if arguments else "")
        started = self.winauto.start(line, cwd=PROGRAMS)
        self.assertIsNotNone(started, f"{name} did not start")
        self.programs.append(started)
        return started

    def start_product(self):
        line = self.product.command_line(self.folder)
        self.started = self.winauto.start(line, cwd=self.folder)
        self.assertIsNotNone(self.started, "the program did not start")

    def main_window(self):
        self.hwnd = self.wait_until(self.main_window_or_offer_answered, 120)
        self.assertIsNotNone(self.hwnd, "the main window did not appear")

    def virus_rows(self):
        return self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows

    def process_rows(self):
        view = self.winauto.listview(self.hwnd, id=ids.kLVProc)
        return view.rows if view else []

    def set_node(self, text, checked):
        change = {"check": text} if checked else {"uncheck": text}
        self.assertIsNotNone(self.winauto.treeview(self.hwnd, id=ids.kTvDir, **change))
        if not checked and text in GUARDED_AREAS:
            question = self.winauto.msgbox(pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(question, f"no warning before unchecking {text!r}")
            self.assertTrue(self.winauto.press(question.window, YES))
            self.assertTrue(self.winauto.wait_gone(question.window))

        def shown():
            nodes = self.winauto.treeview(self.hwnd, id=ids.kTvDir) or []
            return any(n.text == text and n.checked == checked for n in nodes)

        self.assertTrue(self.wait_until(shown, 30), f"{text!r} did not become {checked}")

    def service_gone(self):
        query = self.bed.run("sc", "query", SERVICE)
        return query.returncode != 0 or "1060" in query.stdout + query.stderr

    def open_process_manager(self):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=TOOLS_TAB))
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabTool, select=PROCESS_PAGE))

    def test_the_startup_check_ends_the_detected_program_only(self):
        marked = self.run_program("marked.exe", "--child")
        plain = self.run_program("plain.exe", '"C:\\a folder\\x.txt" \u0424\u0430\u0439\u043b')
        self.start_product()
        with on_failure(self.bed, self.winauto, "ui_processes_startup"):
            box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=120000)
            self.assertIsNotNone(box, "no infection message at start-up")
            self.assertEqual(box.title, "Vestra")
            self.assertIn(INFECTED, box.text)
            self.assertTrue(self.wait_until(lambda: not marked.running(), 30),
                            "the detected program still runs")
            self.assertTrue(plain.running(), "the clean program was ended")
            self.assertTrue(self.winauto.press(box.window, OK))
            self.main_window()
            rows = self.virus_rows()
            self.assertIn((DETECTED, "detected process [killed]"),
                          [(r.cells[0], r.cells[3].lower()) for r in rows])
            self.assertIn((PROGRAMS + "marked.exe").lower(), [r.cells[2].lower() for r in rows])
            self.shoot("ui_processes_startup_virus_list")

            self.open_process_manager()

            def listed():
                names = {r.cells[0].lower(): r for r in self.process_rows()}
                return names if "plain.exe" in names and "process_plain.exe" in names else None

            names = self.wait_until(listed, 60)
            self.assertIsNotNone(names, [r.cells for r in self.process_rows()])
            self.assertEqual(names["plain.exe"].cells[4].lower(), (PROGRAMS + "plain.exe").lower())
            self.assertNotIn("marked.exe", names)
            self.shoot("ui_processes_manager_id")
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=5))
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kOptLang0 + 1))
            self.open_process_manager()
            self.shoot("ui_processes_manager_en")

    def test_a_scan_of_memory_and_services_ends_what_it_detects(self):
        self.bed.run("sc", "delete", SERVICE)
        made = self.bed.run("sc", "create", SERVICE, "binpath=", PROGRAMS + "svc_marked.exe",
                            "start=", "demand")
        self.assertEqual(made.returncode, 0, made.stdout + made.stderr)
        self.addCleanup(lambda: self.bed.run("sc", "delete", SERVICE))
        self.open()
        marked = self.run_program("marked.exe")
        plain = self.run_program("plain.exe")
        with on_failure(self.bed, self.winauto, "ui_processes_scan"):
            for node in self.winauto.treeview(self.hwnd, id=ids.kTvDir):
                if node.depth == 0 and node.checked and node.text not in ("Memory Processes",
                                                                          "Services"):
                    self.set_node(node.text, False)
            for area in ("Memory Processes", "Services"):
                self.set_node(area, True)
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdScan))
            box = self.winauto.msgbox(pid=self.started.pid, timeout_ms=180000)
            self.assertIsNotNone(box, "no summary box after the scan")
            self.shoot("ui_processes_scan_summary")
            self.assertTrue(self.winauto.press(box.window, OK))
            found = {r.cells[2].lower(): r.cells[3] for r in self.virus_rows()}
            self.assertEqual(found.get((PROGRAMS + "marked.exe").lower()),
                             "Detected Process [Killed]", found)
            self.assertIn(found.get((PROGRAMS + "svc_marked.exe").lower()),
                          ("Detected Services [Stopped & Uninstalled]",
                           "Detected Services [Uninstalled]"), found)
            self.assertTrue(self.wait_until(lambda: not marked.running(), 30))
            self.assertTrue(plain.running(), "the clean program was ended")
            self.assertTrue(self.wait_until(self.service_gone, 30),
                            "the detected service is still installed")
            self.shoot("ui_processes_scan_virus_list")

    # The Process Manager's own commands ------------------------------------------------------

    def row_of(self, name):
        """The Process Manager's row of the one process called `name` (its status may follow)."""
        rows = [r for r in self.process_rows() if r.cells[0].lower().split(" ")[0] == name]
        return rows[0] if len(rows) == 1 else None

    def check_only(self, name):
        """Leaves the row of `name` the only checked one. Short-lived processes (each winauto
        call is one) come and go with the list's second ticks and move the rows, so a click by
        row index can land beside its row: the marks are read back until they are right."""
        def settled():
            rows = self.process_rows()
            mine = [r for r in rows if r.cells[0].lower().split(" ")[0] == name]
            if len(mine) != 1:
                return False
            wrong = [r for r in rows if r.checked and r.index != mine[0].index]
            for other in wrong:
                self.winauto.listview(self.hwnd, id=ids.kLVProc, uncheck=other.index)
            if not mine[0].checked:
                self.winauto.listview(self.hwnd, id=ids.kLVProc, check=mine[0].index)
            return not wrong and mine[0].checked
        self.assertTrue(self.wait_until(settled, 60), [r.cells for r in self.process_rows()])

    def act(self, name, action):
        """Checks the row of `name` alone, chooses the action from the pop-up menu and answers
        its question (and the system-process one, where Wine's parentage asks it) with Yes. The
        question names the checked rows: a wrong mark fails here, before anything is done."""
        self.check_only(name)
        row = self.row_of(name)
        self.assertTrue(self.winauto.popup(self.hwnd, PROCESS_MENU.index("&Action"),
                                           row=row.index if row else None,
                                           sub=ACTIONS.index(action), id=ids.kLVProc))
        question = self.box(title=action, timeout_ms=30000)
        if f'{action} "{name}"' not in question.text:
            self.press(question, "7")  # No
            self.fail(question.text)
        self.press(question, YES)
        again = self.winauto.msgbox(pid=self.started.pid, title=action, timeout_ms=3000)
        if again:
            self.press(again, YES)

    def beating(self, seconds=1.5):
        """Whether the program behind the beat file counts on within `seconds` (it writes ten
        times a second): true as soon as the count moves. That a suspended program does not
        can only be seen by watching it for the whole time."""
        beat = self.bed.unix_path(BEAT)
        first = beat.read_text()
        return bool(self.wait_until(lambda: beat.read_text() != first, seconds))

    def check_tree(self):
        """The tree window shows the parent with its child right below it."""
        row = self.row_of("plain.exe")
        self.assertTrue(self.winauto.popup(self.hwnd, PROCESS_MENU.index("Process &Tree"),
                                           row=row.index, id=ids.kLVProc))
        window = self.winauto.wait(cls=TREE_CLASS, pid=self.started.pid, timeout_ms=30000)
        self.assertIsNotNone(window, "the process tree did not open")
        nodes = self.winauto.treeview(window, id=100)
        names = [n.text.lower() for n in nodes]
        self.assertIn("plain.exe", names)
        at = names.index("plain.exe")
        self.assertEqual((names[at + 1], nodes[at + 1].depth), ("process_plain.exe",
                                                                nodes[at].depth + 1), names)
        return window

    def check_information(self, name, pid, language):
        """"&Process Information" on the program's row: its version strings and its modules."""
        # The right click selects the row it lands on; one that landed beside it (the rows
        # move, as check_only says) shows another process, which is closed and tried again.
        for _ in range(5):
            row = self.wait_until(lambda: self.row_of(name), 60)
            self.assertIsNotNone(row)
            self.assertTrue(self.winauto.popup(
                self.hwnd, PROCESS_MENU.index("&Process Information"), row=row.index,
                id=ids.kLVProc))
            window = self.winauto.wait(cls=PROP_CLASS, pid=self.started.pid, timeout_ms=60000)
            self.assertIsNotNone(window, "the properties window did not open")
            info = [r.cells for r in self.winauto.listview(window, id=prop.kLVProcessInfo).rows]
            if info[1][1] == str(pid):
                break
            self.assertTrue(self.winauto.close(window))
            self.assertTrue(self.winauto.wait_gone(window, timeout_ms=30000))
        self.assertEqual(info[1][1], str(pid), info)
        self.assertIsNotNone(self.winauto.tab(window, id=prop.kTabMain, select=1))
        versions = dict(tuple(r.cells[:2])
                        for r in self.winauto.listview(window, id=prop.kLVFileVersion).rows)
        self.assertEqual(versions["OriginalFileName"].lower(), name, versions)
        self.assertIsNotNone(self.winauto.tab(window, id=prop.kTabMain, select=2))
        modules = self.wait_until(lambda: [r.cells[3].lower() for r in self.winauto.listview(
            window, id=prop.kLVModule).rows if len(r.cells) > 3], 30)
        self.assertIsNotNone(modules, "no modules listed")
        self.assertEqual(modules[0], WINVER.lower())  # the image first
        self.assertIn("c:\\windows\\system32\\kernel32.dll", modules)
        screenshot(self.bed, f"ui_processes_modules_{language}", self.winauto.rect(window))
        self.assertTrue(self.winauto.close(window))
        self.assertTrue(self.winauto.wait_gone(window, timeout_ms=30000))

    def test_the_process_manager_acts_on_the_checked_program_only(self):
        self.open()
        parent = self.run_program("plain.exe", f"--child --beat {BEAT}")
        about = self.winauto.start(f'"{WINVER}"')
        self.assertIsNotNone(about, "winver.exe did not start")
        self.programs.append(about)
        with on_failure(self.bed, self.winauto, "ui_processes_manager"):
            self.assertTrue(self.wait_until(lambda: self.bed.unix_path(BEAT).exists(), 30))
            self.open_process_manager()
            listed = self.wait_until(lambda: all(
                self.row_of(n) for n in ("plain.exe", "process_plain.exe", "winver.exe")), 60)
            self.assertTrue(listed, [r.cells for r in self.process_rows()])

            tree = self.check_tree()
            screenshot(self.bed, "ui_processes_tree_id", self.winauto.rect(tree))
            self.assertTrue(self.winauto.close(tree))

            self.act("plain.exe", "suspend")
            self.assertFalse(self.beating(), "the suspended program still counts")
            self.act("plain.exe", "resume")
            self.assertTrue(self.beating(seconds=10), "the resumed program does not count")
            self.act("plain.exe", "restart")
            self.assertTrue(self.wait_until(lambda: not parent.running(), 30),
                            "the restarted program's old copy still runs")
            # The old row leaves with its process; the new copy comes unchecked, without status.
            fresh = self.wait_until(lambda: (r := self.row_of("plain.exe")) and not r.checked and
                                    r.cells[0].lower() == "plain.exe", 60)
            self.assertTrue(fresh, [r.cells for r in self.process_rows()])
            self.shoot("ui_processes_restarted_id")
            self.act("plain.exe", "kill")
            self.assertTrue(self.wait_until(lambda: not any(
                r.cells[0].lower().startswith("plain.exe") for r in self.process_rows()), 60),
                "the killed program is still listed")
            self.assertIsNotNone(self.row_of("process_plain.exe"), "the child was ended too")
            self.assertTrue(about.running())

            self.check_information("winver.exe", about.pid, "id")
            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=SETTINGS_TAB))
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kOptLang0 + 1))
            self.open_process_manager()
            self.check_information("winver.exe", about.pid, "en")

            # "Concea&l Windows!" scrambles the titles of other programs' windows and gives them
            # back when it is turned off.
            def titles():
                return {w[0]: w[3] for w in self.winauto.windows(pid=about.pid)}

            plain_titles = titles()
            self.assertTrue(plain_titles, "winver.exe shows no window")
            conceal = PROCESS_MENU.index("Concea&l Windows!")
            row = self.row_of("winver.exe").index
            self.assertTrue(self.winauto.popup(self.hwnd, conceal, row=row, id=ids.kLVProc))
            concealed = self.wait_until(
                lambda: (now := titles()) and all("\u00a0" in t for t in now.values()) and now, 30)
            self.assertTrue(concealed, titles())
            self.assertEqual({h: t.replace("\u00a0", "").replace(" ", "")
                              for h, t in concealed.items()},
                             {h: t.replace(" ", "") for h, t in plain_titles.items()})
            self.shoot("ui_processes_concealed_en")
            self.assertTrue(self.winauto.popup(self.hwnd, conceal, row=row, id=ids.kLVProc))
            self.assertTrue(self.wait_until(lambda: titles() == plain_titles, 30), titles())
