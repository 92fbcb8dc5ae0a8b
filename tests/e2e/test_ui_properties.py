"""The file properties window as a person opens it from the scan's result lists: a scan of a
folder on E: finds a padded EICAR file (virus list) and a hidden copy of Wine's own winver.exe
(hidden list; Wine's notepad.exe carries no version resource); "&Properties" on each shows the
file's name, size and path, and for winver.exe its version strings. Both languages, screenshots
under <build>/artifacts/screenshots."""

from harness import controls
from harness.evidence import on_failure, screenshot
from harness.fixtures import EICAR
from harness.product_window import ProductWindowTest

_ids = controls.load()
ids, prop = _ids.main, _ids.fileprop

FOLDER = "E:\\Props"
DETECTED = "padded-eicar.com"
PROGRAM = "winver.exe"
# 5632 bytes are 5.5 KB: the size text rounds the half to the even 6.
PADDED = EICAR + b"\r\n" + b" " * (5632 - len(EICAR) - 2)
HIDDEN, SYSTEM = 0x2, 0x4
PROP_CLASS = "VestraFileProp"
VIRUS_TAB, HIDDEN_TAB = 2, 4  # scan tabs
SETTINGS_TAB = 5
EXIT_CAPTIONS = ("> &Keluar <", "> &Exit <")
PROPERTIES_BUTTON = ids.kCmdScanEx0 + 3  # "&Properties" of the visible result list
# By language: the name label and the process rows' first names.
NAME_LABELS = {"id": "Nama Proses : ", "en": "Process Name : "}
INFO_NAMES = {
    "id": ["Lokasi File", "ID Proses", "Ukuran File"],
    "en": ["File Path", "Process ID", "File Size"],
}
VERSION_NAMES = ["CompanyName", "FileDescription", "FileVersion", "InternalName",
                 "LegalCopyright", "OriginalFileName", "ProductName", "ProductVersion", "Comments",
                 "LegalTrademarks", "PublicBuild", "SpecialBuild"]


def size_text(size):
    return f"{round(size / 1024)} KB"  # Python rounds halves to even, as the program does


class PropertiesTests(ProductWindowTest):
    CASE_FOLDER = "uiprops"

    def scan_tab(self, index):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=0))
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabScan, select=index))

    def switch_to_english(self):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=SETTINGS_TAB))
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kOptLang0 + 1))
        self.assertTrue(self.wait_until(
            lambda: self.caption(ids.kCmdExit) == EXIT_CAPTIONS[1], 30),
            "the captions did not turn English")

    def open_properties(self, list_id, path_column, name):
        """Selects the row of `name` in the list, presses "&Properties" and gives the window."""
        rows = self.winauto.listview(self.hwnd, id=list_id).rows
        index = next((r.index for r in rows
                      if r.cells[path_column].lower().endswith("\\" + name)), None)
        self.assertIsNotNone(index, [r.cells for r in rows])
        self.winauto.listview(self.hwnd, id=list_id, select=index)
        self.assertTrue(self.winauto.click(self.hwnd, id=PROPERTIES_BUTTON))
        window = self.winauto.wait(cls=PROP_CLASS, pid=self.started.pid, timeout_ms=60000)
        self.assertIsNotNone(window, "the properties window did not open")
        return window

    def close_properties(self, window):
        self.assertTrue(self.winauto.close(window))
        self.assertTrue(self.winauto.wait_gone(window, timeout_ms=30000))

    def rows(self, window, list_id):
        return [(r.cells[0], r.cells[1]) for r in self.winauto.listview(window, id=list_id).rows]

    def title(self, window):
        return next((w[3] for w in self.winauto.windows(pid=self.started.pid) if w[0] == window),
                    None)

    def check_detected_file(self, language):
        window = self.open_properties(ids.kLVDetect, 2, DETECTED)
        self.assertEqual(self.title(window), f"{DETECTED} Properties")
        self.assertEqual(self.winauto.gettext(window, id=prop.kLbPropName),
                         NAME_LABELS[language] + DETECTED)
        info = self.rows(window, prop.kLVProcessInfo)
        self.assertEqual(len(info), 8, info)
        self.assertEqual([n for n, _ in info[:3]], INFO_NAMES[language])
        self.assertEqual(info[0][1].lower(), f"{FOLDER}\\{DETECTED}".lower())
        self.assertEqual(info[1][1], "")  # a file, not a process
        self.assertEqual(info[2][1], size_text(len(PADDED)))
        self.assertTrue(all(value == "" for _, value in info[3:]), info)
        self.assertTrue(all(value == "" for _, value in self.rows(window, prop.kLVFileVersion)))
        screenshot(self.bed, f"ui_properties_virus_{language}", self.winauto.rect(window))
        self.close_properties(window)

    def check_program(self, language, size):
        window = self.open_properties(ids.kLVHide, 3, PROGRAM)
        self.assertIsNotNone(self.winauto.tab(window, id=prop.kTabMain, select=1))
        versions = self.rows(window, prop.kLVFileVersion)
        self.assertEqual([n for n, _ in versions], VERSION_NAMES)
        values = dict(versions)
        self.assertEqual(values["OriginalFileName"].lower(), PROGRAM)
        self.assertTrue(values["FileDescription"], versions)
        self.assertTrue(values["FileVersion"], versions)
        self.assertEqual(self.winauto.gettext(window, id=prop.kLbPropDesc).split(" : ", 1)[1],
                         values["FileDescription"])
        self.assertEqual(dict(self.rows(window, prop.kLVProcessInfo))[INFO_NAMES[language][2]],
                         size_text(size))
        screenshot(self.bed, f"ui_properties_versions_{language}", self.winauto.rect(window))
        self.close_properties(window)

    def test_properties_from_the_virus_and_hidden_lists_in_both_languages(self):
        self.bed.clear_drive("E:")
        self.bed.put(f"{FOLDER}\\{DETECTED}", PADDED)
        program = self.bed.unix_path("C:\\windows\\system32\\winver.exe").read_bytes()
        self.bed.put(f"{FOLDER}\\{PROGRAM}", program)
        self.bed.set_attributes(f"{FOLDER}\\{PROGRAM}", add=HIDDEN | SYSTEM)
        self.open(f'"{FOLDER}"')
        with on_failure(self.bed, self.winauto, "ui_properties"):
            summary = self.box(timeout_ms=240000)
            self.assertTrue(self.winauto.press(summary.window, "OK"))
            self.assertTrue(self.winauto.wait_gone(summary.window))
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))  # "> &Result"
            for language in ("id", "en"):
                if language == "en":
                    self.switch_to_english()
                self.scan_tab(VIRUS_TAB)
                self.check_detected_file(language)
                self.scan_tab(HIDDEN_TAB)
                self.check_program(language, len(program))
