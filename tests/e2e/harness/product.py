"""The product under test: the shipped files in <build>/dist, laid out in a folder of the prefix's
C: drive, and started there with a given argument text."""

import shutil
from pathlib import Path

EXE = "Vestra.exe"
ENGINE = "VestEngine.dll"
DATABASE = "Vestra.loov"
ALL_FILES = (EXE, ENGINE, DATABASE)

# Who builds each shipped file, for the message of a skipped test.
_MAKERS = {EXE: "the app target", ENGINE: "the engine's DLL target",
           DATABASE: "the engine's signature database target"}

# Each test case gets its own folder here, so cases never see each other's files.
_CASES_FOLDER = "C:\\VestraE2E"


class Product:
    def __init__(self, bed):
        self.bed = bed
        self.dist = bed.build / "dist"

    def missing(self, files=ALL_FILES):
        """The files among `files` that the build has not produced yet."""
        return [name for name in files if not (self.dist / name).is_file()]

    def skip_reason(self, files=ALL_FILES):
        """None when every file is built, else a message naming what is missing."""
        missing = self.missing(files)
        if not missing:
            return None
        makers = ", ".join(f"{name} ({_MAKERS.get(name, 'unknown')})" for name in missing)
        return f"not built yet in {self.dist}: {makers}"

    def lay_out(self, case, files=ALL_FILES):
        """Copies `files` from dist into a fresh folder C:\\VestraE2E\\<case>; returns its Windows
        path (with a trailing backslash)."""
        folder = f"{_CASES_FOLDER}\\{case}\\"
        unix = self.bed.unix_path(folder)
        if unix.exists():
            shutil.rmtree(unix)
        unix.mkdir(parents=True)
        for name in files:
            shutil.copy2(self.dist / name, unix / name)
        return folder

    def command_line(self, folder, argument_text=""):
        """The command line as Windows shells build it: the program path in quotes, then the
        argument text as it is (a path list keeps its own quotes)."""
        line = f'"{folder}{EXE}"'
        return f"{line} {argument_text}" if argument_text else line
