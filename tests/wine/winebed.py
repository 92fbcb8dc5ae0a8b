#!/usr/bin/env python3
"""The Wine test bed seen from Python: where a build's prefix lives, how its Windows drives map to
Unix folders, and helpers that prepare drive contents (files, hidden and system attributes).

As a module it is used by the end-to-end harness; as a command it serves shell scripts:

    winebed.py path 'E:\\autorun.inf'            Unix path of a Windows path
    winebed.py put 'E:\\autorun.inf' TEXT         write a file (folders are created)
    winebed.py attrib +h +s 'E:\\x'               set DOS attributes from the Unix side
    winebed.py clear E:                           empty the removable (or CD-ROM) drive

The build folder comes from VESTRA_BINARY_DIR and the Windows version from VESTRA_WINVER, as in
wine-run.sh, whose rules this module mirrors.
"""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

RUN_SCRIPT = Path(__file__).resolve().with_name("wine-run.sh")
DEFAULT_WINVER = "win7"

# Drive letters that wine-run.sh maps, and the folder of the prefix behind each.
DRIVE_FOLDERS = {"C": "drive_c", "E": "drive_e", "F": "drive_f"}
REMOVABLE_DRIVE = "E:"
CDROM_DRIVE = "F:"

# DOS attribute bits as GetFileAttributes reports them.
READONLY, HIDDEN, SYSTEM, ARCHIVE = 0x1, 0x2, 0x4, 0x20
_ATTRIBUTE_LETTERS = {"r": READONLY, "h": HIDDEN, "s": SYSTEM, "a": ARCHIVE}
# Wine keeps hidden, system and archive bits in this extended attribute, as Samba does.
_DOS_XATTR = "user.DOSATTRIB"


