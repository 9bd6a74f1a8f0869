#!/usr/bin/python3
"""Check the resources of a built VELMOK.dll, read from the file as
Windows reads them: the editor's dialog template byte for byte, the two
wizard strings, and the three wizard bitmaps (headers, palette, pixels),
all in English (United States).

    check_resources.py VELMOK.dll i686|x86_64

Exit status 0 when every check passes; each failure is printed.
"""
import os
import struct
import sys

import pefile

LANG_EN_US = 1033
RT_BITMAP, RT_DIALOG, RT_STRING = 2, 5, 6

WS_POPUP, WS_CHILD, WS_VISIBLE = 0x80000000, 0x40000000, 0x10000000
WS_CAPTION, WS_BORDER, WS_SYSMENU = 0x00C00000, 0x00800000, 0x00080000
WS_VSCROLL, WS_GROUP, WS_TABSTOP = 0x00200000, 0x00020000, 0x00010000
DS_MODALFRAME, DS_SETFONT = 0x80, 0x40
BS_DEFPUSHBUTTON = 0x1
LBS_NOTIFY, LBS_SORT, LBS_NOINTEGRALHEIGHT = 0x1, 0x2, 0x100
ES_AUTOHSCROLL = 0x80
BUTTON, EDIT, STATIC, LISTBOX = 0x80, 0x81, 0x82, 0x83

DIALOG_STYLE = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT
BASE = WS_CHILD | WS_VISIBLE
# (id, class, text, x, y, cx, cy, style), in template order.
CONTROLS = [
    (1, BUTTON, "OK", 156, 132, 55, 14, BASE | BS_DEFPUSHBUTTON | WS_TABSTOP),
    (2, BUTTON, "Cancel", 156, 154, 55, 14, BASE | WS_TABSTOP),
    (1000, LISTBOX, "", 5, 4, 140, 164,
     BASE | LBS_NOTIFY | LBS_SORT | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_TABSTOP),
    (1001, BUTTON, "&Add", 156, 4, 57, 14, BASE | WS_TABSTOP),
    (1002, BUTTON, "&Delete", 156, 24, 57, 14, BASE | WS_TABSTOP),
    (1003, BUTTON, "Dele&te All", 156, 44, 57, 14, BASE | WS_TABSTOP),
    (1004, EDIT, "", 50, 180, 158, 15, BASE | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP),
    (0xFFFF, STATIC, "Tag Name", 8, 184, 36, 8, BASE | WS_GROUP),
]

STRINGS = {1: "Statistical Functions Tag List Editor Wizard", 2: "VELMOK Tag List Editor"}

PALETTE = [
    (0x00, 0x00, 0x00),
    (0xBF, 0x00, 0x00), (0x00, 0xBF, 0x00), (0xBF, 0xBF, 0x00),
    (0x00, 0x00, 0xBF), (0xBF, 0x00, 0xBF), (0x00, 0xBF, 0xBF),
    (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80),
    (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF),
]
# name: (picture size, sigma width, sigma height, field index)
BITMAPS = {
    "STATWIZMBMP": (64, 35, 42, 11),
    "STATWIZPBMP": (20, 12, 14, 11),
    "STATWIZTBMP": (20, 12, 14, 3),
}
BITMAP_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "wizard", "bitmaps")

failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
    return ok


class Reader:
    """Little-endian fields from a resource's bytes."""

    def __init__(self, data):
        self.data, self.pos = data, 0

    def take(self, fmt):
        values = struct.unpack_from("<" + fmt, self.data, self.pos)
        self.pos += struct.calcsize("<" + fmt)
        return values if len(values) > 1 else values[0]

    def align(self):
        self.pos = (self.pos + 3) & ~3

    def sz_or_ord(self):
        """A wide text, or ("ord", n) after a 0xFFFF marker."""
        if struct.unpack_from("<H", self.data, self.pos)[0] == 0xFFFF:
            self.pos += 2
            return ("ord", self.take("H"))
        end = self.pos
        while struct.unpack_from("<H", self.data, end)[0] != 0:
            end += 2
        text = self.data[self.pos:end].decode("utf-16-le")
        self.pos = end + 2
        return text


