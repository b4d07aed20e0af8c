"""Where a child clicks or points in the Python walks (scripts/tour and the
desktops walk): the targets of ClickTargets.h, and the menu's zones as the
activity catalogue's table (build/generated/catalogue.tsv) places them."""
import csv
import re
from pathlib import Path

HERE = Path(__file__).resolve().parent


def click_targets():
    """Every target of ClickTargets.h by its name."""
    text = (HERE / "ClickTargets.h").read_text()
    return {name: (int(x), int(y)) for name, x, y in
            re.findall(r"inline constexpr ClickTarget (\w+) \{ (\d+), (\d+) \};", text)}


def catalogue(table):
    """The catalogue's rows, each a dict by column, with the zone's middle
    as "centre"."""
    with open(table, newline="") as f:
        rows = list(csv.DictReader(f, delimiter="\t", quoting=csv.QUOTE_NONE))
    for row in rows:
        b = {k: int(row[k]) for k in ("left", "top", "width", "height")}
        row["centre"] = (b["left"] + b["width"] // 2, b["top"] + b["height"] // 2)
    return rows
