#!/usr/bin/python3
# Usage: narrow-font.py <source.ttf> <target.ttf> <factor>
#
# Writes a horizontally narrowed copy of a TrueType font under the family name
# PelioPGothic: the dialogs' proportional font is mapped to it in the clock's Wine prefix,
# because IPAPGothic as it is sets the dialogs' texts wider than their controls.
#
# Every x coordinate is multiplied by the factor (a digit's by its own, which makes it half
# an em wide): the outlines (a composite glyph's
# component offsets, not its components a second time), the advance widths and left side
# bearings, and the horizontal extents of head, hhea and OS/2. The vertical metrics stay.
# The hinting is dropped: its instructions and control values were made for the original
# widths.
#
# The source is IPAPGothic (fonts-ipafont-gothic), Copyright(c) Information-technology
# Promotion Agency, Japan (IPA), 2003-2011, under the IPA Font License Agreement v1.0
# (http://ipafont.ipa.go.jp/ipa_font_license_v1.html). The result is a derived program
# under that agreement: it carries a name of its own, not the original's, and its name
# table keeps the original's copyright notice and the agreement, with what was changed.
import sys

from fontTools.ttLib import TTFont

FAMILY = "PelioPGothic"


def narrow(source, target, factor):
    font = TTFont(source)
    glyf = font["glyf"]
    hmtx = font["hmtx"]

    # The digits are set half an em wide, as the dialogs' two-digit hour and minute boxes
    # need; every other glyph keeps its proportions.
    cmap = font.getBestCmap()
    half_em = font["head"].unitsPerEm // 2
    digits = {cmap[code] for code in range(ord("0"), ord("9") + 1) if code in cmap}

    for name in font.getGlyphOrder():
        glyph_factor = factor
        if name in digits:
            glyph_factor = half_em / hmtx[name][0]

        def x(value):
            return int(round(value * glyph_factor))

        glyph = glyf[name]
        if glyph.isComposite():
            for component in glyph.components:
                if hasattr(component, "x"):
                    component.x = x(component.x)
        elif glyph.numberOfContours > 0:
            glyph.coordinates.scale((glyph_factor, 1))
            glyph.coordinates.toInt()
        if hasattr(glyph, "program"):
            glyph.program.fromBytecode(b"")
        width, lsb = hmtx[name]
        hmtx[name] = (x(width), x(lsb))
    # Bounding boxes and left side bearings follow the scaled outlines when the glyphs
    # are compiled; the left side bearings then equal the glyphs' xMin again.
    for name in font.getGlyphOrder():
        glyph = glyf[name]
        glyph.recalcBounds(glyf)
        if glyph.numberOfContours != 0:
            hmtx[name] = (hmtx[name][0], glyph.xMin)

    for tag in ("cvt ", "fpgm", "prep", "gasp", "hdmx", "LTSH", "VDMX"):
        if tag in font:
            del font[tag]
    maxp = font["maxp"]
    for field in ("maxStorage", "maxFunctionDefs", "maxInstructionDefs", "maxStackElements",
                  "maxSizeOfInstructions", "maxTwilightPoints"):
        setattr(maxp, field, 0)
    maxp.maxZones = 1

    def x(value):
        return int(round(value * factor))

    os2 = font["OS/2"]
    for field in ("xAvgCharWidth", "ySubscriptXSize", "ySubscriptXOffset",
                  "ySuperscriptXSize", "ySuperscriptXOffset"):
        setattr(os2, field, x(getattr(os2, field)))
    hhea = font["hhea"]
    hhea.caretOffset = x(hhea.caretOffset)

    rename(font, factor)
    # recalcBBoxes (the default) recomputes head's and hhea's extents from the glyphs.
    font.save(target)


def rename(font, factor):
    name = font["name"]
    original = name.getDebugName(0) or ""
    version = name.getDebugName(5) or ""
    percent = "%g%%" % round(factor * 100, 1)
    texts = {
        0: original + " Derived from IPAPGothic: every glyph narrowed horizontally to "
           + percent + " of its width, digits to half an em, hinting removed, renamed " + FAMILY + ".",
        1: FAMILY,
        2: "Regular",
        3: FAMILY + " " + percent + " " + version,
        4: FAMILY,
        5: version,
        6: FAMILY,
        13: "This font is a Derived Program of IPAPGothic under the IPA Font License "
            "Agreement v1.0, http://ipafont.ipa.go.jp/ipa_font_license_v1.html",
        14: "http://ipafont.ipa.go.jp/ipa_font_license_v1.html",
    }
    name.names = []
    for name_id, text in texts.items():
        name.setName(text, name_id, 3, 1, 0x409)
        name.setName(text, name_id, 1, 0, 0)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: narrow-font.py <source.ttf> <target.ttf> <factor>")
    narrow(sys.argv[1], sys.argv[2], float(sys.argv[3]))
