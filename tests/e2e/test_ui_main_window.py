"""The main window as a person meets it: every main tab in both languages (screenshots under
<build>/artifacts/screenshots), the language switch and its memory across runs, the right-hand
panel switch, the password lock of the guarded tabs, and the window's place kept across runs.

The window is opened by starting the real Vestra.exe beside its engine and database (laid out from
<build>/dist on drive C:), which runs
the main window on the real seam and the product's settings key."""

import time

from harness.evidence import on_failure, screenshot
from harness.product_window import ProductWindowTest


# Control ids of the main window (ui/model/ControlIds.h).
CMD_MINIMIZE, CMD_PANEL, CMD_EXIT, TAB_MAIN = 1003, 1004, 1005, 1006
CORNER_MAX = 106  # FormCorner's "Detail >>"
TV_DIR, OPT0 = 1101, 1103
LV_DETECT, CMD_STOP = 1121, 1131
# Written in two halves so that no file of the repository holds the whole test string.
EICAR = r"X5O!P%@AP[4\PZX54(P^)7CC)7}$EICAR-STA" + "NDARD-ANTIVIRUS-TEST-FILE!$H+H*"
CK_SET0, TX_PASSWORD0, CMD_PASSWORD, OPT_LANG0 = 1601, 1613, 1615, 1617
CK_USE_PASSWORD = CK_SET0 + 2
TX_RGB, CMD_EXCEPTION = 1629, 1632
# FormException's controls.
LV_EXCEPT, TX_PATH, CMD_ADD_PATH, CMD_REM_SEL, CMD_OK = 100, 103, 104, 107, 108
MAIN_TABS = ["Scanner", "Protection", "Update", "Tools", "Quarantine (0)", "Settings", "About",
             "Donation"]


