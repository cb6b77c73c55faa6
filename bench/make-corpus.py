#!/usr/bin/env python3
"""Writes the benchmark's fixed corpus into a folder.

  text.qsf          a Czech text job: 80-column lines with every Czech letter, some longer lines
                    that wrap, bold headings and indented passages
  text.txt          the same lines as UTF-8 plain text for the other text printers (indented lines
                    start with the spaces that match the indent; bold is not carried over)
  text-latin2.txt   the same text in ISO 8859-2, for printers that read 8-bit text only
  plan-a4.*         a cutting plan at 150 dpi, 1240 x 1754 one-bit pixels
  plan-wide.*       a wide cutting plan at 150 dpi, 4960 x 1240 pixels
                    (.qsf raster job, .pbm the same bitmap, .ps a page that shows the .pbm)

The plans are drawn by Ghostscript from a generated PostScript page, so they carry real outlines,
hatching and lettering. Everything is derived from a fixed seed: the corpus is byte for byte the
same on every run.

  make-corpus.py OUTPUT_DIR
"""

import os
import random
import subprocess
import sys

SEED = 1250

# Words with every Czech letter, capitals included, plus plain ones so that lines read naturally.
WORDS = (
    "Příliš žluťoučký kůň úpěl ďábelské ódy nářezový plán deska řez hrana olepení "
    "dřevotříska lamino bříza buk dub ořech šířka délka tloušťka počet kusů zákazník "
    "objednávka číslo Ďáblice Ústí Česká Šumava Říčany Žďár Ťapka Ňouma Ó Ú Ý É Ě Í Á "
    "Čtvrť KŮŇ Řezník Škoda Ženy úterý středa čtvrtek pátek sobota neděle ťukat ňadra "
    "měsíc týden cena celkem sleva množství jednotka metr čtvereční běžný odpad prořez "
    "materiál dekor struktura vlákno podélně příčně vrtání frézování lepidlo spoj "
    "ó ú ů ý ž š č ř ď ť ň ě é í á ABC 2800 2070 18 mm 4 mm 0,5 1/2 100 % a i v s k z"
).split()

TEXT_LINES = 18150     # about 300 A4 pages at 10 points
LINE_WIDTH = 80
LONG_EVERY = 9         # every ninth line is a long one that wraps
LONG_WIDTH = 150
HEADING_EVERY = 60     # a bold heading over every block of 60 lines
INDENT_EVERY = 45      # a block of indented lines starts every 45 lines ...
INDENT_LINES = 8       # ... and runs for 8 lines
INDENT_POINTS = 36     # 36 points = 6 columns of a 10-point fixed-pitch font


def text_line(rng, width):
    """Words justified to exactly `width` characters: the spare columns widen some gaps."""
    words = []
    used = -1
    while True:
        word = rng.choice(WORDS)
        if used + 1 + len(word) > width:
            break
        words.append(word)
        used += 1 + len(word)
    gaps = [" "] * (len(words) - 1)
    for spare in range(width - used):
        gaps[spare % len(gaps)] += " "
    return "".join(word + gap for word, gap in zip(words, gaps + [""]))


def short_record(kind, data):
    assert len(data) <= 255
    return bytes([kind, len(data)]) + data


def command(code, parameter=None):
    data = bytes([code]) if parameter is None else bytes([code, parameter])
    return short_record(1, data)


def qsf_header(description):
    return description.encode("cp852") + b"\r\n\0\0"


def make_text(out):
    rng = random.Random(SEED)
    records = [qsf_header("Výkaz materiálu - 300 stran")]
    plain = []
    indent = False
    for number in range(TEXT_LINES):
        if number % HEADING_EVERY == 0:
            heading = f"Oddíl {number // HEADING_EVERY + 1}: Řezání a olepování hran ŽĎÁR"
            records += [command(7), short_record(0, heading.encode("cp852")), command(8)]
            plain.append(heading)
            continue
        starts_indent = number % INDENT_EVERY == 1
        if starts_indent != indent and (starts_indent or number % INDENT_EVERY == INDENT_LINES + 1):
            indent = starts_indent
            records.append(command(101, INDENT_POINTS if indent else 0))
        width = LONG_WIDTH if number % LONG_EVERY == 0 else LINE_WIDTH
        line = text_line(rng, width - (6 if indent else 0))
        records.append(short_record(0, line.encode("cp852")))
        plain.append((" " * 6 if indent else "") + line)
    write(out, "text.qsf", b"".join(records))
    text = "\n".join(plain) + "\n"
    write(out, "text.txt", text.encode("utf-8"))
    write(out, "text-latin2.txt", text.encode("iso8859_2"))


