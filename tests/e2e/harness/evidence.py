"""What a failed end-to-end step leaves behind for the reader of the log: a screenshot of the test
display and the list of top-level windows, under <build>/artifacts/."""

import contextlib
import os
import subprocess
import sys

from winebed import RUN_SCRIPT

SCREENSHOT_SCRIPT = RUN_SCRIPT.with_name("screenshot.sh")


def screenshot(bed, name, rect=None):
    """Saves the display (or rect = (x, y, width, height)) as a PNG; returns its path or None."""
    args = [str(SCREENSHOT_SCRIPT), name, *map(str, rect or ())]
    if not os.environ.get("DISPLAY"):
        return None
    done = subprocess.run(args, env=bed.env(), capture_output=True, text=True, timeout=60)
    return done.stdout.strip() if done.returncode == 0 else None


@contextlib.contextmanager
def on_failure(bed, winauto, name):
    """Runs the block; when it fails, records a screenshot and the windows, then re-raises."""
    try:
        yield
    except BaseException:
        shot = screenshot(bed, name)
        try:
            windows = "\n".join("\t".join(map(str, w)) for w in winauto.windows())
        except Exception as error:  # the record must not hide the failure it explains
            windows = f"(could not list windows: {error})"
        report = bed.build / "artifacts" / f"{name}.windows.txt"
        report.parent.mkdir(parents=True, exist_ok=True)
        report.write_text(windows + "\n", encoding="utf-8")
        print(f"\n[{name}] screenshot: {shot}\n[{name}] windows ({report}):\n{windows}",
              file=sys.stderr)
        raise
