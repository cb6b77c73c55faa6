#!/usr/bin/env python3
"""Every text of the program's own code that a user may read is Czech.

Reads every string literal of the program's sources (the fakes for tests left out) that holds a
space, and fails for each one that holds a word only English uses, unless it is one of the texts
kept in English. Usage: check-czech-texts.py SOURCE_DIR
"""
import pathlib
import re
import sys

HERE = pathlib.Path(__file__).resolve().parent
LITERAL = re.compile(r'(?<![\w\\])(?:u8)?"((?:[^"\\\n]|\\.)*)"')
COMMENT = re.compile(r'//[^\n]*|/\*.*?\*/', re.S)
RAW = re.compile(r'R"(\w*)\((.*?)\)\1"', re.S)
WORD = re.compile(r"[^\W\d_]+")


def listed(name):
    lines = (HERE / name).read_text(encoding="utf-8").splitlines()
    return [line.strip() for line in lines if line.strip() and not line.startswith("#")]


def literals(source):
    # Comments may quote texts; raw strings (help texts of command-line tools) go whole.
    without_comments = COMMENT.sub(lambda m: re.sub(r"[^\n]", " ", m.group(0)),
                                   RAW.sub('""', source))
    for match in LITERAL.finditer(without_comments):
        yield without_comments.count("\n", 0, match.start()) + 1, match.group(1)


def main():
    sources = pathlib.Path(sys.argv[1])
    english = set(listed("english-words.txt"))
    kept = listed("english-texts-kept.txt")
    checked = 0
    failures = []
    for path in sorted(sources.rglob("*")):
        if path.suffix not in (".cpp", ".h") or "fake" in path.parts:
            continue
        for line, text in literals(path.read_text(encoding="utf-8")):
            if " " not in text.strip():
                continue
            checked += 1
            words = {word.lower() for word in WORD.findall(text)}
            found = sorted(words & english)
            if found and not any(text.startswith(start) for start in kept):
                failures.append(f"{path.relative_to(sources)}:{line}: \"{text}\" ({', '.join(found)})")
    print(f"{checked} texts read")
    for failure in failures:
        print("not Czech:", failure)
    return 1 if failures or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