class WineBed:
    """One prefix of one build folder, for one Windows version."""

    def __init__(self, build_dir=None, winver=None):
        build = build_dir or os.environ.get("VESTRA_BINARY_DIR")
        if not build:
            raise ValueError("no build folder: pass one or set VESTRA_BINARY_DIR")
        self.build = Path(build).resolve()
        self.winver = winver or os.environ.get("VESTRA_WINVER") or DEFAULT_WINVER
        base = os.environ.get("VESTRA_WINEPREFIX") or str(self.build / "wineprefix")
        self.prefix = Path(base if self.winver == DEFAULT_WINVER else f"{base}-{self.winver}")

    def env(self, extra=None):
        """The environment under which wine-run.sh picks this bed's prefix."""
        env = dict(os.environ)
        env["VESTRA_BINARY_DIR"] = str(self.build)
        env["VESTRA_WINVER"] = self.winver
        env.update(extra or {})
        return env

    def command(self, program, *args):
        """The argument list that runs a Windows program in this bed."""
        return [str(RUN_SCRIPT), str(program), *map(str, args)]

    def run(self, program, *args, timeout=120, **kwargs):
        """Runs a Windows program to its end; a CompletedProcess with text output."""
        return subprocess.run(self.command(program, *args), env=self.env(), timeout=timeout,
                              capture_output=True, text=True, encoding="utf-8",
                              errors="replace", **kwargs)

    def ensure(self):
        """Creates the prefix now (the first use takes several seconds)."""
        done = subprocess.run([str(RUN_SCRIPT), "--unix", "true"], env=self.env(),
                              capture_output=True, text=True, timeout=300)
        if done.returncode != 0:
            raise RuntimeError(f"could not prepare the Wine prefix: {done.stderr}")
        return self

    # Drives and paths -------------------------------------------------------------------

    def drive_root(self, letter):
        letter = letter.rstrip(":\\/").upper()
        if letter not in DRIVE_FOLDERS:
            raise ValueError(f"drive {letter}: is not mapped by the test bed")
        return self.prefix / DRIVE_FOLDERS[letter]

    def unix_path(self, windows_path):
        """C:\\a\\b -> <prefix>/drive_c/a/b. Wine matches names without regard to case; this does
        not, so use the case under which the file was written."""
        match = re.fullmatch(r"([A-Za-z]):[\\/]?(.*)", windows_path)
        if not match:
            raise ValueError(f"not an absolute Windows path: {windows_path}")
        parts = [p for p in re.split(r"[\\/]+", match.group(2)) if p]
        return self.drive_root(match.group(1)).joinpath(*parts)

    def put(self, windows_path, content=b""):
        """Writes a file (text is written as UTF-8) and returns its Unix path."""
        path = self.unix_path(windows_path)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(content.encode("utf-8") if isinstance(content, str) else content)
        return path

    def make_folder(self, windows_path):
        path = self.unix_path(windows_path)
        path.mkdir(parents=True, exist_ok=True)
        return path

    def clear_drive(self, letter):
        """Empties a drive's folder (C: is refused: it holds Windows)."""
        root = self.drive_root(letter)
        if root.name == DRIVE_FOLDERS["C"]:
            raise ValueError("refusing to clear C:")
        for entry in root.iterdir() if root.exists() else []:
            if entry.is_dir() and not entry.is_symlink():
                shutil.rmtree(entry)
            else:
                entry.unlink()

    # Attributes ---------------------------------------------------------------------------

    def set_attributes(self, windows_path, add=0, remove=0):
        """Sets DOS attributes from the Unix side, the way Wine stores them: hidden, system and
        archive in an extended attribute, read-only as the Unix write permission."""
        path = self.unix_path(windows_path)
        current = _read_dos_xattr(path)
        value = (current | add) & ~remove
        stored = value & ~READONLY
        os.setxattr(path, _DOS_XATTR, f"0x{stored:x}".encode(), follow_symlinks=False)
        if (add | remove) & READONLY:
            mode = path.stat().st_mode
            path.chmod(mode & ~0o222 if value & READONLY else mode | 0o200)
        return value

    def attributes(self, windows_path):
        """The attribute bits Wine will report, read from the Unix side."""
        path = self.unix_path(windows_path)
        value = _read_dos_xattr(path)
        if not os.access(path, os.W_OK) or not path.stat().st_mode & 0o222:
            value |= READONLY
        return value

    def attrib(self, windows_path, *changes):
        """Runs Wine's own attrib.exe, e.g. attrib('E:\\x', '+h', '+s'). Wine's attrib applies
        only the last change of one call, so each change is a call of its own."""
        for change in changes:
            done = subprocess.run([str(RUN_SCRIPT), "attrib", change, windows_path],
                                  env=self.env(), capture_output=True, text=True, timeout=120)
            if done.returncode != 0:
                raise RuntimeError(f"attrib {change} failed: {done.stdout}{done.stderr}")


def _read_dos_xattr(path):
    try:
        raw = os.getxattr(path, _DOS_XATTR, follow_symlinks=False)
    except OSError:
        return 0
    text = raw.split(b"\0")[0].decode("ascii", "replace").strip()
    try:
        return int(text, 16) if text.lower().startswith("0x") else int(text or "0")
    except ValueError:
        return 0


def parse_attribute_changes(words):
    """['+h', '-s'] -> (add, remove) bits."""
    add = remove = 0
    for word in words:
        if len(word) != 2 or word[0] not in "+-" or word[1].lower() not in _ATTRIBUTE_LETTERS:
            raise ValueError(f"bad attribute change: {word}")
        bit = _ATTRIBUTE_LETTERS[word[1].lower()]
        if word[0] == "+":
            add |= bit
        else:
            remove |= bit
    return add, remove


def main(argv):
    usage = __doc__.split("As a module")[1]
    if len(argv) < 2:
        print(usage, file=sys.stderr)
        return 2
    bed = WineBed()
    command, rest = argv[1], argv[2:]
    if command == "path" and len(rest) == 1:
        print(bed.unix_path(rest[0]))
    elif command == "put" and len(rest) in (1, 2):
        print(bed.put(rest[0], rest[1] if len(rest) == 2 else ""))
    elif command == "attrib" and len(rest) >= 2:
        add, remove = parse_attribute_changes(rest[:-1])
        print(f"0x{bed.set_attributes(rest[-1], add, remove):x}")
    elif command == "clear" and len(rest) == 1:
        bed.clear_drive(rest[0])
    else:
        print(usage, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
