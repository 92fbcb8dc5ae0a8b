"""The control-id generator: enum values that follow one another or are sums of earlier names,
int constants, and the inputs it must refuse rather than guess at."""

import tempfile
import unittest
from pathlib import Path

from make_control_ids import IdError, main, read_ids


class ReadIdsTests(unittest.TestCase):
    def test_values(self):
        rows = [
            ("implicit values follow the one before",
             "enum : int { kA = 1000, kB, kC };", {"kA": 1000, "kB": 1001, "kC": 1002}),
            ("a value made of earlier names",
             "enum : int {\n kOpt0 = 5,  // kOpt0 + 0..4\n kScan = kOpt0 + 5,\n kAfter,\n};",
             {"kOpt0": 5, "kScan": 10, "kAfter": 11}),
            ("an enum without values starts at zero",
             "enum : int { kFirst, kSecond };", {"kFirst": 0, "kSecond": 1}),
            ("constants, several to a line, and ones of an earlier enum",
             "enum : int { kBase = 7 };\ninline constexpr int kCount = 5;\n"
             "constexpr int kWidth = 320, kHeight = kBase * 2;",
             {"kBase": 7, "kCount": 5, "kWidth": 320, "kHeight": 14}),
            ("comments and enums of other types are left out",
             "/* enum : int { kOld = 1 }; */\nenum : UINT_PTR { kTimer = 1 };\n"
             "// constexpr int kNot = 3;\nenum : int { kId = 0x10 };", {"kId": 16}),
        ]
        for name, source, expected in rows:
            with self.subTest(name):
                self.assertEqual(read_ids(source), expected)

    def test_refusals(self):
        rows = [
            ("a name used before it is defined", "enum : int { kB = kA + 1, kA };"),
            ("a call in a value", "enum : int { kA = Make(1) };"),
            ("a division", "enum : int { kA = 10 / 2 };"),
            ("one name given two values", "enum : int { kA = 1 };\nenum : int { kA = 2 };"),
            ("a constant without a value", "constexpr int kA;"),
        ]
        for name, source in rows:
            with self.subTest(name), self.assertRaises(IdError):
                read_ids(source)

    def test_module_written_from_sources(self):
        with tempfile.TemporaryDirectory() as folder:
            root = Path(folder)
            (root / "Ids.h").write_text("enum : int { kTvDir = 1101, kOpt0 };", encoding="utf-8")
            (root / "Empty.h").write_text("int x = 1;", encoding="utf-8")
            out = root / "gen" / "control_ids.py"
            self.assertEqual(main(["x", "--root", folder, "--out", str(out), "main=Ids.h"]), 0)
            namespace = {}
            exec(out.read_text(encoding="utf-8"), namespace)
            self.assertEqual((namespace["main"].kTvDir, namespace["main"].kOpt0), (1101, 1102))
            # A source with no ids is a mistake in the list, not an empty class.
            self.assertEqual(main(["x", "--root", folder, "--out", str(out), "e=Empty.h"]), 1)


if __name__ == "__main__":
    unittest.main()
