#!/usr/bin/env python3
"""Prints the benchmark's table and our ratios from the results that run.sh collected.

  report.py RESULTS.tsv

Each line of RESULTS.tsv: group, tool, median wall seconds, CPU seconds (user + system), runs,
pages, output bytes, peak KB and, for the text group, check-text.py's verdict with '_' for spaces.
"""

import sys

OURS = "ostrelin-render"
TITLES = {
    "text": "Text job (300 pages of Czech text)",
    "plan-a4": "A4 cutting plan, 1240 x 1754 one-bit pixels",
    "plan-wide": "Wide cutting plan, 4960 x 1240 one-bit pixels",
}


def load(path):
    rows = []
    with open(path, encoding="utf-8") as file:
        for line in file:
            group, tool, seconds, cpu, runs, pages, size, peak, check = line.rstrip("\n").split("\t")
            rows.append({
                "group": group, "tool": tool, "seconds": float(seconds), "cpu": float(cpu),
                "runs": int(runs),
                "pages": int(pages), "bytes": int(size), "peak": int(peak),
                "check": check.replace("_", " "),
            })
    return rows


def pages_per_second(row):
    return row["pages"] / row["seconds"] if row["seconds"] > 0 else 0.0


def searchable(row):
    """True when the text layer gives back the source: every Czech letter, every word, in order."""
    letters, _, order = row["check"].split(" ")
    found, wanted = letters.split("/")
    return found == wanted and order == "in-order"


def table(group, rows):
    print()
    print(TITLES.get(group, group))
    header = f"  {'tool':<24} {'median s':>9} {'cpu s':>8} {'runs':>4} {'pages':>5} {'pages/s':>8}"
    header += f" {'bytes':>10} {'peak KB':>8}"
    if group == "text":
        header += "  text layer (Czech letters, words, order)"
    print(header)
    for row in rows:
        line = f"  {row['tool']:<24} {row['seconds']:>9.3f} {row['cpu']:>8.3f} {row['runs']:>4}"
        line += f" {row['pages']:>5}"
        line += f" {pages_per_second(row):>8.1f} {row['bytes']:>10} {row['peak']:>8}"
        if group == "text":
            line += f"  {row['check']}"
        print(line)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    rows = load(sys.argv[1])
    groups = []
    for row in rows:
        if row["group"] not in groups:
            groups.append(row["group"])
    for group in groups:
        table(group, [row for row in rows if row["group"] == group])

    print()
    print("Targets")
    verdicts = []
    ratios = []
    for group in groups:
        members = [row for row in rows if row["group"] == group]
        ours = next((row for row in members if row["tool"] == OURS), None)
        if ours is None:
            continue
        peers = [row for row in members if row["tool"] != OURS]
        for peer in peers:
            speed = pages_per_second(ours) / pages_per_second(peer) if peer["pages"] else 0.0
            size = ours["bytes"] / peer["bytes"] if peer["bytes"] else 0.0
            cpu = (ours["pages"] / ours["cpu"]) / (peer["pages"] / peer["cpu"]) \
                if ours["cpu"] > 0 and peer["cpu"] > 0 and peer["pages"] else 0.0
            ratios.append(f"  {group:<9} vs {peer['tool']:<22} {speed:6.2f}x the pages per second "
                          f"({cpu:6.2f}x per CPU second), {size:5.2f}x the bytes, "
                          f"{ours['peak'] / peer['peak']:5.2f}x the peak memory")
        if group == "text":
            good = [row for row in peers if searchable(row)]
            if good:
                best = max(good, key=pages_per_second)
                speed = pages_per_second(ours) / pages_per_second(best)
                verdicts.append(f"  text: {speed:.2f}x the pages per second of {best['tool']}, the "
                                f"fastest other tool with a correct searchable text layer "
                                f"(target 2x): {'met' if speed >= 2 else 'MISSED'}")
            if not searchable(ours):
                verdicts.append("  text: our text layer does not give back the source: MISSED")
        else:
            gs = next((row for row in peers if row["tool"] == "Ghostscript pdfwrite"), None)
            img2pdf = next((row for row in peers if row["tool"] == "img2pdf"), None)
            if gs:
                verdicts.append(f"  {group}: {ours['seconds']:.3f} s against Ghostscript's "
                                f"{gs['seconds']:.3f} s (target: no slower): "
                                f"{'met' if ours['seconds'] <= gs['seconds'] else 'MISSED'}")
            if img2pdf:
                verdicts.append(f"  {group}: {ours['bytes']} bytes against img2pdf's "
                                f"{img2pdf['bytes']} (target: no larger): "
                                f"{'met' if ours['bytes'] <= img2pdf['bytes'] else 'MISSED'}")
    print("\n".join(verdicts))
    print()
    print("Our ratio to every other tool (above 1x: we print more pages per second)")
    print("\n".join(ratios))


if __name__ == "__main__":
    main()
