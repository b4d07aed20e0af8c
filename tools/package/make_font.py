#!/usr/bin/python3
"""Writes the package font: a copy of an open font under the package's own
face name (the licence asks modified copies not to use the reserved name),
and its licence text beside it.

usage: make_font.py SOURCE.ttf LICENCE_SOURCE DEST.ttf DEST_LICENCE FAMILY POSTSCRIPT
"""
import sys

from fontTools.ttLib import TTFont

source, licence_source, dest, dest_licence, family, postscript = sys.argv[1:7]

# Keep the original timestamps so every build writes the same bytes.
font = TTFont(source, recalcTimestamp=False)
names = font["name"]
renamed = {1: family, 3: postscript, 4: family, 6: postscript, 16: family}
for record in list(names.names):
    if record.nameID in renamed:
        names.setName(renamed[record.nameID], record.nameID, record.platformID,
                      record.platEncID, record.langID)
    elif record.nameID in (17, 21, 22):
        names.removeNames(nameID=record.nameID)
font.save(dest)

with open(licence_source, encoding="utf-8") as f:
    original = f.read()
with open(dest_licence, "w", encoding="utf-8") as f:
    f.write(f'"{dest.rsplit("/", 1)[-1]}" (face "{family}") is a renamed copy of the\n'
            "Andika Regular font by SIL International, under the SIL Open Font\n"
            "License 1.1. Its copyright and licence follow.\n\n")
    f.write(original)