def resources(pe):
    """{(type, name or id): [(language, bytes)]} of every resource."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for rtype in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        for entry in rtype.directory.entries:
            key = (rtype.id, str(entry.name) if entry.name is not None else entry.id)
            for lang in entry.directory.entries:
                d = lang.data.struct
                found.setdefault(key, []).append((lang.id, pe.get_data(d.OffsetToData, d.Size)))
    return found


def only(found, key):
    """The bytes of the one resource at key, which must be in English (US)."""
    items = found.get(key, [])
    if not check(len(items) == 1, "%s: %d copies, want one" % (key, len(items))):
        return None
    lang, data = items[0]
    check(lang == LANG_EN_US, "%s: language %d, want %d" % (key, lang, LANG_EN_US))
    return data


def check_dialog(data):
    r = Reader(data)
    style, exstyle, count, x, y, cx, cy = r.take("IIHhhhh")
    check(style == DIALOG_STYLE, "dialog style %#x, want %#x" % (style, DIALOG_STYLE))
    check(exstyle == 0, "dialog extended style %#x, want 0" % exstyle)
    check(count == len(CONTROLS), "dialog has %d controls, want %d" % (count, len(CONTROLS)))
    check((x, y, cx, cy) == (0, 0, 219, 203), "dialog at %r, want (0, 0, 219, 203)" % ((x, y, cx, cy),))
    menu, cls, caption = r.sz_or_ord(), r.sz_or_ord(), r.sz_or_ord()
    check(menu == "", "dialog menu %r, want none" % (menu,))
    check(cls == "", "dialog class %r, want the standard one" % (cls,))
    check(caption == "Statistical Tag List Assignment", "dialog caption %r" % (caption,))
    points = r.take("H")
    face = r.sz_or_ord()
    check((points, face) == (8, "MS Sans Serif"), "dialog font %r %r" % (points, face))
    for i in range(min(count, len(CONTROLS))):
        r.align()
        cstyle, cex, px, py, pcx, pcy, cid = r.take("IIhhhhH")
        ccls, text, extra = r.sz_or_ord(), r.sz_or_ord(), r.take("H")
        r.pos += extra
        want_id, want_cls, want_text, wx, wy, wcx, wcy, want_style = CONTROLS[i]
        got = (cid, ccls, text, px, py, pcx, pcy, cstyle, cex)
        want = (want_id, ("ord", want_cls), want_text, wx, wy, wcx, wcy, want_style, 0)
        check(got == want, "control %d: %r, want %r" % (i + 1, got, want))
    rest = data[r.pos:]
    check(len(rest) < 4 and rest.count(0) == len(rest),
          "dialog template has %d bytes after its last control" % len(rest))


def check_strings(data):
    """String block 1 holds ids 0 to 15: ids 1 and 2 set, the rest empty."""
    r = Reader(data)
    for sid in range(16):
        n = r.take("H")
        text = data[r.pos:r.pos + 2 * n].decode("utf-16-le")
        r.pos += 2 * n
        want = STRINGS.get(sid, "")
        check(text == want, "string %d: %r, want %r" % (sid, text, want))
    check(r.pos == len(data), "string block has %d bytes too many" % (len(data) - r.pos))


def pixels(data, size):
    """Rows of palette indices, top row first, of a bottom-up 4-bit DIB."""
    stride = ((size * 4 + 31) // 32) * 4
    bits = data[40 + 16 * 4:]
    rows = []
    for y in range(size):
        line = bits[(size - 1 - y) * stride:(size - y) * stride]
        rows.append([(line[x // 2] >> (4 if x % 2 == 0 else 0)) & 15 for x in range(size)])
    return rows


def check_bitmap(name, data, size, sigma_w, sigma_h, field):
    (hsize, width, height, planes, bpp, compression, image_size,
     _xppm, _yppm, used, _important) = struct.unpack_from("<IiiHHIIiiII", data, 0)
    stride = ((size * 4 + 31) // 32) * 4
    head = (hsize, width, height, planes, bpp, compression)
    if not check(head == (40, size, size, 1, 4, 0),
                 "%s header %r, want 40-byte header, %dx%d bottom-up, 1 plane, 4 bpp, BI_RGB"
                 % (name, head, size, size)):
        return None
    check(used in (0, 16), "%s: %d colours used, want 16" % (name, used))
    check(image_size in (0, stride * size), "%s: image size %d" % (name, image_size))
    check(len(data) == 40 + 64 + stride * size, "%s: %d bytes" % (name, len(data)))
    palette = [struct.unpack_from("<BBBB", data, 40 + 4 * i) for i in range(16)]
    check(palette == [(b, g, r, 0) for r, g, b in PALETTE], "%s: palette %r" % (name, palette))
    rows = pixels(data, size)
    used_indices = {i for row in rows for i in row}
    check(used_indices == {0, field}, "%s uses indices %r, want 0 and %d" % (name, sorted(used_indices), field))
    black = [(x, y) for y in range(size) for x in range(size) if rows[y][x] == 0]
    if not check(black, "%s has no sigma" % name):
        return rows
    xs, ys = [p[0] for p in black], [p[1] for p in black]
    box = (min(xs), min(ys), max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)
    # Centred; an odd margin gives the right and lower sides the extra pixel.
    want = ((size - sigma_w) // 2, (size - sigma_h) // 2, sigma_w, sigma_h)
    check(box == want, "%s sigma at %r (left, top, width, height), want %r" % (name, box, want))
    # A sigma: full bars along the top and the bottom of its box.
    for y in (box[1], box[1] + box[3] - 1):
        check(all(rows[y][x] == 0 for x in range(box[0], box[0] + box[2])),
              "%s: row %d of the sigma is not a full bar" % (name, y))
    try:
        with open(os.path.join(BITMAP_DIR, name + ".bmp"), "rb") as f:
            check(f.read()[14:] == data, "%s differs from wizard/bitmaps/%s.bmp" % (name, name))
    except OSError as e:
        check(False, "%s: %s" % (name, e))
    return rows


def main(argv):
    if len(argv) != 3 or argv[2] not in ("i686", "x86_64"):
        sys.stderr.write(__doc__)
        return 2
    pe = pefile.PE(argv[1])
    machine = {"i686": 0x14C, "x86_64": 0x8664}[argv[2]]
    check(pe.FILE_HEADER.Machine == machine, "machine %#x, want %#x" % (pe.FILE_HEADER.Machine, machine))
    found = resources(pe)
    for key, items in found.items():
        for lang, _ in items:
            check(lang == LANG_EN_US, "%s in language %d, want %d" % (key, lang, LANG_EN_US))
    for rtype, keys in ((RT_DIALOG, {"STATCFGDLG"}), (RT_STRING, {1}), (RT_BITMAP, set(BITMAPS))):
        have = {k[1] for k in found if k[0] == rtype}
        check(have == keys, "resources of type %d: %r, want %r" % (rtype, sorted(map(str, have)), sorted(map(str, keys))))

    data = only(found, (RT_DIALOG, "STATCFGDLG"))
    if data is not None:
        check_dialog(data)
    data = only(found, (RT_STRING, 1))
    if data is not None:
        check_strings(data)
    rows = {}
    for name, (size, w, h, field) in BITMAPS.items():
        data = only(found, (RT_BITMAP, name))
        if data is not None:
            rows[name] = check_bitmap(name, data, size, w, h, field)
    p, t = rows.get("STATWIZPBMP"), rows.get("STATWIZTBMP")
    if p and t:
        check([[i == 0 for i in row] for row in p] == [[i == 0 for i in row] for row in t],
              "STATWIZTBMP's sigma is not STATWIZPBMP's, pixel for pixel")

    for f in failures:
        print("FAIL:", f)
    print("%s: resources %s" % (argv[1], "bad" if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
