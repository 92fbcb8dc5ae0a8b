"""Acting on findings in both languages, with files that another program holds open without
sharing: a folder with EICAR, the harmless samples, three held copies and a hidden folder is
scanned, then "&Fix All" deletes, quarantines, cleans and unhides. The held files' rows report the
failure and the files stay whole. Each state (the scan's summary, the result after Fix All, the
Quarantine tab with its count, the hidden list after unhiding) is shot into
<build>/artifacts/screenshots as ui_fix_<language>_<state>.png."""

import shutil

from harness import controls
from harness.evidence import on_failure
from harness.fixtures import EICAR
from harness.product_window import SETTINGS_KEY, without_registry_line
from test_ui_fix import (HIDDEN, HIDDEN_SCAN_TAB, OK, PLANTED, QUARANTINE_TAB, SAMPLES, SYSTEM,
                         FixWindowTest, decode_cage_file)

ids = controls.load().main

FOLDER = "E:\\UiFixLang"  # the hidden list reports paths off the Windows drive
READY = "E:\\UiFixLang.held"  # made by the holder once every file is open
# Copies that the holder keeps open: one to delete, one to quarantine, one to clean.
HELD = {
    "held-eicar.com": EICAR,
    "held-macro.vbs": (SAMPLES / "script/macro-note.vbs").read_bytes(),
    "held-report.exe": (SAMPLES / "docdrop/report.exe").read_bytes(),
}
SCAN_TAB = 0

# The catalogue's texts by language (messages 42 to 47, 49, 89 to 93 and 112); the status line's
# texts are the same in both.
TEXTS = {
    "id": dict(
        language=0, fix_all="&Bersihkan", summary_title="Status Komputer",
        summary="Sayangnya, kondisi sistem komputer Anda JELEK\r\nVestra menemukan : \r\n"
                "\r\n- 8 File Virus\r\n- 1 File Tersembunyi",
        deleted="Sudah dihapus", quarantined="Sudah dikarantina", cleaned="Sudah dibersihkan",
        not_deleted="Tidak bisa dihapus", not_cleaned="Tidak bisa dibersihkan"),
    "en": dict(
        language=1, fix_all="&Fix All", summary_title="Computer Status",
        summary="Unfortunately, your computer system is BAD\r\nVestra found : \r\n"
                "\r\n- 8 Virus File(s)\r\n- 1 Hidden File(s)",
        deleted="Deleted", quarantined="Quarantined", cleaned="Cleaned",
        not_deleted="Couldn't be Deleted", not_cleaned="Couldn't be cleaned"),
}


def expected_statuses(texts):
    by_outcome = {"Sudah dihapus": "deleted", "Sudah dikarantina": "quarantined",
                  "Sudah dibersihkan": "cleaned"}
    statuses = {name: texts[by_outcome[status]] for name, (_, status) in PLANTED.items()}
    # A held file cannot be read or deleted: the delete fails (also after the failed
    # quarantine), and cleaning finds nothing to read and cannot quarantine either.
    statuses.update({"held-eicar.com": texts["not_deleted"], "held-macro.vbs": texts["not_deleted"],
                     "held-report.exe": texts["not_cleaned"]})
    return statuses


