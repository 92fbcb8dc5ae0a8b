"""Running programs as the product meets them: the start-up memory check ends a running program
whose file the database detects (and says so), a scan over the memory and service areas ends such
a program and stops and uninstalls a service that runs a detected file, and the clean program
stays running through both; the Process Manager page lists it with its path. Screenshots in both
languages go to <build>/artifacts/screenshots.

The programs are the harmless fixtures of tests/e2e/fixtures: process_marked.exe carries a test
signature's body bytes, process_plain.exe nothing. The test service is created in the prefix with
"sc create" and removed again when the case ends."""

import shutil

from harness import controls
from harness.evidence import on_failure
from harness.product_window import MAIN_CLASS, ProductWindowTest

ids = controls.load().main
PROGRAMS = "C:\\VestraE2E\\procs\\"
SERVICE = "VestraE2EProcSvc"
DETECTED = "Vestra.Test.Worm.LoveLines"
# Message 52 in the first-run language (Indonesian), and the product name as its title.
INFECTED = "Komputer Anda sedang terinfeksi virus"
TOOLS_TAB, PROCESS_PAGE = 3, 1
YES, OK = "6", "OK"
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
        self.hwnd = self.winauto.wait(cls=MAIN_CLASS, pid=self.started.pid, timeout_ms=120000)
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
