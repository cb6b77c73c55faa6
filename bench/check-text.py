#!/usr/bin/env python3
"""Says whether a PDF's text layer holds a plain-text source, Czech letters included.

  check-text.py SOURCE.txt OUTPUT.pdf

Prints one line: "<letters>/<all> <words>% <order>" where <letters> counts the Czech letters of
the source that come back from pdftotext, <words> is the share of the source's words (counted
with repeats) that come back, and <order> is "in-order" when the text layer holds exactly the
source's words in the source's order (lines may wrap differently, so words are compared, not
lines), else "reordered". Exit status 0 when every word came back in order.
"""

from collections import Counter
import subprocess
import sys

CZECH = "áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as file:
        source = file.read()
    extracted = subprocess.run(["pdftotext", "-enc", "UTF-8", sys.argv[2], "-"],
                               stdout=subprocess.PIPE, check=False).stdout.decode("utf-8", "replace")
    letters = [letter for letter in CZECH if letter in source]
    found = [letter for letter in letters if letter in extracted]
    wanted, got = source.split(), extracted.split()
    common = Counter(wanted) & Counter(got)
    share = 100.0 * sum(common.values()) / len(wanted)
    order = "in-order" if wanted == got else "reordered"
    print(f"{len(found)}/{len(letters)} {share:.1f}% {order}")
    sys.exit(0 if wanted == got else 1)


if __name__ == "__main__":
    main()
