#!/usr/bin/env python3
"""Runs kxprint with the example layout tickets on documents of solid-colour pages and checks the
rendered sheets as a person would: which page lands in which cell, turned which way, on how
many sheets, and that every page appears exactly once.

usage: layout_check.py KXPRINT EXAMPLES_DIR WORK_DIR

Each page is filled with its own colour and carries a black square near its top left corner,
so the colour at a cell's centre names the page and the corner holding the square tells how
the page was turned.
"""
import pathlib
import struct
import subprocess
import sys
import zipfile
import zlib

DPI = 24
PORTRAIT = (793.76, 1122.56)
LANDSCAPE = (1122.56, 793.76)
COLOURS = ["#E6194B", "#3CB44B", "#4363D8", "#F58231", "#911EB4", "#42D4F4", "#F032E6",
           "#BFEF45", "#469990", "#9A6324", "#800000", "#808000"]
XPS = "http://schemas.microsoft.com/xps/2005/06"
RELS = "http://schemas.openxmlformats.org/package/2006/relationships"


def page_markup(index, size):
    w, h = size
    return (f'<FixedPage Width="{w}" Height="{h}" xmlns="{XPS}" xml:lang="en-US">'
            f'<Path Data="M 0,0 L {w},0 L {w},{h} L 0,{h} Z" Fill="{COLOURS[index]}"/>'
            '<Path Data="M 40,40 L 240,40 L 240,240 L 40,240 Z" Fill="#000000"/></FixedPage>')


def landscape_ticket():
    return ('<psf:PrintTicket version="1" xmlns:psf="http://schemas.microsoft.com/windows/2003/08/'
            'printing/printschemaframework" xmlns:psk="http://schemas.microsoft.com/windows/2003/'
            '08/printing/printschemakeywords"><psf:Feature name="psk:PageOrientation">'
            '<psf:Option name="psk:Landscape"/></psf:Feature></psf:PrintTicket>')


def make_xps(path, sizes):
    """A one-document package with a page of each size; landscape pages say so in a ticket."""
    with zipfile.ZipFile(path, "w") as z:
        z.writestr("[Content_Types].xml",
                   '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                   '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.'
                   'relationships+xml"/><Default Extension="fdseq" ContentType="application/vnd.'
                   'ms-package.xps-fixeddocumentsequence+xml"/><Default Extension="fdoc" '
                   'ContentType="application/vnd.ms-package.xps-fixeddocument+xml"/><Default '
                   'Extension="fpage" ContentType="application/vnd.ms-package.xps-fixedpage+xml"/>'
                   '<Default Extension="xml" ContentType="application/vnd.ms-printing.'
                   'printticket+xml"/></Types>')
        z.writestr("_rels/.rels",
                   f'<Relationships xmlns="{RELS}"><Relationship Id="R0" Type="{XPS}/'
                   'fixedrepresentation" Target="/FixedDocSeq.fdseq"/></Relationships>')
        z.writestr("FixedDocSeq.fdseq",
                   f'<FixedDocumentSequence xmlns="{XPS}"><DocumentReference '
                   'Source="/Documents/1/FixedDoc.fdoc"/></FixedDocumentSequence>')
        contents = "".join(f'<PageContent Source="/Documents/1/Pages/{i + 1}.fpage"/>'
                           for i in range(len(sizes)))
        z.writestr("Documents/1/FixedDoc.fdoc", f'<FixedDocument xmlns="{XPS}">{contents}'
                   '</FixedDocument>')
        for i, size in enumerate(sizes):
            z.writestr(f"Documents/1/Pages/{i + 1}.fpage", page_markup(i, size))
            if size == LANDSCAPE:
                z.writestr(f"Documents/1/Metadata/Page{i + 1}_PT.xml", landscape_ticket())
                z.writestr(f"Documents/1/Pages/_rels/{i + 1}.fpage.rels",
                           f'<Relationships xmlns="{RELS}"><Relationship Id="R0" Type="{XPS}/'
                           f'printticket" Target="/Documents/1/Metadata/Page{i + 1}_PT.xml"/>'
                           '</Relationships>')


def read_png(path):
    """(width, height, rows of (r, g, b) tuples) of an 8-bit RGB or RGBA PNG."""
    data = path.read_bytes()
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), (depth, colour)
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    bpp = 3 if colour == 2 else 4
    raw, stride, rows, previous = zlib.decompress(idat), width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b = previous[x]
            c = previous[x - bpp] if x >= bpp else 0
            if kind == 1:
                line[x] = (line[x] + a) & 255
            elif kind == 2:
                line[x] = (line[x] + b) & 255
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def page_of(rgb):
    """The page whose colour this is, "black", or None (white or unknown)."""
    if max(rgb) < 60:
        return "black"
    for i, colour in enumerate(COLOURS):
        expected = tuple(int(colour[k:k + 2], 16) for k in (1, 3, 5))
        if sum(abs(p - q) for p, q in zip(rgb, expected)) < 40:
            return i + 1
    return None


