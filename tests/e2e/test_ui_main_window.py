"""The main window as a person meets it: every main tab in both languages (screenshots under
<build>/artifacts/screenshots), the language switch and its memory across runs, the right-hand
panel switch, the password lock of the guarded tabs, and the window's place kept across runs.

The window is opened by starting the real Vestra.exe beside its engine and database (laid out from
<build>/dist on drive C:), which runs
the main window on the real seam and the product's settings key. The cases that act during a scan
slow its pump (a test-only start-up variable), so that the scan is certainly still running."""

from harness import controls
from harness.evidence import on_failure, screenshot
from harness.fixtures import EICAR, make_many_files
from harness.product_window import ProductWindowTest

_ids = controls.load()
ids, corner_ids, exception_ids, password_ids = (_ids.main, _ids.corner, _ids.exception,
                                                _ids.password)
CK_USE_PASSWORD = ids.kCkSet0 + 2
# A slowed scan of this many files lasts well over a minute: ample for a test to act during it.
PUMP_DELAY_MS, FOLDERS, FILES = 50, 4, 200
EXIT_CAPTIONS = ("> &Keluar <", "> &Exit <")  # by language: Indonesian, English
SCREEN_HEIGHT = 1024  # the test display's (tests/wine/wine-run.sh)
# The Quarantine caption is centred in 15 characters.
MAIN_TABS = ["Scanner", "Protection", "Update", "Tools", "Quarantine (0) ", "Settings", "About",
             "Donation"]


