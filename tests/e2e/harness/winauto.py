"""Python side of winauto.exe: runs one winauto command in the test bed and parses its lines.

winauto prints tab-separated fields with backslash escapes (\\\\ \\t \\r \\n); methods here return
plain Python values. A command that finds nothing (exit 1) gives None or False; a usage error
(exit 2) is a fault of the caller and raises.

Waits for something to appear default to WAIT_MS: a loaded machine may take many seconds to show a
window, and a longer deadline costs nothing when it comes sooner. A check that something does NOT
appear passes its own short timeout.
"""

import os
import re
import signal
import subprocess
import tempfile
from dataclasses import dataclass, field
from pathlib import Path

from harness.waiting import wait_until

WAIT_MS = 30000

_ESCAPES = {"\\\\": "\\", "\\t": "\t", "\\r": "\r", "\\n": "\n"}


def unescape(text):
    return re.sub(r"\\[\\trn]", lambda m: _ESCAPES[m.group(0)], text)


def split_line(line):
    return [unescape(part) for part in line.rstrip("\n").split("\t")]


class WinautoUsageError(RuntimeError):
    pass


@dataclass
class Control:
    hwnd: str
    cls: str
    id: int
    caption: str
    visible: bool
    enabled: bool


@dataclass
class MessageBox:
    window: str
    title: str
    text: str
    buttons: list = field(default_factory=list)  # (id, caption) pairs

    def button_captions(self):
        return [caption.replace("&", "") for _, caption in self.buttons]


@dataclass
class ListRow:
    index: int
    checked: object  # True, False, or None when the list has no check boxes
    selected: bool
    cells: list


@dataclass
class ListView:
    columns: list
    rows: list


@dataclass
class TreeNode:
    depth: int
    checked: object
    expanded: bool
    text: str


@dataclass
class Tab:
    index: int
    selected: bool
    caption: str


def _check_field(text):
    return None if text == "-" else text == "1"