class MainWindowTests(ProductWindowTest):
    def setUp(self):
        super().setUp()
        if not self._testMethodName.startswith("test_scan"):
            self.open()

    def close_window(self):
        self.assertTrue(self.winauto.close(self.hwnd))
        self.assertTrue(self.winauto.wait_gone(self.hwnd, timeout_ms=20000))
        self.assertEqual(self.started.wait(30), 0)
        self.started.close()

    def select_tab(self, index):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=TAB_MAIN, select=index))
        return self.selected_tab()  # after the window's own rules have had their say

    def switch_language(self, index):
        self.assertEqual(self.select_tab(5), 5)
        self.assertTrue(self.winauto.click(self.hwnd, id=OPT_LANG0 + index))
        time.sleep(0.5)

    def test_every_tab_in_both_languages(self):
        with on_failure(self.bed, self.winauto, "ui_every_tab"):
            tabs = self.winauto.tab(self.hwnd, id=TAB_MAIN)
            self.assertEqual([t.caption for t in tabs], MAIN_TABS)
            self.assertEqual(self.caption(CMD_EXIT), "> &Keluar <")
            for language in ("id", "en"):
                for index, name in enumerate(MAIN_TABS):
                    self.assertEqual(self.select_tab(index), index, name)
                    self.assertIsNotNone(self.shoot(f"ui_tab{index + 1}_{language}"))
                self.switch_language(1)
            self.assertEqual(self.caption(CMD_EXIT), "> &Exit <")
            self.assertEqual(self.caption(CK_USE_PASSWORD),
                             "Use password to activate as Vestra Admin")
            # Tab headings are fixed English words in both languages.
            self.assertEqual([t.caption for t in self.winauto.tab(self.hwnd, id=TAB_MAIN)],
                             MAIN_TABS)

    def test_target_tree_shows_the_areas_and_drives_and_follows_the_presets(self):
        with on_failure(self.bed, self.winauto, "ui_tree"):
            nodes = self.winauto.treeview(self.hwnd, id=TV_DIR)
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
            self.assertTrue(self.winauto.click(self.hwnd, id=OPT0 + 3))
            time.sleep(1)
            nodes = self.winauto.treeview(self.hwnd, id=TV_DIR)
            self.assertTrue([n for n in nodes if n.text == "Computer Drive"][0].checked)
            self.assertTrue(all(n.checked for n in nodes if n.depth == 1 and n.text.endswith(":)")))
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
            self.assertEqual(self.caption(CMD_STOP), "> &Result")
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_STOP))
            time.sleep(1)
            rows = self.winauto.listview(self.hwnd, id=LV_DETECT).rows
            self.assertEqual(len(rows), 1)
            self.assertTrue(rows[0].cells[2].lower().endswith("\\uiscan\\eicar.com"), rows[0].cells)
            self.shoot("ui_scan_virus_tab")

    def test_theme_colour_typed_in_hex_recolours_and_is_kept(self):
        with on_failure(self.bed, self.winauto, "ui_theme"):
            self.select_tab(5)
            self.assertEqual(self.caption(TX_RGB), "8B911")  # the default green
            # The box holds the colour's number, 0xBBGGRR: D06F1E is the blue of the swatches.
            self.assertTrue(self.winauto.settext(self.hwnd, "D06F1E", id=TX_RGB))
            time.sleep(0.5)
            self.shoot("ui_theme_blue")
            self.close_window()
            self.open()
            self.select_tab(5)
            self.assertEqual(self.caption(TX_RGB), "D06F1E")

    def test_exception_window_adds_and_removes_a_typed_folder(self):
        self.bed.make_folder("C:\\UiExc")
        with on_failure(self.bed, self.winauto, "ui_exception"):
            self.select_tab(5)
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_EXCEPTION))
            form = self.winauto.wait(title="Exception List", pid=self.started.pid,
                                     timeout_ms=15000)
            self.assertIsNotNone(form)
            self.assertTrue(self.winauto.settext(form, "C:\\UiExc\\", id=TX_PATH))
            self.assertTrue(self.winauto.click(form, id=CMD_ADD_PATH))
            time.sleep(0.5)
            rows = self.winauto.listview(form, id=LV_EXCEPT).rows
            self.assertEqual([r.cells for r in rows], [["Folder", "C:\\UiExc\\"]])
            self.shoot("ui_exception_window")
            # Nothing checked: message 80, and the row stays.
            self.assertTrue(self.winauto.click(form, id=CMD_REM_SEL))
            nothing = self.winauto.msgbox(pid=self.started.pid, timeout_ms=15000)
            self.assertIsNotNone(nothing)
            self.assertTrue(self.winauto.press(nothing.window, "OK"))
            self.assertIsNotNone(self.winauto.listview(form, id=LV_EXCEPT, check=0))
            self.assertTrue(self.winauto.click(form, id=CMD_REM_SEL))
            time.sleep(0.5)
            self.assertEqual(self.winauto.listview(form, id=LV_EXCEPT).rows, [])
            self.assertTrue(self.winauto.click(form, id=CMD_OK))
            self.assertTrue(self.winauto.wait_gone(form))

    def test_scan_minimised_to_the_corner_and_back(self):
        if not (self.bed.build / "dist" / "VestEngine.dll").is_file():
            self.skipTest("the engine is not built (VestEngine, vestra_database)")
        self.make_many_files("C:\\UiBig", 30, 300)
        self.open('"C:\\UiBig"')
        with on_failure(self.bed, self.winauto, "ui_corner"):
            self.assertTrue(self.wait_until(lambda: self.enabled(CMD_MINIMIZE), 60),
                            "Minimize never became available during the scan")
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_MINIMIZE))
            corner = self.winauto.wait(cls="VestraCorner", pid=self.started.pid, timeout_ms=15000)
            self.assertIsNotNone(corner, "no corner window")
            time.sleep(1)  # it slides in
            self.assertIsNotNone(screenshot(self.bed, "ui_corner_window"))
            self.assertTrue(self.winauto.click(corner, id=CORNER_MAX))
            self.assertTrue(self.wait_until(
                lambda: self.caption(CMD_STOP) == "> &Result", 180), "the scan did not finish")
            # A scan that went to the corner ends without the summary box.
            self.assertIsNone(self.winauto.msgbox(pid=self.started.pid, timeout_ms=2000))
            self.shoot("ui_corner_back_finished")

    def test_closing_during_a_scan_asks_first_and_then_ends_the_program(self):
        if not (self.bed.build / "dist" / "VestEngine.dll").is_file():
            self.skipTest("the engine is not built (VestEngine, vestra_database)")
        self.make_many_files("C:\\UiExit", 40, 300)
        self.open('"C:\\UiExit"')
        with on_failure(self.bed, self.winauto, "ui_exit_during_scan"):
            self.assertTrue(self.wait_until(lambda: self.enabled(CMD_MINIMIZE), 60))
            self.assertTrue(self.winauto.close(self.hwnd))
            question = self.winauto.msgbox(pid=self.started.pid, timeout_ms=15000)
            self.assertIsNotNone(question)
            self.assertEqual(question.title, "Keluar dan hentikan scanning")  # message 2
            self.assertTrue(self.winauto.press(question.window, "7"))  # No: the scan goes on
            time.sleep(0.5)
            self.assertTrue(self.started.running())
            self.assertTrue(self.winauto.close(self.hwnd))
            question = self.winauto.msgbox(pid=self.started.pid, timeout_ms=15000)
            self.assertIsNotNone(question)
            self.assertTrue(self.winauto.press(question.window, "6"))  # Yes
            self.assertTrue(self.winauto.wait_gone(self.hwnd, timeout_ms=60000))
            self.assertEqual(self.started.wait(60), 0)

    def make_many_files(self, windows_folder, folders, files):
        root = self.bed.unix_path(windows_folder)
        for sub in range(folders):
            (root / f"d{sub}").mkdir(parents=True, exist_ok=True)
            for n in range(files):
                (root / f"d{sub}" / f"f{n}.exe").write_bytes(b"MZ" + bytes(200))

    def enabled(self, control_id):
        for control in self.winauto.children(self.hwnd):
            if int(control.id) == control_id:
                return control.enabled
        return False

    def test_language_is_kept_and_switching_back_restores_the_captions(self):
        with on_failure(self.bed, self.winauto, "ui_language"):
            self.switch_language(1)
            self.close_window()
            self.open()
            self.assertEqual(self.caption(CMD_EXIT), "> &Exit <")
            self.switch_language(1)  # already English: nothing changes
            self.assertEqual(self.caption(CMD_EXIT), "> &Exit <")
            self.switch_language(0)
            self.assertEqual(self.caption(CMD_EXIT), "> &Keluar <")
            self.assertEqual(self.caption(CK_USE_PASSWORD), "Gunakan password untuk Admin Vestra :")

    def test_panel_switch_changes_the_width_between_the_two_sizes(self):
        with on_failure(self.bed, self.winauto, "ui_panel"):
            shown = self.winauto.rect(self.hwnd)
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_PANEL))
            time.sleep(0.5)
            hidden = self.winauto.rect(self.hwnd)
            self.shoot("ui_panel_hidden")
            # 12120 and 9300 twips at 96 DPI.
            self.assertEqual(shown[2] - hidden[2], 808 - 620)
            self.assertEqual(self.caption(CMD_PANEL), ">> Tampilkan Panel")
            self.close_window()
            self.open()
            self.assertEqual(self.winauto.rect(self.hwnd)[2], hidden[2])
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_PANEL))
            time.sleep(0.5)
            self.assertEqual(self.winauto.rect(self.hwnd)[2], shown[2])

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
                self.assertTrue(self.winauto.settext(self.hwnd, "Secret", id=TX_PASSWORD0 + offset))
            self.assertTrue(self.winauto.click(self.hwnd, id=CMD_PASSWORD))
            saved = self.winauto.msgbox(pid=self.started.pid, timeout_ms=15000)
            self.assertIsNotNone(saved)
            self.assertIn("Password baru Anda telah disimpan!", saved.text)  # message 62
            self.assertTrue(self.winauto.press(saved.window, "OK"))
            self.close_window()

            self.open()
            # A wrong password is refused and the prompt stays; cancelling keeps "Scanner".
            prompt = self.click_guarded_tab(3)
            self.answer(prompt, "secret")  # the case matters
            wrong = self.winauto.msgbox(pid=self.started.pid, title="Failed", timeout_ms=15000)
            self.assertIsNotNone(wrong)
            self.assertIn("Password yang Anda masukkan salah !", wrong.text)  # message 65
            self.assertTrue(self.winauto.press(wrong.window, "OK"))
            self.assertTrue(self.winauto.press(prompt, "2"))  # Cancel
            self.assertTrue(self.winauto.wait_gone(prompt))
            self.assertEqual(self.selected_tab(), 0)
            # The right one opens Tools, and the other guarded tabs open without asking again.
            prompt = self.click_guarded_tab(3)
            self.answer(prompt, "Secret")
            self.assertTrue(self.winauto.wait_gone(prompt))
            self.assertEqual(self.selected_tab(), 3)
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
            self.winauto.tab(self.hwnd, id=TAB_MAIN, select=index)
            prompt = self.winauto.wait(title="Password", pid=self.started.pid, timeout_ms=wait_ms)
            if prompt:
                break
        self.assertIsNotNone(prompt, "no password prompt")
        self.shoot("ui_password_prompt")
        return prompt

    def answer(self, prompt, text):
        self.assertTrue(self.winauto.settext(prompt, text, id=100))
        self.assertTrue(self.winauto.press(prompt, "1"))  # OK

    def selected_tab(self):
        time.sleep(0.5)
        return [t.index for t in self.winauto.tab(self.hwnd, id=TAB_MAIN) if t.selected][0]
