#!/usr/bin/env python3
"""Every text of the program's own code that a user may read is Czech.

Reads every string literal of the program's sources (the fakes for tests left out) that holds a
space, and every line of a raw string (the help texts of the command-line tools), and fails for
each one that holds a word only English uses, unless it is one of the texts kept in English.
Usage: check-czech-texts.py SOURCE_DIR...
"""
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
LITERAL = re.compile(r'(?<![\w\\])(?:u8)?"((?:[^"\\\n]|\\.)*)"')
COMMENT = re.compile(r'//[^\n]*|/\*.*?\*/', re.S)
RAW = re.compile(r'(?<!\w)(?:u8|[uUL])?R"(\w*)\((.*?)\)\1"', re.S)
WORD = re.compile(r"[^\W\d_]+")
# Command-line options (--printer) keep their names in a Czech text.
OPTION = re.compile(r"(?<![\w-])--?\w[\w-]*")


def listed(name):
    lines = (HERE / name).read_text(encoding="utf-8").splitlines()
    return [line.strip() for line in lines if line.strip() and not line.startswith("#")]


def blanked(match):
    return re.sub(r"[^\n]", " ", match.group(0))


def literals(source):
    # A raw string is read line by line; blanked out afterwards, its quotes and slashes are not
    # taken for literals or comments. Comments may quote texts and are left out.
    for match in RAW.finditer(source):
        first = source.count("\n", 0, match.start(2)) + 1
        for offset, text in enumerate(match.group(2).split("\n")):
            yield first + offset, text
    code = COMMENT.sub(blanked, RAW.sub(blanked, source))
    for match in LITERAL.finditer(code):
        yield code.count("\n", 0, match.start()) + 1, match.group(1)


def main():
    english = set(listed("english-words.txt"))
    kept = listed("english-texts-kept.txt")
    checked = 0
    failures = []
    paths = (path for folder in sys.argv[1:] for path in sorted(pathlib.Path(folder).rglob("*")))
    for path in paths:
        if path.suffix not in (".cpp", ".h") or "fake" in path.parts:
            continue
        for line, text in literals(path.read_text(encoding="utf-8")):
            if " " not in text.strip():
                continue
            checked += 1
            words = {word.lower() for word in WORD.findall(OPTION.sub(" ", text))}
            found = sorted(words & english)
            if found and not any(text.startswith(start) for start in kept):
                failures.append(f"{path}:{line}: \"{text}\" ({', '.join(found)})")
    print(f"{checked} texts read")
    for failure in failures:
        print("not Czech:", failure)
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
