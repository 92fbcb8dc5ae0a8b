"""The registry guard from the window, as a person meets it after an infection: the typical changes
of malware are planted in a Windows XP prefix (the task manager and the registry editor disabled
by policy, the folder options locked away and their "show hidden files" made to hide them, a
run-key entry that starts a detected sample, a replaced Shell and Userinit, an autorun.inf on the
removable drive, a hosts file that blocks the product's site). The real Vestra.exe scans its
registry, start-up and system areas with the deep list; each change is listed; Fix All puts back
what Windows holds (as `reg query` shows); importing the undo file beside the log with
`regedit /s` brings every repaired key back to what it was, byte for byte as `reg query` prints
it. One program start for the whole sequence. The prefix's registry, hosts file and E: are put
back afterwards. Screenshots of the registry list in both languages go to
<build>/artifacts/screenshots.

The XP prefix, because the policy keys are checked by the deep list on systems before Vista only."""

import time
from pathlib import Path

from harness import controls
from harness.evidence import on_failure
from harness.fixtures import EICAR
from harness.product_window import ProductWindowTest
from harness.winauto import Winauto
from winebed import WineBed

SAMPLES = Path(__file__).resolve().parents[1] / "samples"
ids = controls.load().main

OK = "OK"
RESULT = "> &Result"
DEEP = "Deep (over 1500 registry values)"
REGISTRY_SCAN_TAB, SETTINGS_TAB, SCANNER_TAB = 3, 5, 0
EXIT_CAPTIONS = ("> &Keluar <", "> &Exit <")

FOLDER = "C:\\RegE2E"
SAVED = "C:\\RegE2E-saved"
SAMPLE = FOLDER + "\\eicar.com"
HOSTS = "C:\\windows\\system32\\drivers\\etc\\hosts"
CV = "Software\\Microsoft\\Windows\\CurrentVersion"
POL_SYSTEM = "HKEY_CURRENT_USER\\" + CV + "\\Policies\\System"
POL_EXPLORER = "HKEY_CURRENT_USER\\" + CV + "\\Policies\\Explorer"
RUN = "HKEY_CURRENT_USER\\" + CV + "\\Run"
WINLOGON = "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon"
USERINIT = "C:\\windows\\system32\\userinit.exe,"
REGEDIT = "HKEY_CURRENT_USER\\" + CV + "\\Applets\\Regedit"
# The registry list's pop-up menu without its separator.
REGISTRY_MENU = ["Repair &All", "Repair &Checked", "Ignore (Exception)", "&Goto Key ...",
                 "&Properties"]
SHOW_ALL = "HKEY_LOCAL_MACHINE\\" + CV + "\\Explorer\\Advanced\\Folder\\Hidden\\SHOWALL"


class Plant:
    def __init__(self, key, name, kind, data, finding, repaired, status):
        self.key, self.name, self.kind, self.data = key, name, kind, data
        self.finding = finding    # the row's "Type" (a callable for the virus-named one)
        self.repaired = repaired  # what reg query shows after Fix All (None: no value)
        self.status = status      # the row's "Status" after Fix All


PLANTED = [
    Plant(POL_SYSTEM, "DisableTaskMgr", "REG_DWORD", "1", "Forbidden DWORD Value", None,
          "Value was deleted"),
    Plant(POL_SYSTEM, "DisableRegistryTools", "REG_DWORD", "1", "Forbidden DWORD Value", None,
          "Value was deleted"),
    Plant(POL_EXPLORER, "NoFolderOptions", "REG_DWORD", "1", "Forbidden DWORD Value", None,
          "Value was deleted"),
    Plant(RUN, "SysUpdate", "REG_SZ", SAMPLE,
          lambda t: t.startswith("Eicar-Test-Signature ") and t.endswith(" Value"), None,
          "Value was deleted"),
    Plant(WINLOGON, "Shell", "REG_SZ", "Explorer.exe " + SAMPLE, "Different String Value",
          "Explorer.exe", "String value was fixed"),
    Plant(WINLOGON, "Userinit", "REG_SZ", USERINIT + SAMPLE, "Different String Value", USERINIT,
          "String value was fixed"),
    # "Show hidden files" made to store what "Do not show" stores, so the option never shows them.
    Plant(SHOW_ALL, "CheckedValue", "REG_DWORD", "0", "Different DWORD Value", "0x1",
          "DWORD value was fixed"),
]
# Every key a planted change or its repair touches, compared before the scan and after the undo.
# SafeBoot is missing in Wine: Fix All makes it (its values are lost), the undo file removes it.
WATCHED = sorted({p.key for p in PLANTED} |
                 {"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\SafeBoot"})


