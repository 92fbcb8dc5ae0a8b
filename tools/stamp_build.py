#!/usr/bin/env python3
"""Appends the program's build number to a linked Vestra.exe and stamps its image checksum again.

An installed protection copy tells its build by its last four bytes (four digits); the build is
the number in app/ProductNames.h, so there is one place to raise it. The image checksum covers
the whole file, so it is worked out anew over the file with the stamp, as the start-up self-check
will. A file that already ends with the stamp is left alone, so a re-run changes nothing.

    stamp_build.py EXE PRODUCT_NAMES_HEADER
"""

import re
import struct
import sys
from pathlib import Path

CHECKSUM_IN_HEADERS = 4 + 20 + 64  # after "PE\0\0" and the file header


def build_number(header):
    match = re.search(r"kOwnBuild\s*=\s*(\d+)\s*;", Path(header).read_text(encoding="utf-8"))
    if not match:
        raise SystemExit(f"stamp_build: no kOwnBuild in {header}")
    number = int(match.group(1))
    if not 0 <= number <= 9999:
        raise SystemExit(f"stamp_build: build {number} does not fit four digits")
    return f"{number:04d}".encode("ascii")


def image_checksum(image, checksum_at):
    total = 0
    for i in range(0, len(image) - 1, 2):
        if i in (checksum_at, checksum_at + 2):
            continue
        total += image[i] | image[i + 1] << 8
        total = (total & 0xFFFF) + (total >> 16)
    if len(image) % 2:
        total += image[-1]
        total = (total & 0xFFFF) + (total >> 16)
    total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    exe, header = Path(sys.argv[1]), sys.argv[2]
    stamp = build_number(header)
    image = bytearray(exe.read_bytes())
    if image.endswith(stamp):
        return
    if image[:2] != b"MZ":
        raise SystemExit(f"stamp_build: {exe} is not a program")
    headers = struct.unpack_from("<I", image, 0x3C)[0]
    if image[headers:headers + 4] != b"PE\0\0":
        raise SystemExit(f"stamp_build: {exe} has no PE header")
    image += stamp
    checksum_at = headers + CHECKSUM_IN_HEADERS
    struct.pack_into("<I", image, checksum_at, image_checksum(image, checksum_at))
    exe.write_bytes(bytes(image))


if __name__ == "__main__":
    main()