class FixLanguageTests(FixWindowTest):
    CASE_FOLDER = "uifixlang"

    def hold(self, names):
        """Starts the holder on the files; it is ended when the test ends."""
        self.bed.unix_path(READY).unlink(missing_ok=True)
        exe = self.windows_path(self.bed.build / "tests" / "e2e" / "hold_files.exe")
        line = " ".join(f'"{p}"' for p in [exe, READY] + [f"{FOLDER}\\{n}" for n in names])
        holder = self.winauto.start(line)
        self.assertIsNotNone(holder, "the holder did not start")
        self.addCleanup(holder.close)
        self.addCleanup(lambda: holder.running() and self.winauto.kill(holder.pid))
        self.assertTrue(self.wait_until(lambda: self.bed.unix_path(READY).exists() or
                                        not holder.running(), 60))
        self.assertTrue(holder.running(), "the holder could not open the files")
        return holder

    def run_in(self, language):
        texts = TEXTS[language]
        shutil.rmtree(self.bed.unix_path(FOLDER), ignore_errors=True)
        self.bed.put(f"{FOLDER}\\Stash\\kept.txt", "out of sight")
        self.bed.attrib(f"{FOLDER}\\Stash", "+h", "+s")
        # A language chosen in an earlier run is read at start.
        self.bed.run("reg", "add", SETTINGS_KEY, "/v", "Language", "/t", "REG_DWORD",
                     "/d", str(texts["language"]), "/f")
        planted = {name: content for name, (content, _) in PLANTED.items()}
        planted.update(HELD)
        for name, content in planted.items():
            self.bed.put(f"{FOLDER}\\{name}", content)
        self.bed.put(f"{FOLDER}\\readme.txt", (SAMPLES / "clean/readme.txt").read_bytes())

        self.open(f'"{FOLDER}"')
        summary = self.box(timeout_ms=240000)
        self.shoot(f"ui_fix_{language}_scanned")
        self.assertEqual((summary.title, without_registry_line(summary.text)),
                         (texts["summary_title"], texts["summary"]))
        self.press(summary, OK)
        self.assertTrue(self.winauto.click(self.hwnd, id=ids.kCmdStop))  # "> &Result"
        self.assertEqual(sorted(self.virus_rows()), sorted(planted))
        self.assertEqual(self.caption(ids.kCmdCleanAll), texts["fix_all"])

        # Held only now: the scan itself must be able to read them.
        self.hold(HELD)
        rows = self.fix_all()
        self.assertTrue(self.wait_until(lambda: self.status_line() == "Fixing all finished", 60),
                        self.status_line())
        self.shoot(f"ui_fix_{language}_fixed")
        self.assertEqual({n: r.cells[3] for n, r in rows.items()}, expected_statuses(texts))
        # Failed rows stay open for another pass; fixed ones refuse the check mark.
        self.assertEqual(sorted(n for n, r in rows.items() if r.cells[3] in
                                (texts["not_deleted"], texts["not_cleaned"])), sorted(HELD))
        for name, content in HELD.items():
            self.assertEqual(self.path(name, FOLDER).read_bytes(), content, name)
        self.assertFalse(self.path("held-report.doc", FOLDER).exists())
        self.assertTrue(self.path("report.doc", FOLDER).is_file())

        caged = sorted(decode_cage_file(f.read_bytes())[0].rsplit("\\", 1)[-1]
                       for f in self.cage_files())
        self.assertEqual(caged, ["macro-note.vbs", "setup-dropper.exe"])
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=QUARANTINE_TAB))
        self.assertTrue(self.wait_until(lambda: len(self.cage_rows()) == 2, 30), self.cage_rows())
        self.assert_quarantine_caption("Quarantine (2) ")
        self.shoot(f"ui_fix_{language}_quarantine")

        # Fix All unhid the folder as well.
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabMain, select=SCAN_TAB))
        self.assertIsNotNone(self.winauto.tab(self.hwnd, id=ids.kTabScan, select=HIDDEN_SCAN_TAB))
        self.assertFalse(self.bed.attributes(f"{FOLDER}\\Stash") & (HIDDEN | SYSTEM))
        hidden = self.hidden_rows()
        self.assertEqual(sorted(hidden), ["stash"])
        self.assertEqual(hidden["stash"].cells[1], "Folder")
        self.assertFalse(hidden["stash"].checked)
        self.shoot(f"ui_fix_{language}_unhidden")

    def test_indonesian(self):
        with on_failure(self.bed, self.winauto, "ui_fix_id"):
            self.run_in("id")

    def test_english(self):
        with on_failure(self.bed, self.winauto, "ui_fix_en"):
            self.run_in("en")
