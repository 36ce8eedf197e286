#!/usr/bin/env python3
"""Writes the table of aliasing and CPU cost per "Oversampling" setting, in Markdown, from a
kelvora-analyze output folder; with --into FILE it replaces the table between the markers
<!-- measured-table:begin --> and <!-- measured-table:end --> in FILE instead of printing it.
"""
import argparse
import csv
import os
import sys

BEGIN = "<!-- measured-table:begin -->"
END = "<!-- measured-table:end -->"


def rows(path):
    with open(path, newline="") as f:
        return list(csv.DictReader(f))


def table(folder):
    c = {r["key"]: r["value"] for r in rows(os.path.join(folder, "conditions.csv"))}
    alias = rows(os.path.join(folder, "aliasing.csv"))
    cpu = {int(float(r["oversampling"])): float(r["realtime_factor"])
           for r in rows(os.path.join(folder, "cpu.csv"))}
    columns = []
    for r in alias:
        key = (float(r["input_gain_percent"]), float(r["tone_hz"]))
        if key not in columns:
            columns.append(key)
    factors = sorted({int(float(r["oversampling"])) for r in alias})
    value = {(int(float(r["oversampling"])), float(r["input_gain_percent"]), float(r["tone_hz"])):
             float(r["nonharmonic_dbc"]) for r in alias}
    head = ["Oversampling"] + [f"{tone:g} Hz, Input Gain {gain:g} %" for gain, tone in columns]
    head.append("Real-time factor")
    lines = ["| " + " | ".join(head) + " |", "|" + "---|" * len(head)]
    for f in factors:
        cells = [f"{f}×"] + [f"{value[(f, g, t)]:.1f} dBc" for g, t in columns]
        cells.append(f"{cpu[f]:.1f}×" if f in cpu else "–")
        lines.append("| " + " | ".join(cells) + " |")
    rate = float(c["sample_rate_hz"])
    lines.append("")
    lines.append(
        f"Energy away from DC, the fundamental and its harmonics, relative to the fundamental, "
        f"for sines at {float(c['alias_dbfs']):g} dBFS at {rate:g} Hz (Kaiser window, beta "
        f"{float(c['kaiser_beta']):g}, FFT {c['tone_fft']} points, after "
        f"{float(c['settle_s']):g} s); real-time factor of one stereo instance in blocks of "
        f"{c['block_size']} on {c['cpu_model']}. Measured through {c['effect']} on {c['date']}.")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("folder")
    parser.add_argument("--into", metavar="FILE")
    args = parser.parse_args()
    text = table(args.folder)
    if not args.into:
        print(text)
        return
    with open(args.into) as f:
        document = f.read()
    start, end = document.find(BEGIN), document.find(END)
    if start < 0 or end < start:
        sys.exit(f"{args.into} has no {BEGIN} ... {END} markers")
    document = document[:start + len(BEGIN)] + "\n" + text + "\n" + document[end:]
    with open(args.into, "w") as f:
        f.write(document)
    print(f"Updated the table in {args.into}")


if __name__ == "__main__":
    main()
