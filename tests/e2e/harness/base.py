"""The TestCase base of end-to-end modules: the build's test bed and its winauto."""

import unittest

from harness.winauto import Winauto
from winebed import WineBed


class E2ETest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.bed = WineBed()
        cls.winauto = Winauto(cls.bed)
        if not cls.winauto.available():
            raise AssertionError(f"{cls.winauto.exe} is missing: build the winauto target")

    @property
    def fixture(self):
        """The stand-in program of tests/e2e/fixtures."""
        path = self.bed.build / "tests" / "e2e" / "winauto_fixture.exe"
        if not path.is_file():
            raise AssertionError(f"{path} is missing: build the winauto_fixture target")
        return path

    def windows_path(self, unix_path):
        """The Windows name of a file of the build tree (reached through Z:, Wine's root)."""
        return "Z:" + str(unix_path).replace("/", "\\")
