#!/usr/bin/env python3
"""Lists the include edges between the top-level folders of the source tree and fails on one that
runs the wrong way. Standard library only; run from anywhere (--root picks the tree).

A product folder may include its own files and those of folders strictly below it in LAYERS;
folders that share a step are peers and do not see each other. app/win32 is the composition root
and may include anything. tests/, tools/, bench/ and fuzz/ are not checked themselves, but product
code must not include them.
"""

import argparse
import os
import re
import sys

# Lowest first. A folder that does not exist yet keeps its place.
LAYERS = [
    ["platform"],
    ["common"],
    ["engine", "registry"],
    ["config"],
    ["scanner"],
    ["remediation", "processes", "uservir", "update"],
    ["protection"],
    ["app"],
    ["ui"],
]
COMPOSITION_ROOT = "app/win32"
OUTSIDE = ["tests", "tools", "bench", "fuzz"]
SOURCE_SUFFIXES = (".h", ".hpp", ".inl", ".inc", ".c", ".cc", ".cpp", ".rc")
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')

LEVEL = {folder: step for step, folders in enumerate(LAYERS) for folder in folders}


def top_folder(relative_path):
    return relative_path.split("/", 1)[0]


def source_files(root):
    """Yields the repository-relative paths of the product's source files."""
    for folder in sorted(LEVEL):
        base = os.path.join(root, folder)
        for directory, subdirs, names in os.walk(base):
            subdirs.sort()
            for name in sorted(names):
                if name.endswith(SOURCE_SUFFIXES):
                    full = os.path.join(directory, name)
                    yield os.path.relpath(full, root).replace(os.sep, "/")


def includes(root, relative_path):
    """Yields (line number, included path) for every quoted include naming a top-level folder."""
    with open(os.path.join(root, relative_path), encoding="utf-8", errors="replace") as text:
        for number, line in enumerate(text, 1):
            match = INCLUDE.match(line)
            if match and "/" in match.group(1):
                yield number, match.group(1)


def verdict(source, included, known_folders):
    """None when the edge is allowed, else the reason it is not."""
    to_folder = top_folder(included)
    from_folder = top_folder(source)
    if to_folder == from_folder or source.startswith(COMPOSITION_ROOT + "/"):
        return None
    if to_folder in OUTSIDE:
        return "product code includes " + to_folder + "/"
    if to_folder not in LEVEL:
        return "folder without a layer" if to_folder in known_folders else None
    if LEVEL[to_folder] < LEVEL[from_folder]:
        return None
    return "peer folder" if LEVEL[to_folder] == LEVEL[from_folder] else "runs upward"


def check(root):
    """Answers (edge counts by (from, to), offending edges as printable lines)."""
    known_folders = {name for name in os.listdir(root) if os.path.isdir(os.path.join(root, name))}
    edges = {}
    offences = []
    for source in source_files(root):
        for number, included in includes(root, source):
            to_folder = top_folder(included)
            if to_folder not in known_folders and to_folder not in LEVEL:
                continue  # not a path into this tree (a system or generated header)
            from_folder = top_folder(source)
            if source.startswith(COMPOSITION_ROOT + "/"):
                from_folder = COMPOSITION_ROOT
            if to_folder != top_folder(source):
                edges[(from_folder, to_folder)] = edges.get((from_folder, to_folder), 0) + 1
            reason = verdict(source, included, known_folders)
            if reason:
                offences.append(f"{source}:{number}: {from_folder} -> {to_folder} ({reason})")
    return edges, offences


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", default=os.path.join(os.path.dirname(__file__), ".."),
                        help="the source tree (default: this script's repository)")
    parser.add_argument("--quiet", action="store_true", help="print only offending edges")
    args = parser.parse_args(argv)
    root = os.path.abspath(args.root)
    edges, offences = check(root)
    if not args.quiet:
        print("include edges between folders:")
        for (from_folder, to_folder), count in sorted(edges.items()):
            print(f"  {from_folder} -> {to_folder}: {count}")
    for line in offences:
        print(line)
    if offences:
        print(f"{len(offences)} include edge(s) against the layering order", file=sys.stderr)
        return 1
    print("layering order kept")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
