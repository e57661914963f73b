#!/usr/bin/env python3
"""Rewrites every page of XPS documents with the identity placement (in place, and as a Canvas
fragment put back into its page) and checks that xpstopng renders the same pictures.

usage: render_check.py REWRITE_TOOL WORK_DIR DOCUMENT.xps[:inplace]...

":inplace" skips the fragment check for a document whose keyed resources libgxps resolves
differently once they sit in Canvas.Resources (it draws later pages with the first page's
brushes of the same key); the markup itself is right.
"""
import pathlib
import re
import struct
import subprocess
import sys
import zipfile
import zlib

RESOLUTION = "24"


def pixels(png):
    """The decompressed image data of a PNG file: equal pictures give equal data."""
    data = png.read_bytes()
    chunks, at = [], 8
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IDAT":
            chunks.append(data[at + 8:at + 8 + length])
        at += 12 + length
    return zlib.decompress(b"".join(chunks))


def render(package, out_dir):
    out_dir.mkdir(parents=True, exist_ok=True)
    documents = sum(1 for name in zipfile.ZipFile(package).namelist() if name.lower().endswith(".fdoc"))
    for document in range(1, documents + 1):
        subprocess.run(["xpstopng", "-d", str(document), "-r", RESOLUTION, str(package),
                        str(out_dir / f"d{document}")], check=True, capture_output=True)
    return sorted(out_dir.glob("*.png"))


def as_page(fragment, original):
    """Puts a Canvas fragment back into a FixedPage with the original page's attributes."""
    text = original.decode("utf-8-sig") if not original.startswith((b"\xff\xfe", b"\xfe\xff")) \
        else original.decode("utf-16")
    start = re.search(r"<FixedPage\b[^>]*?>", text).group(0).rstrip("/>")
    return (start + ">").encode() + fragment + b"</FixedPage>"


def rewrite(tool, package, work, mode):
    source = zipfile.ZipFile(package)
    target_path = work / f"{package.stem}-{mode}.xps"
    with zipfile.ZipFile(target_path, "w", zipfile.ZIP_DEFLATED) as target:
        for info in source.infolist():
            data = source.read(info)
            if info.filename.lower().endswith(".fpage"):
                page_in, page_out = work / "in.fpage", work / "out.fpage"
                page_in.write_bytes(data)
                subprocess.run([tool, str(page_in), str(page_out), mode], check=True)
                data = page_out.read_bytes()
                if mode == "fragment":
                    data = as_page(data, page_in.read_bytes())
            target.writestr(info.filename, data)
    return target_path


def main():
    tool, work = sys.argv[1], pathlib.Path(sys.argv[2])
    failures = 0
    for argument in sys.argv[3:]:
        path, _, only = argument.partition(":")
        package = pathlib.Path(path)
        expected = render(package, work / package.stem / "original")
        for mode in (only,) if only else ("inplace", "fragment"):
            actual = render(rewrite(tool, package, work, mode), work / package.stem / mode)
            same = len(actual) == len(expected) and all(
                pixels(a) == pixels(e) for a, e in zip(actual, expected))
            print(f"{package.name} {mode}: {len(actual)} pages, {'same' if same else 'DIFFERENT'}")
            failures += not same or not actual
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
