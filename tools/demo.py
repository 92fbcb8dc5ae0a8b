#!/usr/bin/env python3
"""The demo run: lays out the shipped files on C:, a demo removable drive E: with the EICAR test
file and the harmless test samples (one of them inside a hidden folder), then starts Vestra.exe
under Wine with E:\\ on its command line. The program scans the drive at once; the demo prints the
summary box, the rows of the virus and hidden lists, and saves screenshots. With --fix it then
presses "&Fix All", answers the boxes that follow, and prints each row's status, the hidden list
after unhiding and the files of the quarantine folder C:\\[Vest-Cage].

Run it through the test bed so that it shares one Wine prefix and display:
    VESTRA_BINARY_DIR=<build> tests/wine/wine-run.sh --unix python3 tools/demo.py
(tools/run-demo.sh does exactly that after building.)"""

import argparse
import os
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path[:0] = [str(ROOT / "tests" / "e2e"), str(ROOT / "tests" / "wine")]

from harness import controls  # noqa: E402
from harness.evidence import screenshot  # noqa: E402
from harness.fixtures import EICAR  # noqa: E402
from harness.product import Product  # noqa: E402
from harness.waiting import wait_until  # noqa: E402
from harness.winauto import Winauto  # noqa: E402
from winebed import WineBed  # noqa: E402

SAMPLES = ROOT / "tests" / "samples"
CAGE = "C:\\[Vest-Cage]"


def lay_out_demo_drive(bed):
    bed.clear_drive("E:")
    bed.put("E:\\eicar.com", EICAR)
    bed.put("E:\\Documents\\letter.txt", b"Dear reader, nothing to find here.\r\n")
    for sample in SAMPLES.rglob("*"):
        if sample.is_file() and sample.suffix not in (".md", ".tsv") and sample.name[0] != ".":
            relative = sample.relative_to(SAMPLES)
            bed.put("E:\\Samples\\" + "\\".join(relative.parts), sample.read_bytes())
    # What a removable-drive worm does: hide the user's folder and leave a lure beside it.
    bed.put("E:\\Photos\\holiday.txt", b"a holiday note\r\n")
    bed.attrib("E:\\Photos", "+h", "+s")


def print_list(title, listview):
    print(f"\n{title}:")
    if listview is None or not listview.rows:
        print("  (empty)")
        return
    print("  " + " | ".join(listview.columns))
    for row in listview.rows:
        print("  " + " | ".join(row.cells))


def cage_origin(data):
    """The origin path in a quarantine file's header: UTF-16LE after the "Vra!" magic."""
    end = 4
    while end + 1 < len(data) and data[end:end + 2] != b"\0\0":
        end += 2
    return data[4:end].decode("utf-16-le", "replace") if data[:4] == b"Vra!" else "(not Vra!)"


def cage_files(bed):
    cage = bed.unix_path(CAGE)
    return set(cage.glob("*.vra")) if cage.exists() else set()


def fix_all(bed, winauto, started, window, ids, caged_before):
    """Presses "&Fix All" and answers what it asks (the full-scan offer: No) until the whole pass
    is over (files, registry values, hidden paths) and every row of the virus list has its
    status; prints the lists and the quarantine folder."""
    print(f"\nPressing {winauto.gettext(window, id=ids.kCmdCleanAll)!r} ...")
    winauto.click(window, id=ids.kCmdCleanAll)

    def done_or_asked():
        box = winauto.msgbox(pid=started.pid, timeout_ms=200)
        if box is not None:
            captions = box.button_captions()
            answer = "No" if "No" in captions else (box.buttons[0][1] if box.buttons else "OK")
            print(f"Box '{box.title}': {box.text!r} -> {answer.replace('&', '')}")
            winauto.press(box.window, answer)
            winauto.wait_gone(box.window)
            return False
        if winauto.gettext(window, id=ids.kLbStatus) != "Fixing all finished":
            return False
        rows = (winauto.listview(window, id=ids.kLVDetect) or None)
        return rows is not None and all(r.cells[3] for r in rows.rows)

    started_at = time.monotonic()
    if not wait_until(done_or_asked, 180):
        sys.exit("demo: Fix All did not finish with a status in every row")
    print(f"Fix All took {time.monotonic() - started_at:.0f} s; "
          f"status line: {winauto.gettext(window, id=ids.kLbStatus)!r}")
    print_list("Virus list after Fix All", winauto.listview(window, id=ids.kLVDetect))
    print_list("Hidden list after Fix All", winauto.listview(window, id=ids.kLVHide))
    files = sorted(cage_files(bed) - caged_before)
    print(f"\nQuarantined by this run into {CAGE} (folder attributes {bed.attributes(CAGE):#x}):")
    for vra in files:
        print(f"  {vra.name}  <- {cage_origin(vra.read_bytes())}")
    if not files:
        print("  (empty)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", default=os.environ.get("VESTRA_BINARY_DIR"))
    parser.add_argument("--fix", action="store_true",
                        help='then press "&Fix All" and show what it did')
    parser.add_argument("--keep-open", action="store_true",
                        help="leave the window open until it is closed by hand")
    args = parser.parse_args()
    bed = WineBed(args.build).ensure()
    winauto = Winauto(bed)
    product = Product(bed)
    missing = product.skip_reason()
    if missing or not winauto.available():
        sys.exit(f"demo: the build is incomplete: {missing or winauto.exe}")

    ids = controls.load(bed.build).main
    folder = product.lay_out("demo")
    lay_out_demo_drive(bed)
    print(f"Vestra laid out in {folder}; demo drive E:\\ holds EICAR and the test samples.")
    caged_before = cage_files(bed)
    started = winauto.start(product.command_line(folder, '"E:\\"'), cwd=folder)
    if started is None:
        sys.exit("demo: Vestra.exe did not start")
    try:
        window = winauto.wait(cls="VestraMain", pid=started.pid, timeout_ms=60000)
        if window is None:
            sys.exit("demo: the main window did not appear")
        summary = winauto.msgbox(pid=started.pid, timeout_ms=180000)
        if summary is None:
            sys.exit("demo: the scan did not finish with its summary box")
        print(f"\nSummary box '{summary.title}':\n  " + summary.text.replace("\n", "\n  "))
        shots = [screenshot(bed, "demo_summary")]
        winauto.press(summary.window, summary.buttons[0][1] if summary.buttons else "OK")
        print_list("Virus list", winauto.listview(window, id=ids.kLVDetect))
        print_list("Hidden list", winauto.listview(window, id=ids.kLVHide))
        shots.append(screenshot(bed, "demo_main", winauto.rect(window)))
        if args.fix:
            fix_all(bed, winauto, started, window, ids, caged_before)
            winauto.click(window, id=ids.kCmdStop)  # "> &Result": the rows with their status
            wait_until(lambda: any(c.id == ids.kLVDetect and c.visible
                                   for c in winauto.children(window)), 30)
            shots.append(screenshot(bed, "demo_fixed", winauto.rect(window)))
        print("\nScreenshots: " + ", ".join(s for s in shots if s))
        if args.keep_open:
            started.wait(24 * 3600)
        else:
            winauto.close(window)
            winauto.wait_gone(window, timeout_ms=20000)
    finally:
        if started.running():
            winauto.kill(started.pid)
        started.close()


if __name__ == "__main__":
    main()
