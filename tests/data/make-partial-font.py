#!/usr/bin/python3
# Builds tests/data/partial.ttf, a font that draws only "A" to "Z" and the space, so that tests can
# check how Tapoli marks the characters a font lacks. Needs Debian's python3-fonttools; the font it
# makes is committed, so the tests themselves need nothing.
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

letters = [chr(c) for c in range(ord("A"), ord("Z") + 1)]
names = [".notdef", "space"] + letters

def box():
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((500, 700))
    pen.lineTo((500, 0))
    pen.closePath()
    return pen.glyph()

builder = FontBuilder(1000, isTTF=True)
builder.setupGlyphOrder(names)
cmap = {ord(" "): "space"}
cmap.update({ord(letter): letter for letter in letters})
builder.setupCharacterMap(cmap)
glyphs = {name: box() for name in names}
glyphs["space"] = TTGlyphPen(None).glyph()
builder.setupGlyf(glyphs)
builder.setupHorizontalMetrics({name: (600, 0) for name in names})
builder.setupHorizontalHeader(ascent=800, descent=-200)
builder.setupNameTable({"familyName": "Tapoli Partial Test", "styleName": "Regular"})
builder.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
builder.setupPost()
builder.save(__file__.replace("make-partial-font.py", "partial.ttf"))
