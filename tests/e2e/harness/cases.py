"""Table-driven end-to-end cases: a case starts one program with one command line and walks
through steps (a message box to read and answer, a window to find, the program's end). A new run
mode of the product is one more row of steps in a table."""

from dataclasses import dataclass, field

from harness.evidence import on_failure


@dataclass
class Context:
    """What the steps of one case share."""
    test: object      # the unittest.TestCase, for its assertions
    winauto: object
    started: object   # harness.winauto.Started
    name: str
    seen: dict = field(default_factory=dict)  # results of earlier steps, by step label


@dataclass
class MessageBox:
    """A message box of the program appears, with this title, containing each of `contains`, with
    exactly these buttons (captions without '&'); `press` answers it and it must then close.
    With `title_blanks` the title is compared without its blanks: the program's own title carries
    random ones (spaces or no-break spaces between its letters)."""
    title: str
    contains: tuple = ()
    buttons: tuple = None
    press: str = None
    timeout_ms: int = 60000
    title_blanks: bool = False

    def run(self, ctx):
        box = ctx.winauto.msgbox(pid=ctx.started.pid, timeout_ms=self.timeout_ms)
        ctx.test.assertIsNotNone(box, f"no message box within {self.timeout_ms} ms")
        title = box.title
        if self.title_blanks:
            title = "".join(c for c in title if c not in " \u00a0")
        ctx.test.assertEqual(title, self.title, f"message box text: {box.text!r}")
        for piece in self.contains:
            ctx.test.assertIn(piece, box.text)
        # A placeholder left in the text means the message was not formatted.
        ctx.test.assertNotIn("%s", box.text)
        if self.buttons is not None:
            ctx.test.assertEqual(box.button_captions(), list(self.buttons))
        if self.press is not None:
            ctx.test.assertTrue(ctx.winauto.press(box.window, self.press),
                                f"no button {self.press!r}")
            ctx.test.assertTrue(ctx.winauto.wait_gone(box.window), "the message box stayed open")
        ctx.seen["msgbox"] = box


@dataclass
class Window:
    """A top-level window of the program with this caption (or containing it), or of this window
    class, appears; with `close` it is then closed and must go away."""
    title: str = None
    contains: bool = False
    hidden_ok: bool = False
    close: bool = False
    timeout_ms: int = 60000
    cls: str = None

    def run(self, ctx):
        hwnd = ctx.winauto.wait(title=self.title, contains=self.contains, cls=self.cls,
                                pid=ctx.started.pid, include_hidden=self.hidden_ok,
                                timeout_ms=self.timeout_ms)
        ctx.test.assertIsNotNone(hwnd, f"no window {self.title or self.cls!r} within "
                                       f"{self.timeout_ms} ms")
        if self.close:
            ctx.test.assertTrue(ctx.winauto.close(hwnd))
            ctx.test.assertTrue(ctx.winauto.wait_gone(hwnd), "the window stayed open")
        ctx.seen["window"] = hwnd


@dataclass
class Exits:
    """The program ends within `within_s` seconds, with exit code `code` when one is given."""
    code: int = None
    within_s: float = 60

    def run(self, ctx):
        code = ctx.started.wait(self.within_s)
        ctx.test.assertIsNotNone(code, f"the program was still running after {self.within_s} s")
        if self.code is not None:
            ctx.test.assertEqual(code, self.code)


@dataclass
class FileHolds:
    """After the program's work, a file of the case's folder exists and holds these bytes."""
    name: str
    piece: bytes

    def run(self, ctx):
        path = ctx.folder / self.name
        ctx.test.assertTrue(path.is_file(), f"{path} was not written")
        ctx.test.assertIn(self.piece, path.read_bytes())


@dataclass
class FileAbsent:
    """A file of the case's folder was not written."""
    name: str

    def run(self, ctx):
        ctx.test.assertFalse((ctx.folder / self.name).exists(), f"{self.name} was written")


def run_case(test, bed, winauto, name, command_line, steps, cwd=None):
    """Starts the program, runs the steps in order, and ends the program if it is still there.
    File steps look into `cwd`, the case's folder."""
    started = winauto.start(command_line, cwd=cwd)
    test.assertIsNotNone(started, f"could not start: {command_line}")
    try:
        with on_failure(bed, winauto, name):
            ctx = Context(test, winauto, started, name)
            ctx.folder = bed.unix_path(cwd) if cwd else None
            for step in steps:
                step.run(ctx)
        return ctx
    finally:
        if started.running():
            winauto.kill(started.pid)
            started.wait(10)
        started.close()
