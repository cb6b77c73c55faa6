#!/usr/bin/env python3
"""Writes the fuzzers' seed inputs into fuzz/corpus/<target>/: small spool files, RTF documents and
settings files that reach every kind of record, command and syntax the readers know, so that the
fuzzers start from real structure instead of noise. Run it again after changing a seed here."""

import pathlib
import shutil

ROOT = pathlib.Path(__file__).resolve().parent
CORPUS = ROOT / "corpus"

SIGNATURE_75 = b"\x03\x06\x1b*t75R"
SIGNATURE_150 = b"\x03\x07\x1b*t150R"


def spool(description: bytes, records: bytes) -> bytes:
    """A spool file: description line, CR LF, two skipped bytes, records."""
    return description + b"\r\n\x00\x00" + records


def short(kind: int, data: bytes) -> bytes:
    return bytes([kind, len(data)]) + data


def long_record(data: bytes) -> bytes:
    return bytes([2, len(data) & 0xFF, len(data) >> 8]) + data


def escape(after_esc: bytes) -> bytes:
    return short(3, b"\x1b" + after_esc)


def row(data: bytes) -> bytes:
    """An announced raster row."""
    return escape(b"*b%dW" % len(data)) + long_record(data)


def raster_seeds():
    yield "one-row", spool(b"Plan", SIGNATURE_150 + row(b"\x80\x00\x01"))
    yield "rows-and-noise", spool(
        b"\x01\x02Plan \x9f\xfd", SIGNATURE_75 + escape(b"E") + escape(b"*r1A") + row(b"\xff\x0f")
        + short(0, b"text") + short(1, b"\x07") + row(b"\xaa" * 5) + b"\x09"
        + escape(b"*b0M") + long_record(b"\xff") + escape(b"*bW") + long_record(b"\xff")
        + escape(b"*b12Y") + escape(b"*b3W") + escape(b"*rB") + long_record(b"\x81\x42\x24")
        + long_record(b"\xff") + row(b"") + escape(b"*b2W") + long_record(b"\xff\xff\xff\xff"))
    yield "signature-in-description", spool(b"\x03\x07\x1b*t150R", row(b"\x01") + row(b"\x80"))
    yield "truncated", spool(b"Plan", SIGNATURE_150 + escape(b"*b9W") + b"\x02\x09\x00\xff\x80")
    yield "no-line-end", b"Plan\rX\n" + SIGNATURE_75 + row(b"\xff")
    fixture = ROOT.parent / "tests" / "print" / "fixtures" / "cutting-plan-ljet4.qsf"
    yield "ghostscript-ljet4", fixture.read_bytes()


def text_seeds():
    yield "styles", spool(
        b"Faktura \xac\xa0slo 7", short(1, b"\x07") + short(0, b"Total\r\n") + short(1, b"\x08")
        + short(0, b"Sum") + short(1, b"\x03") + short(0, b"P\xfd\xa0li\xe7 \xa7lu\x9cou\x9fk\xec")
        + short(1, b"\x06") + short(1, b"\x09") + short(1, b"\x0b") + short(0, b"a\tb\n\r")
        + short(1, b"\x0a") + short(1, b"\x0c") + short(1, b"\x04") + short(1, b"\x05"))
    yield "indent-and-empty", spool(
        b"Odsazeni", short(1, b"\x65\x24") + short(0, b"one") + short(1, b"\x0e")
        + short(0, b"\r\n") + short(1, b"\x65") + short(0, b"two") + short(1, b"") + short(0, b"")
        + short(1, b"\x64\x05") + short(1, b"\x05\x07\x07"))
    yield "other-records", spool(
        b"Jine", long_record(b"data \x9f\xfd {\\} \x00 line\r\nnext\r\n" + bytes(range(256)))
        + short(3, b"\x1b(s3B") + short(9, b"nine") + short(255, b"\xff") + short(0, b"\x9f"))
    yield "truncated", spool(b"Kratky", short(0, b"abc") + b"\x00\x0aabcd")
    yield "empty", b""


