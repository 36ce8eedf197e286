"""The editor's layout and the parameters, read from the C++ tables the editor builds from
(effect/tables/), so that the artwork and its preview put each control where the editor does.

Each table row is one brace or one call in a fixed form; a row in any other form stops the
reader with its text rather than being skipped.
"""

import collections
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TABLES = os.path.join(ROOT, "effect", "tables")

LayoutRow = collections.namedtuple("LayoutRow", "control image frames x y param")
Param = collections.namedtuple("Param", "name symbol lo hi default labels")

_LAYOUT_ROW = re.compile(
    r'\{LayoutControl::k(\w+), "([^"]*)", (\d+), (-?\d+), (-?\d+), "(\w*)"\}')
_NUMBER = r"(-?[\d.]+(?:e-?\d+)?)"
_PARAM_ROWS = {
    "Continuous": re.compile(
        rf'ContinuousParam\("([^"]+)", "(\w+)", {_NUMBER}, {_NUMBER}, {_NUMBER}, {_NUMBER}, '
        r'\d+, "[^"]*"\)'),
    "Switch": re.compile(r'SwitchParam\("([^"]+)", "(\w+)", (true|false)\)'),
    "Choice": re.compile(r'ChoiceParam\("([^"]+)", "(\w+)", (\d+), (\w+)\)'),
}


def _read(name):
    with open(os.path.join(TABLES, name), encoding="utf-8") as file:
        return file.read()


def _table_body(text, name):
    """What stands between the braces of the table declared as name."""
    match = re.search(rf"{re.escape(name)} = \{{(.*?)\}};", text, re.S)
    if not match:
        raise SystemExit(f"{TABLES}: no table {name}")
    return match[1]


def _rows(body, patterns, where):
    """Every row of a table body, in order, as (pattern key, match)."""
    found = sorted(((m.start(), m.end(), key, m) for key, pattern in patterns.items()
                    for m in pattern.finditer(body)), key=lambda f: f[0])
    rows, end = [], 0
    for start, stop, key, match in found:
        if body[end:start].strip(" \n,"):
            raise SystemExit(f"{where}: cannot read {body[end:start].strip()!r}")
        rows.append((key, match))
        end = stop
    if body[end:].strip(" \n,"):
        raise SystemExit(f"{where}: cannot read {body[end:].strip()!r}")
    return rows


def layout():
    """The editor's controls in drawing order, the background first."""
    body = _table_body(_read("KelvoraLayout.h"), "kKelvoraLayout[]")
    return [LayoutRow(m[1], m[2], int(m[3]), int(m[4]), int(m[5]), m[6])
            for _, m in _rows(body, {"": _LAYOUT_ROW}, "KelvoraLayout.h")]


def position(image, param):
    """Where the layout puts the control that draws image for the parameter symbol param."""
    for row in layout():
        if row.image == image and row.param == param:
            return row.x, row.y
    raise SystemExit(f"KelvoraLayout.h: no {image} for {param}")


def params():
    """Every parameter by symbol: its name, range, default and a choice's labels."""
    text = _read("KelvoraParamTable.h")
    result = {}
    for kind, m in _rows(_table_body(text, "kKelvoraParams"), _PARAM_ROWS,
                         "KelvoraParamTable.h"):
        name, symbol = m[1], m[2]
        if kind == "Continuous":
            result[symbol] = Param(name, symbol, float(m[3]), float(m[4]), float(m[5]), [])
        elif kind == "Switch":
            result[symbol] = Param(name, symbol, 0.0, 1.0, 1.0 if m[3] == "true" else 0.0, [])
        else:
            labels = re.findall(r'"([^"]*)"', _table_body(text, f"{m[4]}[]"))
            result[symbol] = Param(name, symbol, 0.0, float(len(labels) - 1), float(m[3]),
                                   labels)
    return result
