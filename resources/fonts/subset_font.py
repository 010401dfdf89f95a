#!/usr/bin/python3
"""Writes the window's font: the glyphs of one face of a font collection that the program's
own texts use (printable ASCII and Latin-1 always), under a family name of its own.

    subset_font.py SOURCE.ttc FACE_INDEX FAMILY OUTPUT TEXT_FILE...

A Han and Hangul face holds tens of thousands of glyphs, and its tables cost the program
megabytes while the window shows; the few hundred characters the window writes cost a few
hundred kilobytes. Characters the source face lacks are left to the font system's fallback,
as are those of names the user types."""
import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

ESCAPE = re.compile(r"\\u([0-9a-fA-F]{4})")


def characters(paths):
    found = {chr(c) for c in range(0x20, 0x7F)} | {chr(c) for c in range(0xA0, 0x100)}
    for path in paths:
        text = pathlib.Path(path).read_text(encoding="utf-8")
        text += "".join(chr(int(code, 16)) for code in ESCAPE.findall(text))
        found.update(c for c in text if ord(c) > 0x7F and c.isprintable())
    return found


def rename(font, family):
    # Its own name, so that it never stands in for the installed collection it was cut from
    # (and the collection's reserved names stay with the original).
    postscript = family.replace(" ", "") + "-Regular"
    names = {1: family, 3: postscript, 4: family + " Regular", 6: postscript, 16: family}
    table = font["name"]
    for record in list(table.names):
        if record.nameID in names or record.nameID == 17:
            table.removeNames(nameID=record.nameID)
    for name_id, value in names.items():
        table.setName(value, name_id, 3, 1, 0x409)


def main():
    source, index, family, output, *texts = sys.argv[1:]
    font = TTFont(source, fontNumber=int(index))
    options = subset.Options()
    options.name_IDs = ["*"]  # keeps the copyright and licence records
    options.layout_features = ["*"]
    options.notdef_outline = True
    wanted = characters(texts)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[ord(c) for c in wanted])
    subsetter.subset(font)
    rename(font, family)
    font.save(output)
    kept = font.getBestCmap()
    missing = "".join(sorted(c for c in wanted if ord(c) not in kept))
    print(f"{output}: {len(kept)} characters; left to the font system: {missing or 'none'}")


main()