class Sheet:
    def __init__(self, png):
        self.width, self.height, self.rows = read_png(png)

    def at(self, fx, fy):
        return page_of(self.rows[int(fy * (self.height - 1))][int(fx * (self.width - 1))])

    def cells(self, columns, rows):
        """Per cell, left to right then down: (page at its centre, corner holding the square)."""
        found = []
        for r in range(rows):
            for c in range(columns):
                def point(fx, fy):
                    return self.at((c + fx) / columns, (r + fy) / rows)
                corners = [name for name, fx, fy in (("TL", .15, .12), ("TR", .85, .12),
                                                     ("BL", .15, .88), ("BR", .85, .88))
                           if point(fx, fy) == "black"]
                found.append((point(.5, .5), corners[0] if len(corners) == 1 else None))
        return found


def run(kxprint, examples, work, name, sizes, ticket):
    source, output = work / f"{name}-in.xps", work / f"{name}-out.xps"
    make_xps(source, sizes)
    command = [kxprint, str(source), "-o", str(output)]
    if ticket:
        command += ["--ticket", str(examples / ticket)]
    subprocess.run(command, check=True)
    for old in work.glob(f"{name}-sheet-*.png"):
        old.unlink()
    subprocess.run(["xpstopng", "-r", str(DPI), str(output), str(work / f"{name}-sheet")],
                   check=True, capture_output=True)
    pngs = sorted(work.glob(f"{name}-sheet-*.png"), key=lambda p: int(p.stem.rsplit("-", 1)[1]))
    return [Sheet(p) for p in pngs]


def main():
    kxprint, examples, work = sys.argv[1], pathlib.Path(sys.argv[2]), pathlib.Path(sys.argv[3])
    work.mkdir(parents=True, exist_ok=True)
    failures = []

    def check(name, sizes, ticket, grid, expected, once=True):
        """expected: per sheet, per cell (left to right, then down), (page, corner) or None.
        once: every page appears exactly once (a poster spreads one page over its tiles)."""
        sheets = run(kxprint, examples, work, name, sizes, ticket)
        got = [sheet.cells(*grid) for sheet in sheets]
        want = [[cell if cell is not None else (None, None) for cell in sheet] for sheet in expected]
        if got != want:
            failures.append(f"{name}: expected {want}, got {got}")
        seen = sorted(page for sheet in got for page, _ in sheet if isinstance(page, int))
        if once and seen != list(range(1, len(sizes) + 1)):
            failures.append(f"{name}: pages seen {seen}, expected each of 1..{len(sizes)} once")

    def up(order):
        return [(page, "TL") if page else None for page in order]

    four = [PORTRAIT] * 4
    for direction, two, fours in (("rightbottom", [1, 2], [1, 2, 3, 4]),
                                  ("bottomright", [1, 2], [1, 3, 2, 4]),
                                  ("leftbottom", [2, 1], [2, 1, 4, 3]),
                                  ("bottomleft", [2, 1], [3, 1, 4, 2])):
        check(f"2up-{direction}", four, f"nup-2-{direction}.xml", (2, 1),
              [up(two), up([p + 2 for p in two])])
        check(f"4up-{direction}", four, f"nup-4-{direction}.xml", (2, 2), [up(fours)])
    check("9up-rightbottom", [PORTRAIT] * 9, "nup-9-rightbottom.xml", (3, 3),
          [up(range(1, 10))])
    check("9up-bottomleft", [PORTRAIT] * 9, "nup-9-bottomleft.xml", (3, 3),
          [up([7, 4, 1, 8, 5, 2, 9, 6, 3])])
    # A landscape page among portrait ones is turned a quarter to the left into its cell.
    check("4up-landscape-page", [PORTRAIT, LANDSCAPE, PORTRAIT, PORTRAIT],
          "nup-4-rightbottom.xml", (2, 2), [[(1, "TL"), (2, "BL"), (3, "TL"), (4, "TL")]])
    # Poster: the page enlarged over four sheets, its top left corner on the first.
    check("poster-4", [PORTRAIT], "poster-4.xml", (1, 1),
          [[(1, "TL")], [(1, None)], [(1, None)], [(1, None)]], once=False)
    # Booklet two to a side, short-edge two-sided: the pages in the order they come.
    check("booklet", four, "booklet-2up.xml", (2, 1), [up([1, 2]), up([3, 4])])
    check("duplex", [PORTRAIT] * 3, "duplex-long-edge.xml", (1, 1),
          [[(1, "TL")], [(2, "TL")], [(3, "TL")]])

    # A left gutter moves the page's content 10 mm to the right.
    sheets = run(kxprint, examples, work, "gutter-left", [PORTRAIT], "gutter-left.xml")
    plain = run(kxprint, examples, work, "gutter-none", [PORTRAIT], None)
    square_left = lambda sheet: next(x for x in range(sheet.width)
                                     if page_of(sheet.rows[int(.1 * sheet.height)][x]) == "black")
    shift = (square_left(sheets[0]) - square_left(plain[0])) * 96 / DPI
    if len(sheets) != 1 or abs(shift - 37.8) > 96 / DPI * 1.5:
        failures.append(f"gutter-left: {len(sheets)} sheets, content moved by {shift:.1f}")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
