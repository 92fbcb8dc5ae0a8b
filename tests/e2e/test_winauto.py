"""winauto against the stand-in program: reading and changing its controls from another process,
answering its message box, running programs with an exact command line, and the case runner that
the product's tables use."""

import struct
import time
from pathlib import Path

from harness.base import E2ETest
from harness.cases import Exits, MessageBox, Window, run_case
from harness.evidence import screenshot
from harness.waiting import wait_until
from harness.winauto import WinautoUsageError

TITLE = "Winauto Fixture"
LIST_ID, TREE_ID, TAB_ID, TAB_LABEL_ID, EDIT_ID, CHECK_ID, ASK_ID, ANSWER_ID, BROWSE_ID, \
    FOLDER_ID = range(101, 111)


class FixtureWindowTests(E2ETest):
    """Each test opens the fixture's window, drives it, closes it and reads what the fixture itself
    printed about its final state."""

    def setUp(self):
        self.started = self.winauto.start(f'"{self.windows_path(self.fixture)}" window')
        self.assertIsNotNone(self.started, "the fixture did not start")
        self.addCleanup(self.stop)
        self.hwnd = self.winauto.wait(title=TITLE, pid=self.started.pid, timeout_ms=30000)
        self.assertIsNotNone(self.hwnd, "the fixture window did not appear")

    def stop(self):
        if self.started.running():
            self.winauto.kill(self.started.pid)
        self.started.close()

    def close_and_read_final_state(self):
        self.assertTrue(self.winauto.close(self.hwnd))
        self.assertTrue(self.winauto.wait_gone(self.hwnd))
        self.assertEqual(self.started.wait(30), 0)
        return self.started.output_lines()

    def test_list_view_rows_columns_and_checks(self):
        view = self.winauto.listview(self.hwnd, id=LIST_ID)
        self.assertEqual(view.columns, ["Virus Name", "Type", "File Path"])
        self.assertEqual([(r.checked, r.selected, r.cells) for r in view.rows], [
            (False, False, ["Trojan.Alpha", "Trojan", "C:\\one.exe"]),
            (True, False, ["Worm.\u0394elta", "Worm", "E:\\autorun.inf"]),
            (False, False, ["Virus.Gamma", "Virus", "C:\\Program Files\\three.dll"]),
        ])
        changed = self.winauto.listview(self.hwnd, id=LIST_ID, check=0, uncheck=1, select=2)
        self.assertEqual([(r.checked, r.selected) for r in changed.rows],
                         [(True, False), (False, False), (False, True)])
        # The owner was told, as it would be after a click.
        final = self.close_and_read_final_state()
        self.assertIn("row 0 checked", final)
        self.assertIn("row 1 unchecked", final)

    def test_list_view_found_by_class_and_missing_row(self):
        self.assertEqual(len(self.winauto.listview(self.hwnd).rows), 3)
        self.assertIsNone(self.winauto.listview(self.hwnd, check=7))

    def test_tree_view_nodes(self):
        nodes = self.winauto.treeview(self.hwnd, id=TREE_ID)
        self.assertEqual([(n.depth, n.checked, n.expanded, n.text) for n in nodes], [
            (0, False, True, "My Computer"),
            (1, True, False, "Local Disk (C:)"),
            (2, False, False, "Windows"),
            (1, False, False, "Removable Disk (E:)"),
            (0, False, False, "Registry"),
        ])

    def test_tree_view_check_clicks_the_box_even_of_a_hidden_node(self):
        # "Windows" sits under a collapsed node: it is brought into view before the click.
        nodes = self.winauto.treeview(self.hwnd, id=TREE_ID, check="Windows")
        self.assertEqual([(n.text, n.checked) for n in nodes if n.depth >= 1][:2],
                         [("Local Disk (C:)", True), ("Windows", True)])
        nodes = self.winauto.treeview(self.hwnd, id=TREE_ID, uncheck="Local Disk (C:)")
        self.assertEqual([n.checked for n in nodes], [False, False, True, False, False])
        self.assertIsNone(self.winauto.treeview(self.hwnd, id=TREE_ID, check="Nowhere"))

    def test_tab_selection_reaches_the_owner(self):
        tabs = self.winauto.tab(self.hwnd, select=2)
        self.assertEqual([(t.caption, t.selected) for t in tabs],
                         [("Scanner", False), ("Protection", False), ("Update", True)])
        self.assertEqual(self.winauto.gettext(self.hwnd, id=TAB_LABEL_ID), "Tab: 2")
        self.assertIsNone(self.winauto.tab(self.hwnd, select=5))

    def test_edit_box_and_check_box(self):
        self.assertEqual(self.winauto.gettext(self.hwnd, id=EDIT_ID), "initial")
        self.assertTrue(self.winauto.settext(self.hwnd, "C:\\Tab\there \u0394", id=EDIT_ID))
        self.assertEqual(self.winauto.gettext(self.hwnd, id=EDIT_ID), "C:\\Tab\there \u0394")
        self.assertTrue(self.winauto.check(self.hwnd, caption="Remember"))
        self.assertTrue(self.winauto.check(self.hwnd, checked=False, id=CHECK_ID))
        self.assertTrue(self.winauto.check(self.hwnd, caption="&Remember"))
        final = self.close_and_read_final_state()
        self.assertEqual(final.count("clicked remember"), 3)
        self.assertIn("edit=C:\\Tab\there \u0394", final)
        self.assertIn("remember=1", final)

    def test_message_box_from_a_click(self):
        for answer in ("No", "Yes"):
            with self.subTest(answer=answer):
                self.assertTrue(self.winauto.click(self.hwnd, id=ASK_ID))
                box = self.winauto.msgbox(title="Fixture Question")
                self.assertIsNotNone(box)
                self.assertEqual(box.text, "Proceed with the\r\nfixture question?")
                self.assertEqual(box.button_captions(), ["Yes", "No"])
                self.assertTrue(self.winauto.press(box.window, answer))
                self.assertTrue(self.winauto.wait_gone(box.window))
                self.assertEqual(self.winauto.gettext(self.hwnd, id=ANSWER_ID), f"Answer: {answer}")

    def test_pop_up_menu_item_by_place(self):
        # The fixture's menu: First (201), a separator, Second (202), Third (203).
        for pick, row, chosen in ((1, 2, 202), (0, None, 201), (2, 0, 203)):
            with self.subTest(pick=pick, row=row):
                self.assertTrue(self.winauto.popup(self.hwnd, pick, row=row, id=LIST_ID))
        self.assertFalse(self.winauto.popup(self.hwnd, 0, row=9, id=LIST_ID))  # no such row
        self.assertEqual([line for line in self.close_and_read_final_state()
                          if line.startswith("menu")], ["menu 202", "menu 201", "menu 203"])

    def test_folder_browser_selects_the_path_and_confirms(self):
        self.bed.make_folder("C:\\WinautoBrowse\\Inner")
        self.assertTrue(self.winauto.click(self.hwnd, id=BROWSE_ID))
        self.assertEqual(self.winauto.choose_folder(self.started.pid, "C:\\WinautoBrowse\\Inner"),
                         "Inner")
        self.assertTrue(self.wait_for_text(FOLDER_ID, "Folder: C:\\WinautoBrowse\\Inner"))
        # A folder that is not there is never confirmed with another selection.
        self.assertTrue(self.winauto.click(self.hwnd, id=BROWSE_ID))
        self.assertIsNone(self.winauto.choose_folder(self.started.pid, "C:\\NoSuchFolder\\Deep",
                                                     timeout_ms=3000))
        self.assertEqual(self.winauto.gettext(self.hwnd, id=FOLDER_ID),
                         "Folder: C:\\WinautoBrowse\\Inner")

    def wait_for_text(self, control_id, text):
        return wait_until(lambda: self.winauto.gettext(self.hwnd, id=control_id) == text, 30)

    def test_children_text_and_screenshot(self):
        controls = {c.id: c for c in self.winauto.children(self.hwnd)}
        check_box = controls[CHECK_ID]
        self.assertEqual((check_box.cls, check_box.caption), ("Button", "&Remember"))
        self.assertTrue(controls[ANSWER_ID].visible and controls[ANSWER_ID].enabled)
        self.assertEqual(self.winauto.text(self.hwnd), TITLE)
        x, y, width, height = self.winauto.rect(self.hwnd)
        shot = screenshot(self.bed, "winauto-fixture", (x, y, width, height))
        self.assertIsNotNone(shot)
        header = Path(shot).read_bytes()[:24]
        self.assertEqual(header[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", header[16:24]), (width, height))


class CaseRunnerTests(E2ETest):
    """The table runner of the product cases, on the stand-in program."""

    def command_line(self, argument_text):
        return f'"{self.windows_path(self.fixture)}" {argument_text}'

    def test_rows(self):
        rows = [
            ("message_box", 'msgbox "Error" "Vestra cannot find its Engine, VestEngine.dll"',
             [MessageBox("Error", ("Engine", "VestEngine.dll"), buttons=("OK",), press="OK"),
              Exits(code=1)]),  # IDOK
            ("window", "window", [Window(TITLE, close=True), Exits(code=0)]),
            ("exit_code", "exit 42", [Exits(code=42)]),
        ]
        for name, argument_text, steps in rows:
            with self.subTest(name):
                run_case(self, self.bed, self.winauto, f"runner-{name}",
                         self.command_line(argument_text), steps)

    def test_failed_step_leaves_a_screenshot_and_ends_the_program(self):
        shot = self.bed.build / "artifacts" / "screenshots" / "runner-no-box.png"
        shot.unlink(missing_ok=True)
        with self.assertRaises(AssertionError):
            run_case(self, self.bed, self.winauto, "runner-no-box", self.command_line("window"),
                     [MessageBox("Error", timeout_ms=500)])
        self.assertTrue(shot.is_file())
        self.assertIsNone(self.winauto.wait(title=TITLE, timeout_ms=200))

    def test_run_keeps_the_command_line_exactly(self):
        # The shell's form of a path list: quoted paths separated by one space.
        line = self.command_line('cmdline "C:\\a b\\x.txt" "C:\\c.txt"')
        started = self.winauto.start(line)
        self.assertIsNotNone(started)
        try:
            self.assertEqual(started.wait(60), 0)
            self.assertIn(line, started.output_lines())
        finally:
            started.close()

    def test_start_of_a_missing_program(self):
        self.assertIsNone(self.winauto.start('"C:\\no\\such.exe"'))


class UsageTests(E2ETest):
    def test_usage_errors_and_misses(self):
        usage = [("nosuch",), ("wait", "--title"), ("wait", "--bogus", "x"),
                 ("press", "--window", "1")]
        for args in usage:
            with self.subTest(args=args), self.assertRaises(WinautoUsageError):
                self.winauto.call(*args)
        # Other suites' programs may show message boxes on the same display meanwhile: the miss
        # asks for the box of a process that does not exist.
        misses = [("wait", "--title", "No Such Window", "--timeout", "200"),
                  ("listview", "--window", "0x1"),
                  ("msgbox", "--pid", "999999", "--timeout", "100"),
                  ("kill", "--pid", "999999")]
        for args in misses:
            with self.subTest(args=args):
                started = time.monotonic()
                self.assertEqual(self.winauto.call(*args), (1, []))
                self.assertLess(time.monotonic() - started, 30)