class MainWindowTests(ProductWindowTest):
    def setUp(self):
        super().setUp()
        if not self._testMethodName.startswith("test_scan"):
            self.open()

    def close_window(self):
        self.assertTrue(self.winauto.close(self.hwnd))
        self.assertTrue(self.winauto.wait_gone(self.hwnd, timeout_ms=60000))
        self.assertEqual(self.started.wait(60), 0)
        self.started.close()

    def select_tab(self, index):
        # winauto answers once the strip has moved; the window's rules run while it handles the
        # click, so what is selected then is what they decided.
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=index))
        return self.selected_tab()

    def switch_language(self, index):
        self.assertEqual(self.select_tab(5), 5)
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kOptLang0 + index))
        self.assertTrue(self.wait_until(
            lambda: self.caption(ids.kCmdExit) == EXIT_CAPTIONS[index], 30),
            f"the captions did not change to language {index}")

    def test_every_tab_in_both_languages(self):
        with on_failure(self.bed, self.winauto, "ui_every_tab"):
            tabs = self.winauto.tab(self.hwnd, id=ids.kTabMain)
            self.assertEqual([t.caption for t in tabs], MAIN_TABS)
            self.assertEqual(self.caption(ids.kCmdExit), "> &Keluar <")
            for language in ("id", "en"):
                for index, name in enumerate(MAIN_TABS):
                    self.assertEqual(self.select_tab(index), index, name)
                    self.assertIsNotNone(self.shoot(f"ui_tab{index + 1}_{language}"))
                self.switch_language(1)
            self.assertEqual(self.caption(ids.kCmdExit), "> &Exit <")
            self.assertEqual(self.caption(CK_USE_PASSWORD),
                             "Use password to activate as Vestra Admin")
            # Tab headings are fixed English words in both languages.
            self.assertEqual([t.caption for t in self.winauto.tab(self.hwnd, id=ids.kTabMain)],
                             MAIN_TABS)

    def test_target_tree_shows_the_areas_and_drives_and_follows_the_presets(self):
        with on_failure(self.bed, self.winauto, "ui_tree"):
            nodes = self.winauto.treeview(self.hwnd, id=ids.kTvDir)
            self.assertIsNotNone(nodes)
            top = {n.text: n.checked for n in nodes if n.depth == 0}
            self.assertEqual(list(top), ["Computer Drive", "System Area", "Memory Processes",
                                         "Services", "Registry Area", "Start-Up Area"])
            self.assertFalse(top["Computer Drive"])
            self.assertTrue(top["System Area"])
            drives = [n.text for n in nodes if n.depth == 1 and n.text.endswith(":)")]
            self.assertIn("Local Disk (C:)", drives)
            deep = [n for n in nodes if n.text.startswith("Deep")]
            self.assertEqual([n.checked for n in deep], [False])
            # "Full Scan" marks every drive.
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kOpt0 + 3))

            def every_drive_marked():
                nodes = self.winauto.treeview(self.hwnd, id=ids.kTvDir) or []
                computer = [n.checked for n in nodes if n.text == "Computer Drive"]
                drives = [n.checked for n in nodes if n.depth == 1 and n.text.endswith(":)")]
                return computer == [True] and drives and all(drives)

            self.assertTrue(self.wait_until(every_drive_marked, 30), "Full Scan left drives out")
            self.shoot("ui_tree_full_scan")

    def test_scan_of_a_path_from_the_command_line_lists_the_detection(self):
        dist = self.bed.build / "dist"
        if not (dist / "VestEngine.dll").is_file() or not (dist / "Vestra.loov").is_file():
            self.skipTest("the engine and its database are not built (VestEngine, vestra_database)")
        self.bed.put("C:\\UiScan\\eicar.com", EICAR)
        self.bed.put("C:\\UiScan\\notes.txt", "nothing to see")
        self.open('"C:\\UiScan"')
        with on_failure(self.bed, self.winauto, "ui_scan"):
            summary = self.winauto.msgbox(pid=self.started.pid, timeout_ms=60000)
            self.assertIsNotNone(summary, "no summary box after the scan")
            self.assertEqual(summary.title, "Status Komputer")  # message 44
            self.assertIn("1 File Virus", summary.text)  # count + message 45
            self.shoot("ui_scan_summary")
            self.assertTrue(self.winauto.press(summary.window, "OK"))
            self.assertEqual(self.caption(ids.kCmdStop), "> &Result")
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))
            self.assertTrue(self.wait_until(lambda: self.visible(ids.kLVDetect), 30),
                            "Result did not open the virus list")
            rows = self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows
            self.assertEqual(len(rows), 1)
            self.assertTrue(rows[0].cells[2].lower().endswith("\\uiscan\\eicar.com"), rows[0].cells)
            self.shoot("ui_scan_virus_tab")

    def test_theme_colour_typed_in_hex_recolours_and_is_kept(self):
        with on_failure(self.bed, self.winauto, "ui_theme"):
            self.select_tab(5)
            self.assertEqual(self.caption(ids.kTxRGB), "8B911")  # the default green
            # The box holds the colour's number, 0xBBGGRR: D06F1E is the blue of the swatches.
            # The text is sent, not posted: the window has taken the colour when settext returns.
            self.assertTrue(self.winauto.settext(self.hwnd, "D06F1E", id=ids.kTxRGB))
            self.shoot("ui_theme_blue")
            self.close_window()
            self.open()
            self.select_tab(5)
            self.assertEqual(self.caption(ids.kTxRGB), "D06F1E")

    def test_exception_window_adds_and_removes_a_typed_folder(self):
        self.bed.make_folder("C:\\UiExc")
        with on_failure(self.bed, self.winauto, "ui_exception"):
            self.select_tab(5)
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdException))
            form = self.winauto.wait(title="Exception List", pid=self.started.pid,
                                     timeout_ms=30000)
            self.assertIsNotNone(form)
            self.assertTrue(self.winauto.settext(form, "C:\\UiExc\\", id=exception_ids.kTxPath))
            self.assertTrue(self.winauto.click(form, id=exception_ids.kCmdAddPath))
            expected = [["Folder", "C:\\UiExc\\"]]
            self.assertTrue(self.wait_until(lambda: self.exception_rows(form) == expected, 30),
                            self.exception_rows(form))
            self.shoot("ui_exception_window")
            # Nothing checked: message 80, and the row stays.
            self.assertTrue(self.winauto.click(form, id=exception_ids.kCmdRemSel))
            nothing = self.winauto.msgbox(pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(nothing)
            self.assertTrue(self.winauto.press(nothing.window, "OK"))
            self.assertTrue(self.winauto.wait_gone(nothing.window))
            self.assertEqual(self.exception_rows(form), expected)
            self.assertIsNotNone(self.winauto.listview(form, id=exception_ids.kLVExcept, check=0))
            self.assertTrue(self.winauto.click(form, id=exception_ids.kCmdRemSel))
            self.assertTrue(self.wait_until(lambda: self.exception_rows(form) == [], 30),
                            self.exception_rows(form))
            self.assertTrue(self.winauto.click(form, id=exception_ids.kCmdOK))
            self.assertTrue(self.winauto.wait_gone(form))

    def exception_rows(self, form):
        view = self.winauto.listview(form, id=exception_ids.kLVExcept)
        return None if view is None else [r.cells for r in view.rows]

    def test_scan_minimised_to_the_corner_and_back(self):
        if not (self.bed.build / "dist" / "VestEngine.dll").is_file():
            self.skipTest("the engine is not built (VestEngine, vestra_database)")
        make_many_files(self.bed, "C:\\UiBig", FOLDERS, FILES)
        self.open('"C:\\UiBig"', pump_delay_ms=PUMP_DELAY_MS)
        with on_failure(self.bed, self.winauto, "ui_corner"):
            self.assertTrue(self.wait_until(lambda: self.enabled(ids.kCmdMinimize), 60),
                            "Minimize never became available during the scan")
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdMinimize))
            corner = self.winauto.wait(cls="VestraCorner", pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(corner, "no corner window")
            self.assertTrue(self.wait_until(lambda: self.settled(corner), 30),
                            f"the corner window did not come to rest: {self.winauto.rect(corner)}")
            self.assertIsNotNone(screenshot(self.bed, "ui_corner_window"))
            self.assertTrue(self.winauto.click(corner, id=corner_ids.kCmdMax))
            self.assertTrue(self.wait_until(
                lambda: self.caption(ids.kCmdStop) == "> &Result", 300), "the scan did not finish")
            # A scan that went to the corner ends without the summary box.
            self.assertIsNone(self.winauto.msgbox(pid=self.started.pid, timeout_ms=5000))
            self.shoot("ui_corner_back_finished")

    def settled(self, window):
        """True once the window lies whole on the screen and has not moved since the last look
        (the corner window slides up from below the screen's edge)."""
        rect = self.winauto.rect(window)
        last, self._last_rect = getattr(self, "_last_rect", None), rect
        return rect is not None and rect == last and rect[1] + rect[3] <= SCREEN_HEIGHT

    def test_closing_during_a_scan_asks_first_and_then_ends_the_program(self):
        if not (self.bed.build / "dist" / "VestEngine.dll").is_file():
            self.skipTest("the engine is not built (VestEngine, vestra_database)")
        make_many_files(self.bed, "C:\\UiExit", FOLDERS, FILES)
        self.open('"C:\\UiExit"', pump_delay_ms=PUMP_DELAY_MS)
        with on_failure(self.bed, self.winauto, "ui_exit_during_scan"):
            self.assertTrue(self.wait_until(lambda: self.enabled(ids.kCmdMinimize), 60))
            self.assertTrue(self.winauto.close(self.hwnd))
            question = self.winauto.msgbox(pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(question)
            self.assertEqual(question.title, "Keluar dan hentikan scanning")  # message 2
            self.assertTrue(self.winauto.press(question.window, "7"))  # No: the scan goes on
            self.assertTrue(self.winauto.wait_gone(question.window))
            self.assertTrue(self.started.running())
            self.assertIn(self.caption(ids.kCmdStop), ("&Skip >>", "# &Stop #"))
            self.assertTrue(self.winauto.close(self.hwnd))
            question = self.winauto.msgbox(pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(question)
            self.assertTrue(self.winauto.press(question.window, "6"))  # Yes
            self.assertTrue(self.winauto.wait_gone(self.hwnd, timeout_ms=60000))
            self.assertEqual(self.started.wait(60), 0)

    def control(self, control_id):
        return next((c for c in self.winauto.children(self.hwnd) if c.id == control_id), None)

    def enabled(self, control_id):
        control = self.control(control_id)
        return control is not None and control.enabled

    def visible(self, control_id):
        control = self.control(control_id)
        return control is not None and control.visible

    def test_language_is_kept_and_switching_back_restores_the_captions(self):
        with on_failure(self.bed, self.winauto, "ui_language"):
            self.switch_language(1)
            self.close_window()
            self.open()
            self.assertEqual(self.caption(ids.kCmdExit), "> &Exit <")
            self.switch_language(1)  # already English: nothing changes
            self.assertEqual(self.caption(ids.kCmdExit), "> &Exit <")
            self.switch_language(0)
            self.assertEqual(self.caption(ids.kCmdExit), "> &Keluar <")
            self.assertEqual(self.caption(CK_USE_PASSWORD), "Gunakan password untuk Admin Vestra :")

    def test_panel_switch_changes_the_width_between_the_two_sizes(self):
        with on_failure(self.bed, self.winauto, "ui_panel"):
            shown = self.winauto.rect(self.hwnd)
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdPanel))
            # 12120 and 9300 twips at 96 DPI.
            narrow = shown[2] - (808 - 620)
            self.assertTrue(self.wait_until(lambda: self.width() == narrow, 30), self.width())
            hidden = self.winauto.rect(self.hwnd)
            self.shoot("ui_panel_hidden")
            self.assertEqual(self.caption(ids.kCmdPanel), ">> Tampilkan Panel")
            self.close_window()
            self.open()
            self.assertEqual(self.winauto.rect(self.hwnd)[2], hidden[2])
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdPanel))
            self.assertTrue(self.wait_until(lambda: self.width() == shown[2], 30), self.width())

    def width(self):
        rect = self.winauto.rect(self.hwnd)
        return rect and rect[2]

    def test_window_opens_where_it_was_closed(self):
        with on_failure(self.bed, self.winauto, "ui_geometry"):
            first = self.winauto.rect(self.hwnd)
            self.close_window()
            self.open()
            self.assertEqual(self.winauto.rect(self.hwnd), first)

    def test_password_lock_guards_the_powerful_tabs_once_per_run(self):
        with on_failure(self.bed, self.winauto, "ui_password"):
            # Turning the lock on with no password opens the editor; save "Secret".
            self.select_tab(5)
            self.assertTrue(self.winauto.check(self.hwnd, id=CK_USE_PASSWORD))
            self.shoot("ui_password_editor")
            for offset in (0, 1):
                self.assertTrue(self.winauto.settext(self.hwnd, "Secret",
                                                     id=ids.kTxPassword0 + offset))
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdPassword))
            saved = self.winauto.msgbox(pid=self.started.pid, timeout_ms=30000)
            self.assertIsNotNone(saved)
            self.assertIn("Password baru Anda telah disimpan!", saved.text)  # message 62
            self.assertTrue(self.winauto.press(saved.window, "OK"))
            self.close_window()

            self.open()
            # A wrong password is refused and the prompt stays; cancelling keeps "Scanner".
            prompt = self.click_guarded_tab(3)
            self.answer(prompt, "secret")  # the case matters
            wrong = self.winauto.msgbox(pid=self.started.pid, title="Failed", timeout_ms=30000)
            self.assertIsNotNone(wrong)
            self.assertIn("Password yang Anda masukkan salah !", wrong.text)  # message 65
            self.assertTrue(self.winauto.press(wrong.window, "OK"))
            self.assertTrue(self.winauto.wait_gone(wrong.window))
            self.assertTrue(self.winauto.press(prompt, "2"))  # Cancel
            self.assertTrue(self.winauto.wait_gone(prompt))
            # The strip may have moved before the prompt; the refusal puts it back.
            self.assertTrue(self.wait_until(lambda: self.selected_tab() == 0, 30),
                            self.selected_tab())
            # The right one opens Tools, and the other guarded tabs open without asking again.
            prompt = self.click_guarded_tab(3)
            self.answer(prompt, "Secret")
            self.assertTrue(self.winauto.wait_gone(prompt))
            self.assertTrue(self.wait_until(lambda: self.selected_tab() == 3, 30),
                            self.selected_tab())
            self.shoot("ui_password_tools_open")
            for tab in (4, 1, 5):
                self.assertEqual(self.select_tab(tab), tab)
                self.assertIsNone(self.winauto.wait(title="Password", pid=self.started.pid,
                                                    timeout_ms=1000))

    def click_guarded_tab(self, index):
        # A click posted while a loaded machine is still busy with the window can be lost; a
        # second click is harmless, since the modal prompt disables the tab strip once it is up.
        prompt = None
        for wait_ms in (10000, 20000):
            # The prompt keeps the strip where it is, so winauto's own wait for it is cut short.
            self.winauto.tab(self.hwnd, id=ids.kTabMain, select=index, timeout_ms=500)
            prompt = self.winauto.wait(title="Password", pid=self.started.pid, timeout_ms=wait_ms)
            if prompt:
                break
        self.assertIsNotNone(prompt, "no password prompt")
        self.shoot("ui_password_prompt")
        return prompt

    def answer(self, prompt, text):
        self.assertTrue(self.winauto.settext(prompt, text, id=password_ids.kTxPassword))
        self.assertTrue(self.winauto.press(prompt, "1"))  # OK

    def selected_tab(self):
        return [t.index for t in self.winauto.tab(self.hwnd, id=ids.kTabMain) if t.selected][0]
