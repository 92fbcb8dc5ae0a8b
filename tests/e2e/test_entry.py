"""The product's entry point, end to end: Vestra.exe started with an argument text in a folder
that holds some of its shipped files. One row per case; a case is skipped only while a file it
needs is not built yet.

Message 109 is shown in the default language, Indonesian, whose wording is the product's own; the
rows therefore check the parts that do not depend on the language: the title, the inserted names
and the single OK button."""

from dataclasses import dataclass

from harness.base import E2ETest
from harness.cases import Exits, FileAbsent, FileHolds, MessageBox, Window, run_case
from harness.product import DATABASE, ENGINE, EXE, Product
from harness.winauto import Winauto
from winebed import WineBed


ALL = (EXE, ENGINE, DATABASE)
MAIN_CLASS = "VestraMain"
USER_SIGNATURES = "Vestra.vbu"
SUMMARY_TITLE = "Status Komputer"  # the summary box's title in the default language


@dataclass
class Case:
    name: str
    files: tuple            # shipped files laid out beside the program
    argument_text: str      # what follows the quoted program path on the command line
    steps: tuple
    winver: str = None      # Windows version asked of the test bed (None: the default, 7)
    patch: object = None    # changes the laid-out program's bytes before the start


def patch_dos_stub(exe):
    """One letter of the DOS stub's text changed: a change a virus could make, which the program
    can still run with, and which its stamped image sum no longer fits."""
    data = bytearray(exe.read_bytes())
    at = data.index(b"This program")
    data[at] ^= 0x20
    exe.write_bytes(bytes(data))


# A fresh prefix has no protection host: an ordinary start offers it (message 54); No goes on.
PROTECTION_OFFER = MessageBox("Vestra", contains=("VesRTP",), buttons=("Yes", "No"), press="No",
                              title_blanks=True)


def missing_file_box(kind, file_name):
    return MessageBox("Error", contains=(kind, file_name), buttons=("OK",), press="OK")


CASES = (
    Case("missing_engine", (EXE, DATABASE), "",
         (missing_file_box("Engine", ENGINE), Exits())),
    Case("missing_database", (EXE, ENGINE), "",
         (missing_file_box("Database", DATABASE), Exits())),
    # With both missing the engine is named first, and the program ends after that one box.
    Case("missing_both", (EXE,), "",
         (missing_file_box("Engine", ENGINE), Exits())),
    # The check comes before any run mode is entered.
    Case("missing_engine_protection_mode", (EXE, DATABASE), "rtp",
         (missing_file_box("Engine", ENGINE), Exits())),
    Case("missing_engine_program_started_protection", (EXE, DATABASE), "RTC",
         (missing_file_box("Engine", ENGINE), Exits())),
    # Self-update and silent install leave before the engine check (they fetch the files), so no
    # box appears even without the engine; the first run's settings are not created either.
    Case("update_mode_skips_the_engine_check", (EXE,), "upd", (Exits(),)),
    Case("silent_install_mode_skips_the_engine_check", (EXE,), "slt", (Exits(),)),
    # With everything in place an ordinary start opens the main window.
    Case("ordinary_start", ALL, "",
         (PROTECTION_OFFER, Window(cls=MAIN_CLASS, close=True), Exits(code=0))),
    # A quoted path list from the shell's menu opens the main window and scans at once.
    Case("path_list", ALL, '"C:\\windows\\win.ini" "C:\\VestraE2E\\path_list"',
         (MessageBox(SUMMARY_TITLE, press="OK", timeout_ms=120000),
          Window(cls=MAIN_CLASS, close=True), Exits(code=0))),
    # A damaged copy of the program says so (message 53) before its main window; OK goes on.
    Case("damaged_own_file", ALL, "",
         (MessageBox("File error", contains=("Vestra", "http://www.vestra-av.web.id"),
                     buttons=("OK", "Cancel"), press="OK"),
          PROTECTION_OFFER, Window(cls=MAIN_CLASS, close=True), Exits(code=0)),
         patch=patch_dos_stub),
    # "vrs <path>": the file becomes the user signature "Malware.Behavior", kept beside the
    # database, and the program goes on to its main window.
    Case("behaviour_signature", ALL, "vrs C:\\windows\\win.ini",
         (PROTECTION_OFFER, Window(cls=MAIN_CLASS, close=True), Exits(code=0),
          FileHolds(USER_SIGNATURES, b"Malware.Behavior"))),
    # "vrs" alone is no request: nothing is added.
    Case("vrs_without_path", ALL, "vrs",
         (Window(cls=MAIN_CLASS, close=True), Exits(code=0), FileAbsent(USER_SIGNATURES))),
)


class EntryTests(E2ETest):
    pass


def _make_test(case):
    def test(self):
        bed = WineBed(self.bed.build, case.winver) if case.winver else self.bed
        product = Product(bed)
        reason = product.skip_reason(case.files)
        if reason:
            self.skipTest(reason)
        folder = product.lay_out(case.name, case.files)
        if case.patch:
            case.patch(bed.unix_path(folder + EXE))
        run_case(self, bed, Winauto(bed, self.winauto.exe), f"entry-{case.name}",
                 product.command_line(folder, case.argument_text), case.steps, cwd=folder)

    test.__doc__ = f"{case.name}: {case.argument_text or '(no argument)'} beside {case.files}"
    return test


for _case in CASES:
    setattr(EntryTests, f"test_{_case.name}", _make_test(_case))