def rtf_seeds():
    yield "own-writer", (
        b"{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1029\n"
        b"{\\fonttbl{\\f0\\fmodern\\fprq1\\fcharset238 Courier New;}{\\f1\\fswiss\\fprq2\\fcharset238 Arial;}}\n"
        b"{\\stylesheet{\\f0\\fs20 Normal;}}\n\\viewkind4\\uc1\n"
        b"\\pard\\plain\\f0\\fs20\\b Total\\plain\\f0\\fs20 \\u269\\'e8 \\{x\\}\\\\\\tab y\\par\n"
        b"\\pard\\li720\\plain\\f1\\fs32\\i\\ul Sum\\par\n\\pard\\plain\\f0\\fs16\\par\n}\n")
    yield "office", (
        b"{\\rtf1\\adeflang1025\\ansi\\ansicpg1250\\uc1\\deff0{\\fonttbl{\\f0\\froman\\fcharset238"
        b"{\\*\\panose 02020603050405020304}Times New Roman;}}{\\colortbl;\\red0\\green0\\blue0;}"
        b"{\\stylesheet{\\ql \\li0\\ri0\\fs24\\lang1029 \\snext0 Normal;}{\\s1 heading 1;}}"
        b"{\\info{\\title Zkou\\'9aka}{\\author Tarvok}}{\\*\\generator Writer;}"
        b"\\pard\\plain \\s0\\fs24 Prvn\\'ed \\ulnone\\uldb odstavec{\\v skryt\\'fd} text\\par"
        b"{\\pict\\wmetafile8\\picw10\\pich10 0102ff}{\\header hlavi\\'e8ka}\\uc2\\u8364 EU r\\bin3 \x00\x01\x02"
        b"\\line\\'\\'zz\\u-3913?\\par\\pard\\li-100\\fi200\\b0\\i0\\plain konec}")
    yield "bare", b"{\\rtf1 inside\\par}outside\\par"
    yield "deep", b"{\\rtf1 " + b"{" * 40 + b"deep" + b"}" * 40 + b"}"
    yield "plain-text", b"line one\r\nline two\rline three\nlast"


def settings_seeds():
    yield "spooler", (
        b"REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Veldane\\Tarvok Calc Ostrelin]\n"
        b"\"PrinterName\"=\"Tisk do PDF\"\n\"PrinterEnable\"=dword:00000001\n"
        b"\"SpoolDir\"=\"/home/u\\\\spool\\\"x\\\"/\"\n")
    yield "every-form", (
        b"\xef\xbb\xbfREGEDIT4\r\n; comment\r\n\r\n  [HKEY_CURRENT_USER\\K]  \r\n"
        b"@=\"default \xc5\xbelu\xc5\xa5ou\xc4\x8dk\xc3\xbd\"\r\n\"bin\"=hex:00,ff,10\r\n"
        b"\"exp\"=hex(2):25,00,48,\\\r\n  00,00\r\n\"none\"=hex(0):\r\n\"d\"=dword:ffffffff\r\n"
        b"[hkey_current_user\\k]\r\n\"D\"=dword:1\r\n[HKEY_CURRENT_USER\\Empty]\r\n")
    yield "damaged", b"REGEDIT4\n[K]\n\"a\"=oops\n"
    yield "not-regedit", b"Windows Registry Editor Version 5.00\n"


def main():
    for target, seeds in (("raster_job_fuzzer", raster_seeds), ("text_job_fuzzer", text_seeds),
                          ("rtf_reader_fuzzer", rtf_seeds),
                          ("settings_reader_fuzzer", settings_seeds)):
        folder = CORPUS / target
        shutil.rmtree(folder, ignore_errors=True)
        folder.mkdir(parents=True)
        for name, content in seeds():
            (folder / name).write_bytes(content)


if __name__ == "__main__":
    main()