class Started:
    """A program started by "winauto run": its Windows process id, and its exit code later."""

    def __init__(self, popen, output_path, pid):
        self._popen = popen
        self._output_path = output_path
        self.pid = pid

    def output_lines(self):
        return Path(self._output_path).read_text(encoding="utf-8", errors="replace").splitlines()

    def running(self):
        return self._popen.poll() is None

    def wait(self, timeout_s):
        """The exit code, or None when the program is still running after timeout_s."""
        try:
            self._popen.wait(timeout=timeout_s)
        except subprocess.TimeoutExpired:
            return None
        for line in reversed(self.output_lines()):
            fields = split_line(line)
            if fields[0] == "exit" and len(fields) == 2:
                return int(fields[1])
        return None

    def close(self):
        """Ends "run" and, with it, whatever is left of the program's process group."""
        if self._popen.poll() is None:
            try:
                os.killpg(self._popen.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self._popen.wait()
        try:
            os.unlink(self._output_path)
        except OSError:
            pass


class Winauto:
    def __init__(self, bed, exe=None):
        self.bed = bed
        self.exe = Path(exe or bed.build / "tools" / "winauto" / "winauto.exe")

    def available(self):
        return self.exe.is_file()

    def call(self, *args, timeout_s=120):
        """(exit code, list of field lists) of one winauto command."""
        done = subprocess.run(self.bed.command(self.exe, *args), env=self.bed.env(),
                              capture_output=True, timeout=timeout_s)
        stdout = done.stdout.decode("utf-8", "replace")
        if done.returncode == 2:
            raise WinautoUsageError(f"winauto {' '.join(map(str, args))}: "
                                    f"{done.stderr.decode('utf-8', 'replace').strip()}")
        if done.returncode not in (0, 1):
            raise RuntimeError(f"winauto {args[0]} ended with {done.returncode}: "
                               f"{done.stderr.decode('utf-8', 'replace').strip()}")
        return done.returncode, [split_line(line) for line in stdout.splitlines() if line]

    def _ok(self, *args, **kwargs):
        code, lines = self.call(*args, **kwargs)
        return lines if code == 0 else None

    # Top-level windows ----------------------------------------------------------------------

    def wait(self, title=None, contains=False, cls=None, pid=None, include_hidden=False,
             timeout_ms=WAIT_MS):
        args = ["wait", "--timeout", timeout_ms]
        args += _opt("--title", title) + _opt("--class", cls) + _opt("--pid", pid)
        args += (["--contains"] if contains else []) + (["--all"] if include_hidden else [])
        lines = self._ok(*args, timeout_s=timeout_ms / 1000 + 60)
        return lines[0][0] if lines else None

    def windows(self, pid=None, include_hidden=False):
        """[(hwnd, pid, class, title)] of the top-level windows (visible ones only by default)."""
        args = ["windows", *_opt("--pid", pid)] + (["--all"] if include_hidden else [])
        return [(w[0], int(w[1]), w[2], w[3]) for w in self._ok(*args)]

    def text(self, hwnd, **control):
        lines = self._ok("text", "--window", hwnd, *_control(control))
        return lines[0][0] if lines else None

    def children(self, hwnd):
        lines = self._ok("children", "--window", hwnd) or []
        return [Control(l[0], l[1], int(l[2]), l[3], l[4] == "visible", l[5] == "enabled")
                for l in lines]

    def rect(self, hwnd):
        lines = self._ok("rect", "--window", hwnd)
        return tuple(int(v) for v in lines[0]) if lines else None

    def msgbox(self, pid=None, title=None, timeout_ms=WAIT_MS):
        lines = self._ok("msgbox", "--timeout", timeout_ms, *_opt("--pid", pid),
                         *_opt("--title", title), timeout_s=timeout_ms / 1000 + 60)
        if lines is None:
            return None
        box = MessageBox("", "", "")
        for fields in lines:
            if fields[0] == "button":
                box.buttons.append((int(fields[1]), fields[2]))
            elif fields[0] in ("window", "title", "text"):
                setattr(box, fields[0], fields[1])
        return box

    def close(self, hwnd):
        return self._ok("close", "--window", hwnd) is not None

    def wait_gone(self, hwnd, timeout_ms=WAIT_MS):
        return self._ok("wait-gone", "--window", hwnd, "--timeout", timeout_ms,
                        timeout_s=timeout_ms / 1000 + 60) is not None

    # Controls -------------------------------------------------------------------------------

    def press(self, hwnd, button):
        return self._ok("press", "--window", hwnd, "--button", button) is not None

    def click(self, hwnd, via=None, **control):
        return self._ok("click", "--window", hwnd, *_control(control),
                        *_opt("--via", via)) is not None

    def settext(self, hwnd, text, **control):
        return self._ok("settext", "--window", hwnd, *_control(control), "--text", text) is not None

    def gettext(self, hwnd, **control):
        lines = self._ok("gettext", "--window", hwnd, *_control(control))
        return lines[0][0] if lines else None

    def check(self, hwnd, checked=True, timeout_ms=None, **control):
        return self._ok("check" if checked else "uncheck", "--window", hwnd, *_control(control),
                        *_opt("--timeout", timeout_ms)) is not None

    def listview(self, hwnd, check=None, uncheck=None, select=None, **control):
        lines = self._ok("listview", "--window", hwnd, *_control(control), *_opt("--check", check),
                         *_opt("--uncheck", uncheck), *_opt("--select", select))
        if lines is None:
            return None
        columns = [f[2] for f in lines if f[0] == "column"]
        rows = [ListRow(int(f[1]), _check_field(f[2]), f[3] == "1", f[4:])
                for f in lines if f[0] == "row"]
        return ListView(columns, rows)

    def treeview(self, hwnd, check=None, uncheck=None, timeout_ms=None, **control):
        """The nodes; `check` / `uncheck` first click the box of the node with that text."""
        lines = self._ok("treeview", "--window", hwnd, *_control(control), *_opt("--check", check),
                         *_opt("--uncheck", uncheck), *_opt("--timeout", timeout_ms))
        if lines is None:
            return None
        return [TreeNode(int(f[1]), _check_field(f[2]), f[3] == "expanded", f[4]) for f in lines]

    def tab(self, hwnd, select=None, timeout_ms=None, **control):
        """The tabs; `select` first clicks that tab and waits (timeout_ms) for the strip to move."""
        lines = self._ok("tab", "--window", hwnd, *_control(control), *_opt("--select", select),
                         *_opt("--timeout", timeout_ms))
        if lines is None:
            return None
        return [Tab(int(f[1]), f[2] == "1", f[3]) for f in lines]

    def popup(self, hwnd, pick, row=None, sub=None, timeout_ms=None, **control):
        """Right-clicks a list view (on `row`, else its first row) and chooses the `pick`-th item
        of the pop-up menu, counted from 0 without the separators (with `sub`, the sub-th item of
        that item's submenu). True once the menu closed."""
        return self._ok("popup", "--window", hwnd, *_control(control), "--pick", pick,
                        *_opt("--sub", sub), *_opt("--row", row),
                        *_opt("--timeout", timeout_ms)) is not None

    def choose_folder(self, pid, path, timeout_ms=WAIT_MS):
        """Selects `path` in the browse-for-folder dialog of process `pid` and presses OK; the
        text of the tree node it selected, or None when there was no dialog or no such folder."""
        lines = self._ok("folder", "--pid", pid, "--path", path, "--timeout", timeout_ms,
                         timeout_s=timeout_ms / 1000 + 60)
        return next((f[1] for f in lines or [] if f[0] == "selected"), None)

    # Processes ------------------------------------------------------------------------------

    def start(self, command_line, cwd=None, start_timeout_s=120, env=None):
        """Starts a program with exactly this Windows command line (quoting included), with the
        variables of `env` added to its environment (Wine hands them on). Returns a Started, or
        None when the program could not be started."""
        handle, output_path = tempfile.mkstemp(prefix="winauto-run-", suffix=".txt")
        args = self.bed.command(self.exe, "run", "--cmdline", command_line, *_opt("--cwd", cwd))
        # Output goes to a file, not a pipe: a program that leaves a child behind would keep a
        # pipe open and hide the end of "run".
        popen = subprocess.Popen(args, env=self.bed.env(env), stdout=handle,
                                 stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
                                 start_new_session=True)
        os.close(handle)
        started = Started(popen, output_path, None)

        def told_pid_or_ended():
            lines = started.output_lines()
            if lines and split_line(lines[0])[0] == "pid":
                started.pid = int(split_line(lines[0])[1])
                return True
            return popen.poll() is not None

        wait_until(told_pid_or_ended, start_timeout_s, interval=0.05)
        if started.pid is not None:
            return started
        started.close()
        return None

    def kill(self, pid):
        return self._ok("kill", "--pid", pid) is not None


def _opt(name, value):
    return [] if value is None else [name, str(value)]


def _control(fields):
    args = []
    for key in ("id", "caption", "cls", "index"):
        if fields.get(key) is not None:
            args += ["--class" if key == "cls" else f"--{key}", str(fields[key])]
    unknown = set(fields) - {"id", "caption", "cls", "index"}
    if unknown:
        raise TypeError(f"unknown control selector: {sorted(unknown)}")
    return args
