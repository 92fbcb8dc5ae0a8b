"""The product's entry point, end to end: Vestra.exe started with an argument text in a folder
that holds some of its shipped files. One row per case; a case is skipped only while a file it
needs is not built yet.

Message 109 is shown in the default language, Indonesian, whose wording is the product's own; the
rows therefore check the parts that do not depend on the language: the title, the inserted names
and the single OK button."""

from dataclasses import dataclass

from harness.base import E2ETest
from harness.cases import Exits, MessageBox, run_case
from harness.product import DATABASE, ENGINE, EXE, Product
from harness.winauto import Winauto
from winebed import WineBed


@dataclass
class Case:
    name: str
    files: tuple            # shipped files laid out beside the program
    argument_text: str      # what follows the quoted program path on the command line
    steps: tuple
    winver: str = None      # Windows version asked of the test bed (None: the default, 7)


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
        run_case(self, bed, Winauto(bed, self.winauto.exe), f"entry-{case.name}",
                 product.command_line(folder, case.argument_text), case.steps, cwd=folder)

    test.__doc__ = f"{case.name}: {case.argument_text or '(no argument)'} beside {case.files}"
    return test


for _case in CASES:
    setattr(EntryTests, f"test_{_case.name}", _make_test(_case))