def plan_postscript(rng, width_px, height_px, sheets):
    """A page of `width_px` x `height_px` pixels at 150 dpi with `sheets` boards cut into parts."""
    points_w = width_px * 72 / 150
    points_h = height_px * 72 / 150
    ps = [
        "%!PS",
        f"<< /PageSize [{points_w:.2f} {points_h:.2f}] >> setpagedevice",
        "/Helvetica findfont 7 scalefont setfont",
    ]
    margin = 18
    sheet_w = (points_w - margin * (sheets + 1)) / sheets
    sheet_h = points_h - 2 * margin - 24
    for sheet in range(sheets):
        x0 = margin + sheet * (sheet_w + margin)
        y0 = margin + 20
        ps.append("1.4 setlinewidth")
        ps.append(f"{x0:.1f} {y0:.1f} {sheet_w:.1f} {sheet_h:.1f} rectstroke")
        ps.append("/Helvetica-Bold findfont 9 scalefont setfont")
        ps.append(f"{x0:.1f} {y0 - 14:.1f} moveto (Deska {sheet + 1}: 2800 x 2070 x 18 mm, "
                  f"prorez 4 mm) show")
        ps.append("/Helvetica findfont 6 scalefont setfont 0.7 setlinewidth")
        # Strips across the board, each cut into parts; the rest of a strip is hatched waste.
        y = y0
        part = 1
        while True:
            strip_h = rng.uniform(0.08, 0.2) * sheet_h
            if y + strip_h > y0 + sheet_h:
                break
            x = x0
            while True:
                part_w = rng.uniform(0.12, 0.4) * sheet_w
                if x + part_w > x0 + sheet_w:
                    ps.append(hatch(x, y, x0 + sheet_w - x, strip_h))
                    break
                ps.append(f"{x:.1f} {y:.1f} {part_w:.1f} {strip_h:.1f} rectstroke")
                ps.append(f"{x + 3:.1f} {y + strip_h - 9:.1f} moveto ({part}) show")
                ps.append(f"{x + 3:.1f} {y + 3:.1f} moveto "
                          f"({round(part_w * 9.3)} x {round(strip_h * 9.3)}) show")
                x += part_w
                part += 1
            y += strip_h
        ps.append(hatch(x0, y, sheet_w, y0 + sheet_h - y))
    ps.append("showpage")
    return "\n".join(ps) + "\n"


def hatch(x, y, w, h):
    """Diagonal waste hatching clipped to a rectangle."""
    lines = [f"gsave {x:.1f} {y:.1f} {w:.1f} {h:.1f} rectclip 0.4 setlinewidth newpath"]
    step = 7
    offset = -h
    while offset < w:
        lines.append(f"{x + offset:.1f} {y:.1f} moveto {h:.1f} {h:.1f} rlineto")
        offset += step
    lines.append("stroke grestore")
    return "\n".join(lines)


def pbm_rows(pbm):
    """Width, height and the packed rows of a binary PBM."""
    fields = []
    position = 0
    while len(fields) < 3:
        while pbm[position : position + 1].isspace():
            position += 1
        if pbm[position : position + 1] == b"#":
            position = pbm.index(b"\n", position)
            continue
        end = position
        while not pbm[end : end + 1].isspace():
            end += 1
        fields.append(pbm[position:end])
        position = end
    position += 1
    assert fields[0] == b"P4"
    width, height = int(fields[1]), int(fields[2])
    row_bytes = (width + 7) // 8
    rows = [pbm[position + r * row_bytes : position + (r + 1) * row_bytes] for r in range(height)]
    return width, height, position, rows


def raster_qsf(description, rows):
    """A raster job as a LaserJet driver writes it: one ESC *b<n>W escape and data record a row."""
    escape = lambda text: short_record(3, b"\x1b" + text)
    records = [qsf_header(description), escape(b"E"), escape(b"*t150R"), escape(b"*r1A")]
    for row in rows:
        records.append(escape(b"*b%dW" % len(row)))
        records.append(bytes([2, len(row) & 0xFF, len(row) >> 8]) + row)
    records.append(escape(b"*rB"))
    records.append(escape(b"E"))
    return b"".join(records)


def ghostscript_wrapper(pbm_path, width, height, header_bytes):
    """A PostScript page that reads the PBM itself and shows it fitted into A4 within the
    report's margins (10 mm left, right and top, 15 mm bottom), centred, as the spooler does."""
    mm = 72 / 25.4
    area_x, area_y = 10 * mm, 15 * mm
    area_w, area_h = 595.28 - 20 * mm, 841.89 - 25 * mm
    scale = min(area_w / width, area_h / height)
    shown_w, shown_h = width * scale, height * scale
    x = area_x + (area_w - shown_w) / 2
    y = area_y + (area_h - shown_h) / 2
    return (
        "%!PS\n"
        "<< /PageSize [595.28 841.89] >> setpagedevice\n"
        f"/source ({pbm_path}) (r) file def\n"
        f"source {header_bytes} string readstring pop pop\n"
        f"{x:.3f} {y:.3f} translate {shown_w:.3f} {shown_h:.3f} scale\n"
        "/DeviceGray setcolorspace\n"
        f"<< /ImageType 1 /Width {width} /Height {height} /BitsPerComponent 1\n"
        f"   /Decode [1 0] /ImageMatrix [{width} 0 0 -{height} 0 {height}]\n"
        "   /DataSource source /Interpolate false >> image\n"
        "showpage\n"
    )


def make_plan(out, name, width, height, sheets, description):
    rng = random.Random(SEED + width)
    postscript = plan_postscript(rng, width, height, sheets)
    pbm = subprocess.run(
        ["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-r150", f"-g{width}x{height}",
         "-sDEVICE=pbmraw", "-sOutputFile=-", "-"],
        input=postscript.encode(), stdout=subprocess.PIPE, check=True).stdout
    got_w, got_h, _, rows = pbm_rows(pbm)
    assert (got_w, got_h) == (width, height), (got_w, got_h)
    header = b"P4\n%d %d\n" % (width, height)
    pbm = header + b"".join(rows)
    header_bytes = len(header)
    pbm_path = os.path.join(out, name + ".pbm")
    write(out, name + ".pbm", pbm)
    write(out, name + ".qsf", raster_qsf(description, rows))
    write(out, name + ".ps",
          ghostscript_wrapper(os.path.abspath(pbm_path), width, height, header_bytes).encode())


def write(out, name, data):
    with open(os.path.join(out, name), "wb") as file:
        file.write(data)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    make_text(out)
    make_plan(out, "plan-a4", 1240, 1754, 1, "Nářezový plán 1/1 - deska 2800 x 2070")
    make_plan(out, "plan-wide", 4960, 1240, 3, "Nářezový plán 1/3 - tři desky vedle sebe")


if __name__ == "__main__":
    main()
