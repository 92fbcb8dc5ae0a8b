"""The control ids of the program's windows, as the build generated them from the C++ sources
(tests/e2e/make_control_ids.py, run by CMake into <build>/e2e/control_ids.py)."""

import importlib.util
import os
from pathlib import Path

GENERATED = Path("e2e") / "control_ids.py"


def load(build_dir=None):
    """The generated module of the build folder (default: VESTRA_BINARY_DIR): `main.kTvDir`,
    `corner.kCmdMax`, `exception.kTxPath`, `password.kTxPassword`."""
    build = build_dir or os.environ.get("VESTRA_BINARY_DIR")
    if not build:
        raise RuntimeError("no build folder: pass one or set VESTRA_BINARY_DIR")
    path = Path(build) / GENERATED
    if not path.is_file():
        raise RuntimeError(f"{path} is missing: build the e2e_control_ids target")
    location = importlib.util.spec_from_file_location("control_ids", path)
    module = importlib.util.module_from_spec(location)
    location.loader.exec_module(module)
    return module
