#!/usr/bin/env python3
"""Writes the control ids of the program's windows as a Python module for the end-to-end tests,
read from the C++ sources that define them, so that no test carries a copy that can go stale.

    make_control_ids.py --root SOURCE_DIR --out FILE NAME=SOURCE [NAME=SOURCE...]

Each NAME becomes a class of the module holding every `enum : int` entry and every
`constexpr int` constant of SOURCE, under its C++ name (`main.kTvDir`). Values may be numbers or
sums of earlier names (`kCmdScan = kOpt0 + 5`); an entry without a value follows the one before.
Anything else in an id's value is an error, not a guess."""

import argparse
import ast
import re
import sys
from pathlib import Path

_ENUM = re.compile(r"\benum\s*(?:class\s+\w+\s*)?(?:\w+\s*)?:\s*int\s*\{(?P<body>[^}]*)\}")
_CONSTANT = re.compile(r"\b(?:inline\s+)?constexpr\s+int\s+(?P<decls>[^;]+);")
_NAME = re.compile(r"[A-Za-z_]\w*")


class IdError(ValueError):
    pass


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", "", text)


def evaluate(expression, known):
    """The value of an integer expression over numbers and names already defined."""
    try:
        tree = ast.parse(expression.strip(), mode="eval")
    except SyntaxError as error:
        raise IdError(f"cannot read {expression!r}") from error

    def value(node):
        if isinstance(node, ast.Constant) and type(node.value) is int:
            return node.value
        if isinstance(node, ast.Name):
            if node.id not in known:
                raise IdError(f"{node.id} is used before it is defined")
            return known[node.id]
        if isinstance(node, ast.UnaryOp) and isinstance(node.op, ast.USub):
            return -value(node.operand)
        if isinstance(node, ast.BinOp) and isinstance(node.op, (ast.Add, ast.Sub, ast.Mult)):
            left, right = value(node.left), value(node.right)
            return {ast.Add: left + right, ast.Sub: left - right,
                    ast.Mult: left * right}[type(node.op)]
        raise IdError(f"unsupported id expression {expression!r}")

    return value(tree.body)


def parse_declarator(text):
    """'kX = 5' -> ('kX', '5'); 'kX' -> ('kX', None)."""
    name, equals, expression = text.partition("=")
    name = name.strip()
    if not _NAME.fullmatch(name):
        raise IdError(f"not an id name: {name!r}")
    return name, expression if equals else None


def read_ids(source_text):
    """{name: value} of the int enums and int constants of one C++ source, in source order."""
    text = strip_comments(source_text)
    found = []  # (offset, kind, body)
    found += [(m.start(), "enum", m.group("body")) for m in _ENUM.finditer(text)]
    found += [(m.start(), "constant", m.group("decls")) for m in _CONSTANT.finditer(text)]
    known = {}
    for _, kind, body in sorted(found):
        following = -1
        for piece in (p for p in body.split(",") if p.strip()):
            name, expression = parse_declarator(piece)
            if expression is None and kind == "constant":
                raise IdError(f"constant {name} has no value")
            number = following + 1 if expression is None else evaluate(expression, known)
            if name in known and known[name] != number:
                raise IdError(f"{name} is defined twice")
            known[name] = following = number
    return known


def render(groups):
    lines = ['"""Control ids of the program\'s windows, written by tests/e2e/make_control_ids.py',
             'from the sources named below at build time. Do not edit: change the source."""', ""]
    for name, source, ids in groups:
        lines += ["", f"class {name}:", f'    """{source}"""']
        lines += [f"    {key} = {value}" for key, value in ids.items()]
        lines.append("")
    return "\n".join(lines)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, type=Path)
    parser.add_argument("--out", required=True, type=Path)
    parser.add_argument("groups", nargs="+", metavar="NAME=SOURCE")
    args = parser.parse_args(argv[1:])
    groups = []
    for group in args.groups:
        name, _, source = group.partition("=")
        if not _NAME.fullmatch(name) or not source:
            parser.error(f"not NAME=SOURCE: {group}")
        try:
            ids = read_ids((args.root / source).read_text(encoding="utf-8"))
        except (OSError, IdError) as error:
            print(f"make_control_ids: {source}: {error}", file=sys.stderr)
            return 1
        if not ids:
            print(f"make_control_ids: {source}: no control ids found", file=sys.stderr)
            return 1
        groups.append((name, source, ids))
    args.out.parent.mkdir(parents=True, exist_ok=True)
    text = render(groups)
    # Unchanged output keeps its time stamp, so nothing that depends on it is redone.
    if not args.out.is_file() or args.out.read_text(encoding="utf-8") != text:
        args.out.write_text(text, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