class RegistryGuardTests(ProductWindowTest):
    CASE_FOLDER = "uiregistry"

    @classmethod
    def setUpClass(cls):
        cls.bed = WineBed(winver="winxp")
        cls.winauto = Winauto(cls.bed)
        if not cls.winauto.available():
            raise AssertionError(f"{cls.winauto.exe} is missing: build the winauto target")
        cls.bed.ensure()

    def setUp(self):
        super().setUp()
        self.saved = {key: self.save(key, i) for i, key in enumerate(WATCHED)}
        hosts = self.bed.unix_path(HOSTS)
        self.hosts_before = hosts.read_bytes() if hosts.exists() else None
        self.undone = False
        self.addCleanup(self.restore_prefix)

    # The prefix ---------------------------------------------------------------------------

    def reg(self, *args):
        return self.bed.run("reg", *args)

    def save(self, key, number):
        """Exports the key to a file of the prefix; None when the key does not exist."""
        path = f"{SAVED}\\key{number}.reg"
        self.bed.make_folder(SAVED)
        done = self.reg("export", key, path, "/y")
        return path if done.returncode == 0 else None

    def query(self, key):
        """The key's `reg query /s` text, or None when it does not exist."""
        done = self.reg("query", key, "/s")
        return done.stdout.replace("\r\n", "\n").strip() if done.returncode == 0 else None

    def value(self, key, name):
        """The data of one value as `reg query` prints it, or None when it is missing."""
        done = self.reg("query", key, "/v", name)
        if done.returncode != 0:
            return None
        for line in done.stdout.splitlines():
            parts = line.strip().split(None, 2)
            if len(parts) >= 2 and parts[0].lower() == name.lower() and parts[1].startswith("REG_"):
                return parts[2] if len(parts) > 2 else ""
        return None

    def undo_file(self):
        return self.folder + "vestra.reg"

    def import_undo_file(self):
        self.undone = True
        done = self.bed.run("regedit", "/s", self.undo_file())
        self.assertEqual(done.returncode, 0, done.stderr)

    def restore_prefix(self):
        """Other suites use this prefix: the repairs are undone if the test did not get that far,
        then every watched key is put back as it was before the planting."""
        self.stop()
        if not self.undone and self.bed.unix_path(self.undo_file()).exists():
            self.bed.run("regedit", "/s", self.undo_file())
        for key, saved in self.saved.items():
            self.reg("delete", key, "/f")
            if saved:
                self.reg("import", saved)
        hosts = self.bed.unix_path(HOSTS)
        if self.hosts_before is not None:
            hosts.write_bytes(self.hosts_before)
        elif hosts.exists():
            hosts.unlink()
        self.bed.clear_drive("E:")

    def plant(self):
        self.bed.put(SAMPLE, EICAR)
        for p in PLANTED:
            done = self.reg("add", p.key, "/v", p.name, "/t", p.kind, "/d", p.data, "/f")
            self.assertEqual(done.returncode, 0, done.stderr)
        self.bed.clear_drive("E:")
        self.bed.put("E:\\autorun.inf", (SAMPLES / "autorun/autorun.inf").read_bytes())
        hosts = self.bed.unix_path(HOSTS)
        hosts.parent.mkdir(parents=True, exist_ok=True)
        hosts.write_bytes((self.hosts_before or b"127.0.0.1 localhost\r\n") +
                          b"127.0.0.1 www.vestra-update.example\r\n")

    # The window ---------------------------------------------------------------------------

    def registry_rows(self):
        """Rows of the registry list by their lower-cased display path."""
        rows = self.winauto.listview(self.hwnd, id=ids.kLVRegDet).rows
        return {(r.cells[1] + "\\" + r.cells[0]).lower(): r for r in rows}

    def virus_rows(self):
        return {r.cells[2].lower(): r for r in self.winauto.listview(self.hwnd, id=ids.kLVDetect).rows}

    def scan_tab_caption(self, index):
        tabs = self.winauto.tab(self.hwnd, id=ids.kTabScan) or []
        return tabs[index].caption if len(tabs) > index else None

    def switch_language(self, index):
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=SETTINGS_TAB))
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kOptLang0 + index))
        self.assertTrue(self.wait_until(
            lambda: self.caption(ids.kCmdExit) == EXIT_CAPTIONS[index], 30))
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=SCANNER_TAB))
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabScan,
                                              select=REGISTRY_SCAN_TAB))

    def test_planted_changes_are_listed_repaired_and_undone(self):
        self.plant()
        planted = {key: self.query(key) for key in WATCHED}
        self.open()
        with on_failure(self.bed, self.winauto, "ui_registry"):
            self.assertIsNotNone(self.winauto.treeview(self.hwnd, id=ids.kTvDir, check=DEEP))
            self.assertTrue(self.wait_until(lambda: any(
                n.text == DEEP and n.checked
                for n in self.winauto.treeview(self.hwnd, id=ids.kTvDir) or []), 30))
            started = time.monotonic()
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdScan))
            summary = self.box(timeout_ms=600000)
            print(f"scan of the registry, start-up and system areas with the deep list: "
                  f"{time.monotonic() - started:.1f} s")
            self.shoot("ui_registry_summary_id")
            self.press(summary, OK)
            self.assertEqual(self.caption(ids.kCmdStop), RESULT)

            viruses = self.virus_rows()
            self.assertEqual(viruses[SAMPLE.lower()].cells[3], "Infected Registry")
            self.assertEqual(viruses["e:\\autorun.inf"].cells[0], "Vestra.Test.Autorun.Inf")
            self.assertEqual(viruses[HOSTS.lower()].cells[0], "Blocked Hosts")

            self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabScan,
                                                  select=REGISTRY_SCAN_TAB))
            rows = self.registry_rows()
            for p in PLANTED:
                row = rows.get(f"{p.key}\\{p.name}".lower())
                self.assertIsNotNone(row, f"{p.key}\\{p.name} is not listed")
                finding = row.cells[2]
                if callable(p.finding):
                    self.assertTrue(p.finding(finding), finding)
                else:
                    self.assertEqual(finding, p.finding, p.name)
            self.assertEqual(self.scan_tab_caption(REGISTRY_SCAN_TAB), f"Registry ({len(rows)})")
            self.shoot("ui_registry_list_id")

            # The properties of the replaced shell: what it holds now and what it should hold.
            shell = next(i for i, r in enumerate(
                self.winauto.listview(self.hwnd, id=ids.kLVRegDet).rows)
                if (r.cells[1] + "\\" + r.cells[0]).lower() == f"{WINLOGON}\\Shell".lower())
            self.winauto.listview(self.hwnd, id=ids.kLVRegDet, select=shell)
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdScanEx0 + 3))
            box = self.box(title="Shell Properties")
            self.assertIn(f"Key Path : {WINLOGON}", box.text)
            self.assertIn("- Current Value : Explorer.exe " + SAMPLE, box.text)
            self.assertIn("- Recommended Value : Explorer.exe", box.text)
            self.press(box, OK)

            # Goto Key: the registry editor starts on the row's key.
            self.reg("delete", REGEDIT, "/v", "LastKey", "/f")
            self.addCleanup(self.reg, "delete", REGEDIT, "/v", "LastKey", "/f")
            self.assertTrue(self.winauto.popup(self.hwnd, REGISTRY_MENU.index("&Goto Key ..."),
                                               row=shell, id=ids.kLVRegDet))
            editor = self.winauto.wait(title="Registry Editor", contains=True, timeout_ms=60000)
            self.assertIsNotNone(editor, "the registry editor did not start")
            editor_pid = next(w[1] for w in self.winauto.windows() if w[0] == editor)
            self.addCleanup(self.winauto.kill, editor_pid)
            self.assertEqual((self.value(REGEDIT, "LastKey") or "").lower(),
                             f"My Computer\\{WINLOGON}".lower())
            self.winauto.kill(editor_pid)

            # Fix All: every list, the registry rows among them.
            self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdCleanAll))
            self.assertTrue(self.wait_until(
                lambda: all(r.cells[3] for r in self.registry_rows().values()), 300),
                "Fix All left registry rows without a status")
            rows = self.registry_rows()
            for p in PLANTED:
                row = rows[f"{p.key}\\{p.name}".lower()]
                self.assertEqual(row.cells[3], p.status, p.name)
                self.assertFalse(row.checked)
                self.assertEqual(self.value(p.key, p.name), p.repaired, p.name)
            open_rows = sum(1 for r in rows.values() if r.cells[3].endswith("couldn't be fixed")
                            or r.cells[3].endswith("couldn't be deleted"))
            self.assertEqual(self.scan_tab_caption(REGISTRY_SCAN_TAB), f"Registry ({open_rows})")
            self.assertFalse(self.bed.unix_path("E:\\autorun.inf").exists())
            self.assertNotIn(b"vestra", self.bed.unix_path(HOSTS).read_bytes().lower())
            self.shoot("ui_registry_fixed_id")
            self.switch_language(1)
            self.shoot("ui_registry_fixed_en")
            print(f"registry rows: {len(rows)}, still open: {open_rows}")

        # The undo file undoes every repair, the keys Fix All made included.
        undo = self.bed.unix_path(self.undo_file()).read_bytes()
        self.assertTrue(undo.startswith("\ufeffWindows Registry Editor Version 5.00".encode(
            "utf-16-le")), undo[:80])
        self.import_undo_file()
        for key in WATCHED:
            self.assertEqual(self.query(key), planted[key], key)
