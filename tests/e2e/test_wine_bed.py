"""The test bed itself: exit codes pass through wine-run.sh, the drives have the types the product
relies on, a test can ask for an older Windows, and drive contents prepared from the Unix side are
what the Windows side sees."""

import shutil
import subprocess

from harness.base import E2ETest
from winebed import ARCHIVE, HIDDEN, READONLY, RUN_SCRIPT, SYSTEM, WineBed

# GetDriveType answers.
DRIVE_REMOVABLE, DRIVE_FIXED, DRIVE_CDROM = 2, 3, 5


class WineRunTests(E2ETest):
    def fixture_says(self, *args, bed=None):
        done = (bed or self.bed).run(self.fixture, *args)
        self.assertEqual(done.returncode, 0, done.stderr)
        return done.stdout.strip()

    def test_exit_code_passes_through(self):
        for code in (0, 1, 42, 255):
            with self.subTest(code=code):
                self.assertEqual(self.bed.run(self.fixture, "exit", code).returncode, code)

    def test_missing_program_is_reported_not_run(self):
        done = self.bed.run(self.bed.build / "no-such-program.exe")
        self.assertEqual(done.returncode, 125)
        self.assertIn("no such program", done.stderr)

    def test_drive_types(self):
        for drive, kind in (("C:\\", DRIVE_FIXED), ("E:\\", DRIVE_REMOVABLE),
                            ("F:\\", DRIVE_CDROM)):
            with self.subTest(drive=drive):
                self.assertEqual(self.fixture_says("drive-type", drive), str(kind))

    def test_windows_version_by_request(self):
        for winver, version in ((None, "6.1"), ("winxp", "5.1")):
            with self.subTest(winver=winver):
                bed = WineBed(self.bed.build, winver)
                self.assertEqual(self.fixture_says("version", bed=bed), version)

    def test_program_path_is_quoted_on_the_command_line(self):
        # The product finds its argument after the closing quote of its own path.
        line = self.fixture_says("cmdline", "rtp")
        self.assertRegex(line, r'^"[^"]+winauto_fixture\.exe" cmdline rtp$')

    def test_programs_run_as_administrator(self):
        # Otherwise an ordinary start of the product would hand over to an elevated copy.
        self.assertEqual(self.fixture_says("is-admin"), "1")

    def test_prefix_is_made_once_and_reused(self):
        stamp = self.bed.prefix / ".winebed-ready"
        before = stamp.stat().st_mtime_ns
        self.bed.run(self.fixture, "exit", 0)
        self.assertEqual(stamp.stat().st_mtime_ns, before)

    def test_unix_command_runs_inside_the_prefix(self):
        done = subprocess.run([str(RUN_SCRIPT), "--unix", "sh", "-c", 'echo "$WINEPREFIX"'],
                              env=self.bed.env(), capture_output=True, text=True, timeout=120)
        self.assertEqual(done.stdout.strip(), str(self.bed.prefix))


class DriveContentTests(E2ETest):
    """Files go under one folder of the drives, so tests that use the drive roots may run beside."""

    def setUp(self):
        for folder in ("C:\\VestraE2E\\bed", "E:\\bed"):
            unix = self.bed.unix_path(folder)
            shutil.rmtree(unix, ignore_errors=True)
            self.addCleanup(shutil.rmtree, unix, True)

    def windows_attributes(self, path):
        done = self.bed.run(self.fixture, "attributes", path)
        return int(done.stdout.strip())

    def test_files_put_from_unix_are_seen_by_windows(self):
        for path in ("C:\\VestraE2E\\bed\\a.txt", "E:\\bed\\autorun.inf",
                     "E:\\bed\\Deep\\er\\b.exe"):
            with self.subTest(path=path):
                self.bed.put(path, "x")
                # Regular files read as archive, nothing else.
                self.assertEqual(self.windows_attributes(path), ARCHIVE)

    def test_attributes_set_from_unix_are_seen_by_windows(self):
        for name, bits in (("h.txt", HIDDEN), ("hs.txt", HIDDEN | SYSTEM), ("r.txt", READONLY)):
            with self.subTest(bits=bits):
                path = f"E:\\bed\\{name}"
                self.bed.put(path, "x")
                self.bed.set_attributes(path, add=bits)
                self.assertEqual(self.windows_attributes(path), ARCHIVE | bits)

    def test_attributes_set_by_windows_are_seen_from_unix(self):
        self.bed.put("E:\\bed\\w.txt", "x")
        self.bed.attrib("E:\\bed\\w.txt", "+h", "+s")
        self.assertEqual(self.bed.attributes("E:\\bed\\w.txt") & (HIDDEN | SYSTEM), HIDDEN | SYSTEM)
        self.bed.set_attributes("E:\\bed\\w.txt", remove=HIDDEN)
        self.assertEqual(self.windows_attributes("E:\\bed\\w.txt"), ARCHIVE | SYSTEM)

    def test_hidden_folder(self):
        self.bed.make_folder("E:\\bed\\RECYCLER")
        self.bed.set_attributes("E:\\bed\\RECYCLER", add=HIDDEN | SYSTEM)
        attributes = self.windows_attributes("E:\\bed\\RECYCLER")
        self.assertEqual(attributes & (HIDDEN | SYSTEM | 0x10), HIDDEN | SYSTEM | 0x10)

    def test_clearing_a_drive(self):
        self.bed.put("F:\\disc\\setup.exe", "x")
        self.bed.put("F:\\autorun.inf", "[autorun]")
        self.bed.clear_drive("F:")
        self.assertEqual(list(self.bed.drive_root("F:").iterdir()), [])
        with self.assertRaises(ValueError):
            self.bed.clear_drive("C:")
