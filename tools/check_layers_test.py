#!/usr/bin/env python3
"""Self-test of check_layers.py: small fake trees, each with one kind of include edge, and the
verdict the check must reach on each (exit status and the offending file:line it prints)."""

import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "check_layers.py")


def run_check(files):
    """Writes `files` ({path: text}) into a fresh tree and runs the check on it."""
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as out:
                out.write(text)
        done = subprocess.run([sys.executable, SCRIPT, "--root", root, "--quiet"],
                              capture_output=True, text=True, check=False)
        return done.returncode, done.stdout


# A tree that keeps the order; every case adds one file to it.
BASE = {
    "platform/Text.h": "#pragma once\n#include <string>\n",
    "common/TextLists.h": '#pragma once\n#include "platform/Text.h"\n',
    "registry/Access.h": '#pragma once\n#include "common/TextLists.h"\n',
    "scanner/Walk.h": '#pragma once\n#include "registry/Access.h"\n#include "Local.h"\n',
    "tests/scanner/WalkTest.cpp": '#include "scanner/Walk.h"\n#include "ui/Form.h"\n',
    "ui/Form.h": '#include "scanner/Walk.h"\n',
    # A folder outside the order: its own includes are not checked.
    "extras/Thing.h": '#include "ui/Form.h"\n',
}

CASES = [
    # (name, added file, its text, expected offending line or None)
    ("downward edges pass", "config/List.cpp", '#include "registry/Access.h"\n', None),
    ("an upward edge fails", "registry/Keys.cpp",
     '// keys\n#include "platform/Text.h"\n#include "scanner/Walk.h"\n',
     "registry/Keys.cpp:3: registry -> scanner (runs upward)"),
    ("a peer edge fails", "engine/Load.cpp", '#include "registry/Access.h"\n',
     "engine/Load.cpp:1: engine -> registry (peer folder)"),
    ("a folder that does not exist yet keeps its place", "protection/Host.cpp",
     '#include "app/Entry.h"\n', "protection/Host.cpp:1: protection -> app (runs upward)"),
    ("product code must not include tests", "scanner/Run.cpp",
     '#include "tests/support/Fake.h"\n',
     "scanner/Run.cpp:1: scanner -> tests (product code includes tests/)"),
    ("the composition root sees all", "app/win32/Main.cpp",
     '#include "ui/Form.h"\n#include "tests/x.h"\n', None),
    ("app itself does not see ui", "app/Entry.cpp", '#include "ui/Form.h"\n',
     "app/Entry.cpp:1: app -> ui (runs upward)"),
    ("a commented include is not an edge", "platform/Seam.h",
     '// #include "ui/Form.h"\n#include <windows.h>\n', None),
    ("an include of an unplaced folder fails", "config/Use.cpp", '#include "extras/Thing.h"\n',
     "config/Use.cpp:1: config -> extras (folder without a layer)"),
]


class CheckLayersTest(unittest.TestCase):
    def test_the_base_tree_passes(self):
        status, output = run_check(BASE)
        self.assertEqual(status, 0, output)
        self.assertEqual(output.strip(), "layering order kept")

    def test_cases(self):
        for name, path, text, offence in CASES:
            with self.subTest(name):
                status, output = run_check({**BASE, path: text})
                if offence is None:
                    self.assertEqual(status, 0, output)
                else:
                    self.assertEqual(status, 1, output)
                    self.assertIn(offence, output.splitlines())

    def test_every_offending_edge_is_printed(self):
        status, output = run_check({
            **BASE,
            "common/Bad.h": '#include "scanner/Walk.h"\n#include "config/List.h"\n',
        })
        self.assertEqual(status, 1)
        self.assertEqual(output.splitlines(), [
            "common/Bad.h:1: common -> scanner (runs upward)",
            "common/Bad.h:2: common -> config (runs upward)",
        ])


if __name__ == "__main__":
    unittest.main()
